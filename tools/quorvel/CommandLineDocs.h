// The manual page and the shell completions of `quorvel`, written from the
// command line's definition (CommandLineDefinition.h) at build time.
#pragma once

#include <ostream>

namespace QuorvelTool {

// quorvel(1) in man(7) markup.
void WriteManPage(std::ostream& out);
// A bash completion script: commands, their options, files and folders where an
// option takes one, run's actions.
void WriteBashCompletion(std::ostream& out);
// The same for zsh (#compdef quorvel).
void WriteZshCompletion(std::ostream& out);

} // namespace QuorvelTool
