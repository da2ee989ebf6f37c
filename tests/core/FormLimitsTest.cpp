// The taskbar's room, the drag clamp, the maximized size and position on both
// message routes, and the correction of a maximized window.
#include "quorvel/core/FormLimits.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace Quorvel::Core;

TEST(CoreTaskbar, RoomLeftBesideTheBar) {
    TTaskbarArea a = TaskbarArea({0, 1040, 1920, 1080}, teBottom, false, 1920, 1080, true);
    EXPECT_EQ(a.Height, 1040);
    EXPECT_EQ(a.Width, 1920);
    a = TaskbarArea({0, 1040, 1920, 1080}, teBottom, true, 1920, 1080, true);
    EXPECT_EQ(a.Bar, (TRect{0, 1080, 1920, 1080}));
    EXPECT_EQ(a.Height, 1080);
    a = TaskbarArea({0, 0, 60, 1080}, teLeft, false, 1920, 1080, true);
    EXPECT_EQ(a.Width, 1860);
    EXPECT_EQ(a.Edge, teLeft);
    // Not counted: the bar is reported, nothing is taken.
    a = TaskbarArea({0, 0, 60, 1080}, teLeft, false, 1920, 1080, false);
    EXPECT_EQ(a.Width, 1920);
    EXPECT_EQ(a.BarWidth(), 60);
    // Reaching beyond the size given: clipped; wholly beyond: no thickness.
    a = TaskbarArea({-10, -5, 60, 1080}, teLeft, false, 1280, 1024, true);
    EXPECT_EQ(a.Bar, (TRect{0, 0, 60, 1024}));
    a = TaskbarArea({0, 1040, 1920, 1080}, teBottom, false, 1280, 1024, true);
    EXPECT_EQ(a.BarHeight(), 0);
    EXPECT_EQ(a.Height, 1024);
}

TEST(CoreTaskbar, TheBarNeverTakesMoreThanTheMonitor) {
    std::mt19937 random(9);
    std::uniform_int_distribution<int> coord(-500, 3000), edge(-1, 3), flag(0, 1);
    for (int i = 0; i < 5000; ++i) {
        const int w = coord(random) + 600, h = coord(random) + 600;
        const TRect bar{coord(random), coord(random), coord(random), coord(random)};
        const auto e = static_cast<TTaskbarEdge>(edge(random));
        const TTaskbarArea a = TaskbarArea(bar, e, flag(random) != 0, w, h, true);
        ASSERT_GE(a.BarWidth(), 0);
        ASSERT_GE(a.BarHeight(), 0);
        ASSERT_LE(a.BarWidth(), w);
        ASSERT_LE(a.BarHeight(), h);
        ASSERT_GE(a.Width, 0);
        ASSERT_GE(a.Height, 0);
        ASSERT_EQ(w - a.Width, e == teLeft || e == teRight ? a.BarWidth() : 0);
        ASSERT_EQ(h - a.Height, e == teTop || e == teBottom ? a.BarHeight() : 0);
    }
}

TEST(CoreDragClamp, OnlyCompletePairsClampAndTheFarEdgesMove) {
    EXPECT_EQ(ClampDrag({0, 0, 1000, 900}, {0, 0, 800, 0}), (TRect{0, 0, 1000, 900}));
    EXPECT_EQ(ClampDrag({0, 0, 1000, 900}, {0, 0, 800, 600}), (TRect{0, 0, 800, 600}));
    // Dragging the left edge past the minimum grows the window to the right.
    EXPECT_EQ(ClampDrag({350, 10, 500, 200}, {300, 200, 0, 0}), (TRect{350, 10, 650, 210}));
}

TEST(CoreDragClamp, TheResultLiesBetweenTheLimits) {
    std::mt19937 random(4);
    std::uniform_int_distribution<int> coord(-2000, 2000), size(1, 3000);
    for (int i = 0; i < 5000; ++i) {
        const int minW = size(random), minH = size(random);
        const TSizeLimits limits{minW, minH, minW + size(random), minH + size(random)};
        const int l = coord(random), t = coord(random);
        const TRect r = ClampDrag({l, t, l + size(random), t + size(random)}, limits);
        ASSERT_EQ(r.Left, l);
        ASSERT_EQ(r.Top, t);
        ASSERT_GE(r.Width(), limits.MinWidth);
        ASSERT_LE(r.Width(), limits.MaxWidth);
        ASSERT_GE(r.Height(), limits.MinHeight);
        ASSERT_LE(r.Height(), limits.MaxHeight);
    }
}

TMaxInfoQuery Primary(TRect window, TSizeLimits limits) {
    TMaxInfoQuery q;
    q.Area = TaskbarArea({0, 1040, 1920, 1080}, teBottom, false, 1920, 1080, true);
    q.MaxSize = {1936, 1056};
    q.MaxPosition = {-8, -8};
    q.Limits = limits;
    q.Window = window;
    q.Monitor = {0, 0, 1920, 1080};
    q.WorkArea = {0, 0, 1920, 1040};
    return q;
}

