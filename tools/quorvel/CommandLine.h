// The command line of `quorvel`: subcommands, options and exit statuses.
//
// Exit statuses: 0 success; 1 an action, an assignment or a package's own code
// failed; 2 a usage error or a file that cannot be read or written.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace QuorvelTool {

// Runs the tool with the arguments that follow the program name.
int Main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace QuorvelTool
