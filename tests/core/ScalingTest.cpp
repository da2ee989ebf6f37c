// The factors of a pass and what they do to bounds and font sizes, as values:
// worked examples first, then properties over random inputs.
#include "quorvel/core/Scaling.h"
#include "quorvel/core/Rounding.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>

namespace {

using namespace Quorvel::Core;

TEST(CoreFactors, ClientRatioTimesResolutionRatio) {
    const TReference ref{400, 300, 96, 96, 96, 96};
    EXPECT_EQ(PassFactors(800, 450, ref), (TFactors{2.0, 1.5, 1.5}));
    // Designed at 96 DPI, running at 144: 1.5 x (96 / 144) is exactly 1.0.
    EXPECT_EQ(PassFactors(900, 300, {600, 300, 96, 96, 144, 96}).X, 1.0);
    // No run-time resolution, or no reference extent: the axis keeps 1.0.
    EXPECT_EQ(PassFactors(1234, 567, {400, 300, 96, 96, 0, 0}), (TFactors{1.0, 1.0, 1.0}));
    EXPECT_EQ(PassFactors(1234, 600, {0, 300, 96, 96, 96, 96}), (TFactors{1.0, 2.0, 1.0}));
}

TEST(CoreBounds, RoundedHalfAwayFromZeroWithSizesNeverZero) {
    const TFactors f{2.0, 1.5, 1.5};
    EXPECT_EQ(ScaleBounds({10, 10, 101, 21}, f), (TBounds{20, 15, 202, 32}));
    // A size that scales to 0 ends at 1; a position of 0 stays at the edge.
    EXPECT_EQ(ScaleBounds({0, 0, 0, 0}, f), (TBounds{0, 0, 1, 1}));
    EXPECT_EQ(ScaleBounds({4, 4, 1, 1}, {0.1, 0.1, 0.1}), (TBounds{0, 0, 1, 1}));
    EXPECT_EQ(ScaleBounds({5, 5, 1, 1}, {0.1, 0.1, 0.1}), (TBounds{1, 1, 1, 1}));
    // Negative values round as their positive counterparts: factor 1.0 keeps them.
    EXPECT_EQ(ScaleCoord(-10, 1.0), -10);
    EXPECT_EQ(ScaleCoord(-100, 1.0), -100);
    EXPECT_EQ(ScaleCoord(-11, 1.5), -17); // -16.5, half away from zero
    EXPECT_EQ(ScaleCoord(11, 1.5), 17);
    EXPECT_EQ(ScaleCoord(-3, 0.1), 0); // -0.3
    EXPECT_EQ(ScaleBounds({-5, -15, 20, 20}, {0.1, 0.1, 0.1}), (TBounds{-1, -2, 2, 2}));
}

TEST(CoreFonts, ControlsTruncateAndTheFormRounds) {
    EXPECT_EQ(ScaleFontPoints(9, 1.5), 13);
    EXPECT_EQ(ScaleFontPoints(8, 0.1), 1);
    EXPECT_EQ(ScaleFontPixels(15, 0.5), 7);
    EXPECT_EQ(ScaleFormFont(9, 1.5), 14);
    EXPECT_EQ(ScaleFormFont(8, 0.05), 0); // the form's font has no lower bound
}

TEST(CoreReference, CurrentGeometryDividedByTheLatestFactors) {
    EXPECT_EQ(ReferenceFromCurrent(100, 1.5), 67);
    EXPECT_EQ(ScaleCoord(67, 1.5), 101);
    EXPECT_EQ(ReferenceFromCurrent(-5, 1.0), -5);
    EXPECT_EQ(ReferenceFromCurrent(-100, 1.5), -67);
    EXPECT_EQ(ReferenceFromCurrent(100, 0.0), std::nullopt);
    const TFactors f{1.5, 1.5, 1.5};
    EXPECT_EQ(ReferenceBounds({150, 90, 120, 45}, f), (TBounds{100, 60, 80, 30}));
    EXPECT_EQ(ReferenceFromCurrent(12, 1.5), 8);
    // An axis at factor 0 keeps the fallback's values.
    EXPECT_EQ(ReferenceBounds({150, 90, 120, 45}, {0.0, 2.0, 0.0}, {7, 7, 7, 7}),
              (TBounds{7, 45, 7, 23}));
}

TEST(CoreRounding, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(Trunc(1e300), INT_MAX);
    EXPECT_EQ(Trunc(-1e300), INT_MIN);
    EXPECT_EQ(Trunc(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(ScaleCoord(INT_MAX, 4.0), INT_MAX);
    EXPECT_EQ(Half(-101), -50);
}

// ---- Properties over random inputs ----

class CoreScalingProperties : public testing::Test {
protected:
    std::mt19937 Random{20240611};
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(Random); }
    double Real(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(Random);
    }
};

TEST_F(CoreScalingProperties, TheDesignSizeGivesTheDesignLayout) {
    for (int i = 0; i < 2000; ++i) {
        const int dpi = Int(72, 288);
        const TReference ref{Int(1, 4000), Int(1, 3000), dpi, dpi, dpi, dpi};
        const TFactors f = PassFactors(ref.ClientWidth, ref.ClientHeight, ref);
        ASSERT_EQ(f, (TFactors{1.0, 1.0, 1.0}));
        const TBounds b{Int(1, 5000), Int(1, 5000), Int(1, 5000), Int(1, 5000)};
        ASSERT_EQ(ScaleBounds(b, f), b);
    }
}

TEST_F(CoreScalingProperties, FontFactorIsTheSmallerAxis) {
    for (int i = 0; i < 2000; ++i) {
        const TReference ref{Int(1, 4000), Int(1, 3000), Int(1, 300),
                             Int(1, 300),  Int(0, 300),  Int(0, 300)};
        const TFactors f = PassFactors(Int(0, 65535), Int(0, 65535), ref);
        ASSERT_EQ(f.Font, std::min(f.X, f.Y));
        ASSERT_TRUE(std::isfinite(f.X) && std::isfinite(f.Y));
    }
}

TEST_F(CoreScalingProperties, ScaledSizesAreNeverZeroAndOrderAndSignAreKept) {
    for (int i = 0; i < 5000; ++i) {
        const TFactors f{Real(0.01, 8.0), Real(0.01, 8.0), 0};
        const TBounds b{Int(-3000, 3000), Int(-3000, 3000), Int(0, 3000), Int(0, 3000)};
        const TBounds s = ScaleBounds(b, f);
        ASSERT_GE(s.Width, 1);
        ASSERT_GE(s.Height, 1);
        // Mirrored about the parent's edge, a position scales to its mirror image.
        ASSERT_EQ(ScaleCoord(-b.Left, f.X), -s.Left);
        ASSERT_EQ(ScaleCoord(-b.Top, f.Y), -s.Top);
        // A larger reference never scales to a smaller value.
        const int a = Int(-3000, 3000), c = a + Int(0, 3000);
        ASSERT_LE(ScaleCoord(a, f.X), ScaleCoord(c, f.X));
        ASSERT_GE(ScaleFontPoints(Int(1, 72), f.X), 1);
    }
}

// Bounds scale all four values at once: each must be what its own rounding
// gives, also at halves, for negative values, beyond the range and for NaN.
TEST_F(CoreScalingProperties, BoundsScaleAsTheirValuesDoOneByOne) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const int edges[] = {0, 1, -1, 5, -5, 15, -15, INT_MAX, INT_MIN, INT_MAX - 1, INT_MIN + 1};
    const double factors[] = {1.0, 0.1, 1.5, 0.5, 2.0, 1e-300, 1e300, 0.0, -1.0, nan};
    auto one = [](const TBounds& b, const TFactors& f) {
        return TBounds{ScaleCoord(b.Left, f.X), ScaleCoord(b.Top, f.Y),
                       RaiseZero(ScaleCoord(b.Width, f.X)), RaiseZero(ScaleCoord(b.Height, f.Y))};
    };
    for (int i = 0; i < 20000; ++i) {
        auto value = [&] { return i % 2 ? edges[Int(0, 10)] : Int(-5000, 5000); };
        auto factor = [&] { return i % 3 ? Real(0.01, 8.0) : factors[Int(0, 9)]; };
        const TBounds b{value(), value(), value(), value()};
        const TFactors f{factor(), factor(), 1.0};
        ASSERT_EQ(ScaleBounds(b, f), one(b, f)) << b.Left << ' ' << b.Top << ' ' << b.Width << ' '
                                                << b.Height << " at " << f.X << ' ' << f.Y;
    }
    // Exactly INT_MIN and exactly a half below zero.
    EXPECT_EQ(ScaleBounds({INT_MIN, -1, INT_MIN, -1}, {1.0, 0.5, 1.0}),
              (TBounds{INT_MIN, -1, INT_MIN, -1}));
}

TEST_F(CoreScalingProperties, ARecordedControlStaysWhereItStandsUpToRounding) {
    for (int i = 0; i < 5000; ++i) {
        const double f = Real(0.2, 6.0);
        const int current = Int(-4000, 4000);
        const int reference = *ReferenceFromCurrent(current, f);
        // The next pass at the same factor puts it back within half a factor, on
        // either side of the origin alike.
        ASSERT_LE(std::abs(ScaleCoord(reference, f) - current), f / 2 + 1) << current << " " << f;
    }
}

} // namespace
