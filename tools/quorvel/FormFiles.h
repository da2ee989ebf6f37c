// `quorvel check` and `quorvel print`, and the one way the tool words an error in
// a form file.
#pragma once

#include "quorvel/vcl/FormStreaming.h"

#include <ostream>
#include <string>
#include <vector>

namespace QuorvelTool {

// FILE:LINE:COL: error: MESSAGE, or FILE: error: MESSAGE when the position is
// unknown. The file is the one the error was found in (a frame file, say), else
// the one named; an error in a frame's or ancestor's file has a second line,
// FORM:LINE:COL: note: included from here, naming the form that needed it.
std::string FormatReadError(const std::string& file, const Vcl::EReadError& error,
                            const char* severity = "error");
std::string FormatError(const std::string& file, const std::string& message);

// How the commands read form files.
struct TReadOptions {
    bool Lenient = false;
    // More folders to find frame and ancestor form files in (--search).
    std::vector<std::string> SearchDirs;
    // The ANSI code page of text without a byte-order mark, and of the #128 to
    // #255 codes (--codepage); 0: the page of the fonts' Charset, else 1252.
    unsigned CodePage = 1252;
    // CLASS=STANDARD: an unknown class read as a standard one (--class-map); it
    // implies lenient reading.
    std::vector<std::string> ClassMap;
};

// The page a file's text is read in: the one named, else the page of the
// character set its fonts name (the root's first, else the first other one
// found), else Windows-1252.
unsigned ResolveCodePage(const std::string& file, unsigned named);

// The Windows ANSI code page of a font character set (GB2312_CHARSET, 134: 936);
// 0 for the sets that name none (ANSI, DEFAULT, SYMBOL, OEM, MAC).
unsigned CharsetCodePage(int charset);

// Parses CLASS=STANDARD pairs; raises EUsageError for one that is not, or whose
// standard class is unknown.
std::vector<std::pair<std::string, std::string>>
ParseClassMap(const std::vector<std::string>& pairs);

// Load options for a form file; lenient reading's warnings go to `err`.
Vcl::TFormLoadOptions LoadOptions(const std::string& file, const TReadOptions& read,
                                  std::ostream& err);

// One warning on `err` for each TQuorvel of the loaded file whose owner's class
// declares no published field of its name: such a component never starts.
void WarnIdleComponents(const std::string& file, Vcl::TComponent& root, std::ostream& err);

// Loads each file as a form on a default desktop; prints FILE: ok or the error,
// the progress on err (see Progress.h). Returns 0 when every file read, 2 otherwise.
int CheckFiles(const std::vector<std::string>& files, const TReadOptions& read, std::ostream& out,
               std::ostream& err, bool progress = false);

// Writes the file back in the canonical text syntax; 2 when it does not read.
// Strings are written so that they read back the same in the code page.
int PrintFile(const std::string& file, std::ostream& out, std::ostream& err,
              unsigned codePage = 1252);

} // namespace QuorvelTool
