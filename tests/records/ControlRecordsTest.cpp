// A pass finds again what the previous pass found at each of the form's
// components only while it still holds: whatever changed in between (names,
// classes, exclusions, records) is seen by the next pass as a first pass would.
#include "support/QuorvelFixture.h"

#include "quorvel/vcl/ExtCtrls.h"
#include "quorvel/vcl/StdCtrls.h"

#include <array>

namespace QuorvelTest {
namespace {

using namespace Vcl;

using TGeometry = std::array<int, 4>; // Left, Top, Width, Height

TGeometry Geometry(const TControl& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

const std::string OwnFont = "    Font.Height = -12\n    ParentFont = False\n";

class ControlRecords : public TQuorvelFixture {};

TEST_F(ControlRecords, ExclusionsChangedBetweenPassesHoldFromTheNextPass) {
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20, OwnFont) +
                               Button("Button2", 10, 40, 50, 20, OwnFont)));
    auto& q = Component(form);
    auto& b1 = Get<TButton>(form, "Button1");
    auto& b2 = Get<TButton>(form, "Button2");
    SetClient(form, 800, 600);
    ASSERT_EQ(Geometry(b1), (TGeometry{20, 20, 100, 40}));
    ASSERT_EQ(b2.Font()->Size(), 18);

    q.SetNoResizeCtl("button1");
    SetClient(form, 400, 300);
    EXPECT_EQ(Geometry(b1), (TGeometry{20, 20, 100, 40})); // left where it was
    EXPECT_EQ(b1.Font()->Size(), 18);
    EXPECT_EQ(Geometry(b2), (TGeometry{10, 40, 50, 20}));
    EXPECT_EQ(b2.Font()->Size(), 9);

    q.SetNoResizeFntCtl("Button2");
    SetClient(form, 800, 600);
    EXPECT_EQ(Geometry(b2), (TGeometry{20, 80, 100, 40}));
    EXPECT_EQ(b2.Font()->Size(), 9); // its bounds follow, its font does not

    q.SetNoResizeCtl("");
    SetClient(form, 400, 300);
    EXPECT_EQ(Geometry(b1), (TGeometry{10, 10, 50, 20}));
    q.SetNoResizeFntCtl("");
    SetClient(form, 800, 600);
    EXPECT_EQ(b2.Font()->Size(), 18);
}

TEST_F(ControlRecords, AComponentReplacedAtTheSamePlaceIsJudgedByItsOwnClassAndName) {
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20) + Button("Last", 10, 40, 50, 20)));
    auto& q = Component(form);
    SetClient(form, 800, 600);
    const int place = Get<TButton>(form, "Last").ComponentIndex();

    // Another class under the same name, at the same place: the record holds.
    delete &Get<TButton>(form, "Last");
    auto* shape = new TShape(&form);
    shape->SetName("Last");
    shape->SetParent(&form);
    shape->SetBounds(300, 200, 5, 5);
    ASSERT_EQ(shape->ComponentIndex(), place);
    SetClient(form, 400, 300);
    EXPECT_EQ(Geometry(*shape), (TGeometry{10, 40, 50, 20}));

    // A component that is no control, under that name: passed over.
    delete shape;
    auto* timer = new TTimer(&form);
    timer->SetName("Last");
    SetClient(form, 800, 600);
    EXPECT_EQ(Geometry(Get<TButton>(form, "Button1")), (TGeometry{20, 20, 100, 40}));

    // A control of another name there: it has no record, and the dropped record
    // of the old name is never used again.
    delete timer;
    q.DynamicDelete();
    ASSERT_EQ(Record(q, "Last"), nullptr);
    auto* fresh = new TButton(&form);
    fresh->SetName("Fresh");
    fresh->SetParent(&form);
    fresh->SetBounds(30, 30, 30, 30);
    SetClient(form, 400, 300);
    EXPECT_EQ(Geometry(*fresh), (TGeometry{30, 30, 30, 30}));
    EXPECT_EQ(Geometry(Get<TButton>(form, "Button1")), (TGeometry{10, 10, 50, 20}));
}

TEST_F(ControlRecords, AFrameRenamedBetweenPassesNoLongerLeadsToItsControlsRecords) {
    const std::string frame = "object Frame2: TFrame2\n  Width = 200\n  Height = 100\n"
                              "  object Inner: TButton\n    Left = 10\n    Top = 10\n"
                              "    Width = 40\n    Height = 20\n  end\nend\n";
    auto& form = LoadWithFrames(
        FormText("  inline FrameA: TFrame2\n    Left = 10\n    Top = 50\n  end\n"), {frame});
    auto& frameA = Get<TFrame>(form, "FrameA");
    auto& inner = Get<TButton>(frameA, "Inner");
    SetClient(form, 800, 600);
    ASSERT_EQ(Geometry(inner), (TGeometry{20, 20, 80, 40}));

    frameA.SetName("FrameZ");
    SetClient(form, 400, 300);
    EXPECT_EQ(Geometry(frameA), (TGeometry{20, 100, 400, 200}));
    EXPECT_EQ(Geometry(inner), (TGeometry{20, 20, 80, 40}));

    frameA.SetName("FrameA");
    SetClient(form, 600, 450);
    EXPECT_EQ(Geometry(frameA), (TGeometry{15, 75, 300, 150}));
    EXPECT_EQ(Geometry(inner), (TGeometry{15, 15, 60, 30}));

    // A control of the frame replaced by another of the same name and class.
    delete &inner;
    auto* again = new TButton(&frameA);
    again->SetName("Inner");
    again->SetParent(&frameA);
    again->SetBounds(1, 1, 1, 1);
    SetClient(form, 800, 600);
    EXPECT_EQ(Geometry(*again), (TGeometry{20, 20, 80, 40}));
}

} // namespace
} // namespace QuorvelTest
