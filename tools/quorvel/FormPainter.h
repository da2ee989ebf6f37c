// The picture of a form as a classic Windows desktop shows it: the window frame
// with its caption, and every control drawn as its class looks (button faces,
// sunken edits and lists, check marks, group frames, bevels, tabs, status panels),
// its texts in its own font, clipped as Windows clips them. Unknown classes are
// outlined boxes with their name. Snapshots are drawn side by side at their real
// size, so that pixels compare across them.
#pragma once

#include "Canvas.h"
#include "Snapshot.h"

#include <string>
#include <vector>

namespace QuorvelTool {

struct TPictureLayout {
    int Width = 0, Height = 0;
    // Where each snapshot's client area starts in the picture.
    std::vector<TBox> Clients;
};

TPictureLayout LayoutPicture(const std::vector<TSnapshot>& snapshots);

// Draws the snapshots as LayoutPicture places them. Needs a current simulated
// desktop for the text metrics.
void PaintPicture(TCanvas& canvas, const std::vector<TSnapshot>& snapshots);

// Both pictures of the snapshots; each makes a simulated desktop of its own for
// the metrics when none is current.
// `idPrefix` starts the SVG's ids, for pictures that share one page.
std::string MakeFormSvg(const std::vector<TSnapshot>& snapshots, const std::string& idPrefix = "c");
std::string MakeFormPng(const std::vector<TSnapshot>& snapshots);

} // namespace QuorvelTool
