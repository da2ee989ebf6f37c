// The core at the ends of the 32-bit range: values a form file, a caller or the
// system may hand over unchecked. Every sum stops at the range instead of
// wrapping around (the sanitizer build also sees that nothing overflows).
#include "quorvel/core/FormLimits.h"
#include "quorvel/core/Geometry.h"
#include "quorvel/core/Placement.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>

namespace {

using namespace Quorvel::Core;

TEST(CoreExtremes, ExtentsAndDragLimitsSaturate) {
    EXPECT_EQ((TRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}.Width()), INT_MAX);
    EXPECT_EQ((TRect{INT_MAX, INT_MAX, INT_MIN, INT_MIN}.Height()), INT_MIN);
    // A minimum width at the limit from a form file, and a drag: the right edge
    // goes as far as it can, never before the left.
    TRect r = ClampDrag({100, 50, 300, 200}, {INT_MAX, INT_MAX, 0, 0});
    EXPECT_EQ(r, (TRect{100, 50, INT_MAX, INT_MAX}));
    r = ClampDrag({-100, -50, INT_MAX, INT_MAX}, {1, 1, INT_MAX, 10});
    EXPECT_EQ(r, (TRect{-100, -50, INT_MAX, -40}));
    r = ClampDrag({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {1, 1, 10, 10});
    EXPECT_EQ(r, (TRect{INT_MIN, INT_MIN, INT_MIN + 10, INT_MIN + 10}));
}

// A window rectangle relative to its parent's client origin, four values a step
// or one by one: the same, saturated wherever a difference leaves the range.
TEST(CoreExtremes, WindowBoundsInTheirParentSaturate) {
    struct TWinRect {
        std::int32_t left, top, right, bottom;
    };
    struct TWinPoint {
        std::int32_t x, y;
    };
    auto clamp = [](std::int64_t v) {
        return static_cast<int>(v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : v);
    };
    const int edges[] = {0, 1, -1, 100, -100, INT_MAX, INT_MIN, INT_MAX - 1, INT_MIN + 1};
    std::mt19937 random(5);
    auto value = [&](int i) {
        return i % 2 ? edges[std::uniform_int_distribution<int>(0, 8)(random)]
                     : std::uniform_int_distribution<int>(-3000, 3000)(random);
    };
    for (int i = 0; i < 20000; ++i) {
        const TWinRect r{value(i), value(i), value(i), value(i)};
        const TWinPoint o{value(i), value(i)};
        const TBounds expected{clamp(std::int64_t{r.left} - o.x), clamp(std::int64_t{r.top} - o.y),
                               clamp(std::int64_t{r.right} - r.left),
                               clamp(std::int64_t{r.bottom} - r.top)};
        ASSERT_EQ(BoundsIn(r, o), expected) << r.left << ' ' << r.top << ' ' << r.right << ' '
                                            << r.bottom << " from " << o.x << ' ' << o.y;
    }
    EXPECT_EQ(BoundsIn(TWinRect{INT_MIN, 0, INT_MAX, 10}, TWinPoint{1, -1}),
              (TBounds{INT_MIN, 1, INT_MAX, 10}));
}

TEST(CoreExtremes, MaximizedSizeAndPositionSaturate) {
    TMaxInfoQuery q;
    q.Area = TaskbarArea({0, 0, INT_MAX, 40}, teTop, false, INT_MAX, INT_MAX, true);
    q.Limits = {0, 0, INT_MAX, INT_MAX};
    q.Window = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    q.Monitor = {INT_MAX, INT_MAX, INT_MAX, INT_MAX};
    q.WorkArea = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    TMaxInfoAnswer a = MaxInfo(q);
    EXPECT_TRUE(a.Write);
    EXPECT_EQ(a.MaxSize.X, INT_MAX);
    EXPECT_GE(a.MaxPosition.X, 0);
    // No maximum: a negative size from the message widens the room as far as it goes.
    q.Limits = {};
    q.MaxSize = {INT_MIN, INT_MIN};
    q.Route = mrLegacyHook;
    q.Version410 = true;
    a = MaxInfo(q);
    EXPECT_EQ(a.MaxSize, (TPoint{INT_MAX, INT_MAX}));
    EXPECT_EQ(a.MaxPosition.Y, q.MaxPosition.Y - 40);

    q.Area.Bar = {0, 0, INT_MAX, INT_MAX};
    EXPECT_EQ(LegacyWorkLimits(q.Area, true), (TPoint{INT_MAX, INT_MAX}));
    q.Area.Edge = teLeft;
    EXPECT_EQ(LegacyWorkLimits(q.Area, true).X, INT_MAX);

    const auto corner = KeepCornerWithin({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, INT_MIN, INT_MIN);
    ASSERT_TRUE(corner.has_value());
    EXPECT_EQ(*corner, (TPoint{INT_MIN, INT_MIN}));
}

TEST(CoreExtremes, PlacementStaysWithinTheRange) {
    const TRect huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    const TFrameInsets insets = FrameInsets(huge, {INT_MAX, INT_MAX, INT_MIN, INT_MIN});
    EXPECT_EQ(insets.Inset, (TPoint{INT_MAX, INT_MAX}));
    EXPECT_EQ(insets.Excess, (TPoint{INT_MAX, INT_MAX}));
    for (int pos = rpDefault; pos <= rpBottomRight; ++pos)
        for (const bool composition : {false, true}) {
            const auto anchor = static_cast<TResizeFormPos>(pos);
            // A work area 2^32 - 1 wide and a window INT_MAX wide: the exact
            // anchors, left edge, centred and right edge at the area's.
            TPoint at = PlacementOrigin(anchor, huge, FrameInsets(huge, huge), INT_MAX, INT_MAX,
                                        composition);
            const int column = pos == rpDefault ? 0 : (pos - 1) % 3;
            const int expected[] = {INT_MIN, INT_MIN + (1 << 30), 0};
            EXPECT_EQ(at.X, expected[column]) << pos;
            // A window far out on both sides of an ordinary area.
            at = PlacementOrigin(anchor, {0, 0, 1920, 1040}, insets, INT_MIN, INT_MAX, composition);
            if (!composition) {
                EXPECT_GE(at.Y, 0) << pos;
            }
        }
}

} // namespace