TEST(CoreMaxInfo, TheRoomTheTaskbarLeaves) {
    TMaxInfoAnswer a = MaxInfo(Primary({}, {}));
    EXPECT_TRUE(a.Write);
    EXPECT_EQ(a.MaxSize, (TPoint{1920, 1040}));
    EXPECT_EQ(a.MaxPosition, (TPoint{-8, -8}));
    TMaxInfoQuery zoomed = Primary({}, {});
    zoomed.Zoomed = true;
    a = MaxInfo(zoomed);
    EXPECT_FALSE(a.Write);
    EXPECT_TRUE(a.RememberMonitorSize);
    // The legacy route has no zoomed branch.
    zoomed.Route = mrLegacyHook;
    EXPECT_TRUE(MaxInfo(zoomed).Write);
}

TEST(CoreMaxInfo, AWindowWithAMaximumSizeMaximizesInPlace) {
    const TSizeLimits max{0, 0, 800, 600};
    TMaxInfoAnswer a = MaxInfo(Primary({100, 50, 500, 350}, max));
    EXPECT_EQ(a.MaxSize, (TPoint{800, 600}));
    EXPECT_EQ(a.MaxPosition, (TPoint{100, 50}));
    EXPECT_EQ(MaxInfo(Primary({1500, 50, 1900, 350}, max)).MaxPosition.X, 1500);
    EXPECT_EQ(MaxInfo(Primary({1500, 50, 1950, 350}, max)).MaxPosition.X, 1120);
    // Overhanging at the bottom: measured from the reduced monitor height.
    EXPECT_EQ(MaxInfo(Primary({100, 900, 500, 1100}, max)).MaxPosition.Y, 440);
    // Relative to the corner of a monitor right of the primary one.
    TMaxInfoQuery second = Primary({2020, 150, 2420, 450}, max);
    second.Monitor = {1920, 0, 3200, 1024};
    second.WorkArea = {1920, 0, 3200, 1024};
    EXPECT_EQ(MaxInfo(second).MaxPosition, (TPoint{100, 150}));
}

TEST(CoreMaxInfo, ALeftOrTopTaskbarKeepsTheWindowBesideIt) {
    TMaxInfoQuery q = Primary({0, 100, 400, 400}, {0, 0, 800, 600});
    q.Area = TaskbarArea({0, 0, 60, 1080}, teLeft, false, 1920, 1080, true);
    q.WorkArea = {60, 0, 1920, 1080};
    EXPECT_EQ(MaxInfo(q).MaxPosition.X, 60);
    q.Route = mrLegacyHook;
    q.Window = {30, 100, 430, 400};
    EXPECT_EQ(MaxInfo(q).MaxPosition.X, 60);
}

TEST(CoreMaxInfo, Version410MovesThePositionOntoTheTaskbar) {
    TMaxInfoQuery q = Primary({}, {});
    q.Area = TaskbarArea({0, 0, 1920, 30}, teTop, false, 1920, 1080, true);
    q.Route = mrLegacyHook;
    q.Version410 = true;
    q.MaxPosition = {0, 0};
    EXPECT_EQ(MaxInfo(q).MaxPosition, (TPoint{0, -30}));
    EXPECT_EQ(MaxInfo(q).MaxSize, (TPoint{1920, 1050}));
}

TEST(CoreMaxInfo, AWindowInsideTheWorkAreaMaximizesWhereItIs) {
    std::mt19937 random(8);
    std::uniform_int_distribution<int> coord(0, 1500), size(1, 400), max(1, 1900);
    for (int i = 0; i < 5000; ++i) {
        const int l = coord(random), t = std::min(coord(random), 600);
        const TRect window{l, t, l + size(random), t + size(random)};
        const TMaxInfoAnswer a = MaxInfo(Primary(window, {0, 0, max(random), max(random)}));
        ASSERT_EQ(a.MaxPosition, (TPoint{l, t}));
        ASSERT_LE(a.MaxSize.X, 1920);
        ASSERT_LE(a.MaxSize.Y, 1040);
    }
}

TEST(CoreMaximized, TheCornerIsBroughtBackOntoTheMonitor) {
    // A bottom taskbar 30 high on a 1024 x 768 monitor: bottom 760 goes to 738.
    const TTaskbarArea area = TaskbarArea({0, 738, 1024, 768}, teBottom, false, 1024, 768, true);
    const TPoint limit = LegacyWorkLimits(area, true);
    EXPECT_EQ(limit, (TPoint{1024, 738}));
    EXPECT_EQ(KeepCornerWithin({10, 460, 410, 760}, limit.X, limit.Y), (TPoint{10, 438}));
    EXPECT_EQ(KeepCornerWithin({10, 10, 410, 310}, limit.X, limit.Y), std::nullopt);
    EXPECT_EQ(KeepCornerWithin({900, 10, 1300, 310}, 1024, 768), (TPoint{624, 10}));
    // A top taskbar is given back on the legacy route.
    const TTaskbarArea top = TaskbarArea({0, 0, 1024, 30}, teTop, false, 1024, 768, true);
    EXPECT_EQ(LegacyWorkLimits(top, true), (TPoint{1024, 768}));
    EXPECT_EQ(
        LegacyWorkLimits(TaskbarArea({0, 0, 1024, 30}, teTop, false, 1024, 768, false), false),
        (TPoint{1024, 768}));
}

} // namespace
