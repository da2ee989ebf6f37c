// Bounds at the ends of the 32-bit range: a form file may hold any integer, and
// the scaling saturates there. The values are kept as stored; only the edges
// computed from them stop at the range instead of wrapping around.
#include "support/QuorvelFixture.h"

#include "quorvel/vcl/StdCtrls.h"

#include <climits>

namespace QuorvelTest {
namespace {

using namespace Vcl;

class ExtremeBounds : public TQuorvelFixture {};

TEST_F(ExtremeBounds, StoredValuesStayAndTheirEdgesStopAtTheRangeBeforeAndAfterAPass) {
    auto& form = Load(
        FormText(Button("Far", INT_MAX, INT_MAX - 10, 26, 26) + Button("Near", 10, 20, 30, 40)));
    auto& far = Get(form, "Far");
    auto& near = Get(form, "Near");

    // As read: nothing clamped, and a form written back holds the same numbers.
    EXPECT_EQ(far.Left(), INT_MAX);
    EXPECT_EQ(far.Top(), INT_MAX - 10);
    EXPECT_EQ(far.Width(), 26);
    EXPECT_EQ(Bounds(far), (TRect{INT_MAX, INT_MAX - 10, INT_MAX, INT_MAX}));
    const String saved = SaveFormText(form);
    EXPECT_NE(saved.find("Left = 2147483647"), String::npos) << saved;
    EXPECT_NE(saved.find("Top = 2147483637"), String::npos) << saved;

    // Twice the size: the scaled position saturates, the rectangle still holds.
    form.Show();
    SetClient(form, 800, 600);
    EXPECT_EQ(far.Left(), INT_MAX);
    EXPECT_EQ(far.Top(), INT_MAX);
    EXPECT_EQ(far.Width(), 52);
    EXPECT_EQ(far.Height(), 52);
    EXPECT_EQ(Bounds(far), (TRect{INT_MAX, INT_MAX, INT_MAX, INT_MAX}));

    // Ordinary bounds are untouched by the rule.
    EXPECT_EQ(Bounds(near), (TRect{20, 40, 80, 120}));
}

TEST_F(ExtremeBounds, ARectangleAcrossTheWholeRangeReportsTheLargestExtent) {
    const TRect whole{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_EQ(whole.Width(), INT_MAX);
    EXPECT_EQ(whole.Height(), INT_MAX);
    const TRect inverted{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    EXPECT_EQ(inverted.Width(), INT_MIN);
    EXPECT_EQ((TRect{-5, 7, 12, 3}.Width()), 17);
    EXPECT_EQ((TRect{-5, 7, 12, 3}.Height()), -4);
}

} // namespace
} // namespace QuorvelTest
