// The snapshots `quorvel run` takes of a form file, read leniently as the tool
// reads real forms, for tests of what is drawn from them.
#pragma once

#include "FormPainter.h"
#include "RasterCanvas.h"
#include "RunSession.h"
#include "quorvel/win/sim/SimDesktop.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace ToolTest {

inline std::vector<QuorvelTool::TSnapshot> Snapshots(const std::string& file) {
    QuorvelTool::TRunOptions options;
    options.FormFile = file;
    options.Lenient = true;
    std::ostringstream warnings;
    QuorvelTool::TRunResult result = QuorvelTool::RunForm(options, warnings);
    EXPECT_TRUE(result.Loaded) << result.LoadError;
    return result.Snapshots;
}

// The snapshots painted on white as the tool paints its pictures, with the
// simulated desktop that measures their text; Client is the first window's.
struct TPainted {
    explicit TPainted(const std::vector<QuorvelTool::TSnapshot>& shots)
        : Layout(QuorvelTool::LayoutPicture(shots)), Client(Layout.Clients.at(0)),
          Canvas(Layout.Width, Layout.Height, 0xFFFFFF) {
        QuorvelTool::PaintPicture(Canvas, shots);
    }

    Sim::TDesktop Desktop; // first: the layout needs it
    QuorvelTool::TPictureLayout Layout;
    QuorvelTool::TBox Client;
    QuorvelTool::TRasterCanvas Canvas;
};

} // namespace ToolTest
