// The start-up correction for a resolution other than the designer's.
#include "quorvel/core/Startup.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace Quorvel::Core;

TEST(CoreStartup, DesignedAt96RunningAt120) {
    const TDpiRatios r = DpiRatios(96, 96, 120, 120);
    EXPECT_EQ(r.X, 0.8);
    EXPECT_EQ(StartupAdjust(100, r.X), 125);
    EXPECT_EQ(StartupAdjust(75, r.X), 94);
    EXPECT_EQ(StartupAdjust(9, r.X), 11); // a font: 11.25 + 0.5
    EXPECT_EQ(StartupAdjust(8, r.X), 10);
    EXPECT_EQ(StartupAdjust(-10, r.X), -13); // -12.5, half away from zero
    // A font of positive Font.Height has a negative size: kept at the same DPI.
    EXPECT_EQ(StartupAdjust(-9, 1.0), -9);
    EXPECT_EQ(StartupBounds({100, 100, 75, 75}, r), (TBounds{125, 125, 94, 94}));
    // An unknown resolution on either side corrects nothing.
    EXPECT_EQ(DpiRatio(0, 120), 1.0);
    EXPECT_EQ(DpiRatio(96, 0), 1.0);
}

TEST(CoreStartup, WhichWindowsHaveTheirBoundsCorrected) {
    const TDpiRatios r{0.8, 0.5};
    struct {
        TBorderKind Border;
        bool Maximized, StartSize;
        double X, Y;
    } const cases[] = {
        {bkSizeable, false, false, 0.8, 0.5}, {bkSizeable, true, false, 0.8, 0.5},
        {bkDialog, false, false, 1.0, 1.0},   {bkDialog, false, true, 0.8, 0.5},
        {bkDialog, true, false, 1.0, 1.0},    {bkNone, false, false, 1.0, 1.0},
        {bkNone, true, false, 0.8, 0.5},      {bkNone, false, true, 0.8, 0.5},
    };
    for (const auto& c : cases) {
        const TDpiRatios d = BoundsDivisors(r, c.Border, c.Maximized, c.StartSize);
        EXPECT_EQ(d.X, c.X) << c.Border << c.Maximized << c.StartSize;
        EXPECT_EQ(d.Y, c.Y) << c.Border << c.Maximized << c.StartSize;
    }
}

TEST(CoreStartup, EqualResolutionsChangeNothing) {
    std::mt19937 random(5);
    // Positions on either side of the parent's edge.
    std::uniform_int_distribution<int> position(-100000, 100000), value(0, 100000), dpi(1, 480);
    for (int i = 0; i < 5000; ++i) {
        const int d = dpi(random);
        const TDpiRatios r = DpiRatios(d, d, d, d);
        const TBounds b{position(random), position(random), value(random), value(random)};
        ASSERT_EQ(StartupBounds(b, r), b);
    }
}

} // namespace
