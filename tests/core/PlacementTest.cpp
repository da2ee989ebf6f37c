// The nine anchors on both paths, the pull-back over the work area's edges, and
// the size a window is first shown at.
#include "quorvel/core/Placement.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace Quorvel::Core;

const TRect WorkArea{0, 0, 1920, 1040};

TFrameInsets At(int x, int y, int w, int h) { return {{x, y, x + w, y + h}, {}, {}}; }

TEST(CorePlacement, PlainAnchorsOfTheWorkArea) {
    const TFrameInsets frame = At(100, 100, 800, 600);
    auto at = [&](TResizeFormPos pos) {
        return PlacementOrigin(pos, WorkArea, frame, 800, 600, true);
    };
    EXPECT_EQ(at(rpMiddleCenter), (TPoint{560, 220}));
    EXPECT_EQ(at(rpBottomRight), (TPoint{1120, 440}));
    EXPECT_EQ(at(rpTopCenter), (TPoint{560, 0}));
    EXPECT_EQ(at(rpTopLeft), (TPoint{0, 0}));
    EXPECT_EQ(at(rpMiddleLeft), (TPoint{0, 220}));
    EXPECT_EQ(at(rpBottomLeft), (TPoint{0, 440}));
    EXPECT_EQ(at(rpTopRight), (TPoint{1120, 0}));
    EXPECT_EQ(at(rpMiddleRight), (TPoint{1120, 220}));
    EXPECT_EQ(at(rpBottomCenter), (TPoint{560, 440}));
    EXPECT_EQ(at(rpDefault), (TPoint{100, 100}));
}

TEST(CorePlacement, CompensatedAnchorsPlaceTheVisibleFrame) {
    const TRect win{100, 100, 900, 700};
    const TFrameInsets frame = FrameInsets(win, {107, 100, 893, 693});
    EXPECT_EQ(frame.Inset, (TPoint{7, 0}));
    EXPECT_EQ(frame.Excess, (TPoint{14, 7}));
    auto at = [&](TResizeFormPos pos) {
        return PlacementOrigin(pos, WorkArea, frame, 800, 600, true);
    };
    EXPECT_EQ(at(rpTopLeft), (TPoint{-7, 0}));
    EXPECT_EQ(at(rpMiddleCenter), (TPoint{560, 223}));
    EXPECT_EQ(at(rpBottomRight), (TPoint{1134, 447}));
    EXPECT_EQ(at(rpTopRight), (TPoint{1134, 0}));
    // Composition off: the same insets count for nothing.
    EXPECT_EQ(PlacementOrigin(rpTopLeft, WorkArea, frame, 800, 600, false), (TPoint{0, 0}));
    // A window equal to its visible frame has no insets.
    const TFrameInsets none = FrameInsets(win, win);
    EXPECT_EQ(none.Inset, (TPoint{}));
    EXPECT_EQ(none.Excess, (TPoint{}));
}

TEST(CorePlacement, TooWideWindowsAndTheNearEdges) {
    // Centre shift of half of -101 is -50; the plain path then keeps the near edge.
    const TRect wa{0, 0, 1000, 800};
    EXPECT_EQ(PlacementOrigin(rpTopCenter, wa, At(0, 0, 1101, 300), 1101, 300, false),
              (TPoint{0, 0}));
    const TFrameInsets frame{{0, 0, 1101, 300}, {7, 0}, {14, 7}};
    // Compensated: VW = 1087, half of -87 is -43, less the inset.
    EXPECT_EQ(PlacementOrigin(rpTopCenter, wa, frame, 1101, 300, true), (TPoint{-50, 0}));
    // rpDefault: pulled back over the far edges; pushed in at the near ones only
    // on the plain path.
    EXPECT_EQ(PlacementOrigin(rpDefault, wa, At(700, 600, 400, 300), 400, 300, false),
              (TPoint{600, 500}));
    EXPECT_EQ(PlacementOrigin(rpDefault, wa, At(-50, -20, 400, 300), 400, 300, false),
              (TPoint{0, 0}));
    const TFrameInsets off{{-50, -20, 350, 280}, {7, 0}, {14, 7}};
    EXPECT_EQ(PlacementOrigin(rpDefault, wa, off, 400, 300, true), (TPoint{-50, -20}));
    // A second monitor left of the primary one.
    EXPECT_EQ(PlacementOrigin(rpTopLeft, {-1280, 0, 0, 984}, At(0, 0, 400, 300), 400, 300, false),
              (TPoint{-1280, 0}));
}

TEST(CorePlacement, FirstShowSize) {
    EXPECT_EQ(FirstShowSize(1200, 900, 500, 400, 1024, 768), (TPoint{1024, 768}));
    EXPECT_EQ(FirstShowSize(1200, 0, 500, 400, 1024, 768), (TPoint{500, 400}));
    EXPECT_EQ(FirstShowSize(0, 0, 1500, 400, 1024, 768), (TPoint{1024, 400}));
}

TEST(CorePlacement, EveryPlainAnchorKeepsAFittingWindowInsideTheWorkArea) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int> coord(-3000, 3000), extent(100, 2500), pos(0, 9);
    for (int i = 0; i < 5000; ++i) {
        const int l = coord(random), t = coord(random);
        const TRect wa{l, t, l + extent(random), t + extent(random)};
        const int w = std::uniform_int_distribution<int>(1, wa.Width())(random);
        const int h = std::uniform_int_distribution<int>(1, wa.Height())(random);
        const TFrameInsets frame = At(coord(random), coord(random), w, h);
        const auto anchor = static_cast<TResizeFormPos>(pos(random));
        const TPoint p = PlacementOrigin(anchor, wa, frame, w, h, false);
        ASSERT_GE(p.X, wa.Left);
        ASSERT_GE(p.Y, wa.Top);
        ASSERT_LE(p.X + w, wa.Right);
        ASSERT_LE(p.Y + h, wa.Bottom);
        // Anchors on one side share that side's coordinate with the corner anchors.
        if (anchor == rpMiddleLeft || anchor == rpBottomLeft) {
            ASSERT_EQ(p.X, wa.Left);
        }
        if (anchor == rpMiddleRight || anchor == rpBottomRight) {
            ASSERT_EQ(p.X + w, wa.Right);
        }
    }
}

} // namespace
