// `quorvel lint`: runs each form at its design size and at other sizes and
// resolutions, and reports what breaks there against the form as designed: text
// that no longer fits its control, controls that come to overlap a sibling or
// leave their parent's client area, tabs that no longer fit one row, a form shown
// beyond its monitor's work area, fonts too small to read, controls shrunk to one
// pixel.
#pragma once

#include "DesktopOptions.h"
#include "Snapshot.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace QuorvelTool {

struct TLintOptions {
    std::vector<std::string> Files;
    TDesktopOptions Desktop;
    bool Lenient = false;
    // More folders to find frame and ancestor form files in.
    std::vector<std::string> SearchDirs;
    unsigned CodePage = 1252;          // for text without a byte-order mark (--codepage)
    std::vector<std::string> ClassMap; // CLASS=STANDARD
    // Puts a TQuorvel on a form that has none, as run --attach does.
    bool Attach = false;
    // Client sizes WxH to check instead of the default ones.
    std::vector<std::string> Sizes;
    // Many sizes from the smallest to the largest instead of a few.
    bool Sweep = false;
    // Screen resolutions; empty: the one of --screen.
    std::vector<int> Dpis;
    int MinFontPoints = 6;
    // A table of replacement texts, COMPONENT.PROPERTY=text a line.
    std::string Translate;
    bool Json = false;
    bool Progress = false;
};

struct TFinding {
    std::string File;
    int Width = 0, Height = 0, Dpi = 96; // the client size and the resolution
    std::string Control;
    std::string Kind; // scaled, screen, text, overlap, outside, tabs, font, shrunk
    std::string Message;
    std::optional<std::pair<int, int>> Needs, Has; // text findings
    std::string Other;                             // the sibling of an overlap
};

// FILE: WxH@DPI: CONTROL: MESSAGE
std::string FormatFinding(const TFinding& finding);

// The findings of one form's snapshots at one resolution, each a fault the form
// as designed (else the first snapshot) does not show. Measures on the current
// desktop.
std::vector<TFinding> CheckSnapshots(const std::string& file, int dpi,
                                     const std::vector<TSnapshot>& snapshots,
                                     const std::optional<TSnapshot>& designed, int minFontPoints);

// Reads a translation table; raises EUsageError for a line that is not
// COMPONENT.PROPERTY=text. Blank lines and lines starting with # are skipped.
std::vector<std::string> ReadTranslation(const std::string& file);

// The whole command: 0 without findings, 1 with, 2 when a file did not load.
int RunLint(const TLintOptions& options, std::ostream& out, std::ostream& err);

} // namespace QuorvelTool
