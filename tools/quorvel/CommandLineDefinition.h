// The one definition of `quorvel`'s command line: its commands and options, bound
// to the values they fill. The program parses with it, and the manual page and the
// shell completions are written from it, so the three never disagree.
#pragma once

#include "Design.h"
#include "FormFiles.h"
#include "Lint.h"
#include "RunSession.h"

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace QuorvelTool {

// What `run` writes besides the snapshots' table.
struct TRunOutput {
    std::string Output; // -o: the table or JSON goes there instead of standard output
    bool Json = false;
    bool Verbose = false;
    bool Wireframe = false;
    bool Sweep = false;
    bool Progress = false;
    std::string Svg;
    std::string Png;
    std::string Html;
    int MinFontPoints = 6;
};

// Built in place: the options hold the addresses of the values they fill.
struct TCommandLine {
    TCommandLine();
    TCommandLine(const TCommandLine&) = delete;
    TCommandLine& operator=(const TCommandLine&) = delete;

    CLI::App App;
    CLI::App* Check = nullptr;
    CLI::App* Lint = nullptr;
    CLI::App* Print = nullptr;
    CLI::App* Run = nullptr;
    CLI::App* Design = nullptr;
    CLI::App* Palette = nullptr;

    TReadOptions CheckOptions;
    bool CheckProgress = false;
    std::vector<std::string> CheckFiles;
    TLintOptions LintOptions;
    std::string PrintFile;
    unsigned PrintCodePage = 1252;
    TRunOptions RunOptions;
    TRunOutput RunOutput;
    std::vector<std::string> RunArgs;
    TDesignOptions DesignOptions;
    std::string Package;
};

// Options whose value is a path say so in their type name; completions offer
// files or folders for them.
inline constexpr const char* FileValue = "FILE";
inline constexpr const char* DirValue = "DIR";

// The commands' overview and run's actions, as --help prints them.
extern const char* const ToolFooter;
extern const char* const RunFooter;

} // namespace QuorvelTool
