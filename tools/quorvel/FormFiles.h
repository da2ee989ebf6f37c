// `quorvel check` and `quorvel print`, and the one way the tool words an error in
// a form file.
#pragma once

#include "quorvel/vcl/SysUtils.h"

#include <ostream>
#include <string>
#include <vector>

namespace QuorvelTool {

// FILE:LINE:COL: error: MESSAGE, or FILE: error: MESSAGE when the position is
// unknown. The file is the one the error was found in (a frame file, say), else
// the one named.
std::string FormatReadError(const std::string& file, const Vcl::EReadError& error);
std::string FormatError(const std::string& file, const std::string& message);

// Loads each file as a form on a default desktop; prints FILE: ok or the error,
// the progress on err (see Progress.h). Returns 0 when every file read, 2 otherwise.
int CheckFiles(const std::vector<std::string>& files, bool lenient, std::ostream& out,
               std::ostream& err, bool progress = false);

// Writes the file back in the canonical text syntax; 2 when it does not read.
int PrintFile(const std::string& file, std::ostream& out, std::ostream& err);

} // namespace QuorvelTool
