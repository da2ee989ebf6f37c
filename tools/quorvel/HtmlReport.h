// `quorvel run --html`: one page a person opens in a browser, with nothing
// outside it: the picture and the bounds of every snapshot, the layout check's
// findings, and for a sweep a slider that shows the form at each of its sizes.
#pragma once

#include "Lint.h"
#include "Snapshot.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace QuorvelTool {

struct THtmlReport {
    std::string FormFile;
    int Dpi = 96;
    std::vector<TSnapshot> Snapshots;
    // The snapshots of a sweep are the last SweepCount ones; 0: no sweep.
    std::size_t SweepCount = 0;
    std::vector<TFinding> Findings;
};

// Needs a current simulated desktop (or makes one) for the pictures' text. When
// the page is opened with #selftest at the end of its address, its script moves
// the slider through every step and lists what it showed in <pre id="selftest">.
std::string MakeHtml(const THtmlReport& report);

} // namespace QuorvelTool
