// `quorvel design`: a design-time edit of a form file. The form is loaded as the
// designer loads it, the assignments go through the setters (which may refuse),
// and the form is written back with design values measured on the desktop given.
#pragma once

#include "DesktopOptions.h"

#include <ostream>
#include <string>
#include <vector>

namespace QuorvelTool {

struct TDesignOptions {
    std::string File;
    std::vector<std::string> Assignments;
    TDesktopOptions Desktop;
    bool Lenient = false;
    std::vector<std::string> SearchDirs; // more folders for frame and ancestor files
    unsigned CodePage = 1252;            // for text without a byte-order mark (--codepage)
    std::string Output;                  // empty or "-": standard output
};

// 0 when written; 1 when a setter refused (nothing is written); 2 for file errors.
int RunDesign(const TDesignOptions& options, std::ostream& out, std::ostream& err);

} // namespace QuorvelTool
