// Controls created and freed at run time: what each pass notices by itself, and
// what waits for DynamicAdd and DynamicDelete.
#include "support/QuorvelFixture.h"

#include "quorvel/vcl/ExtCtrls.h"
#include "quorvel/vcl/StdCtrls.h"

#include <array>

namespace QuorvelTest {
namespace {

using namespace Vcl;

using TGeometry = std::array<int, 4>; // Left, Top, Width, Height

TGeometry Geometry(const TControl& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

const std::string FrameFile = "object Frame2: TFrame2\n  Width = 200\n  Height = 100\n"
                              "  object Inner: TButton\n    Left = 10\n    Top = 10\n"
                              "    Width = 40\n    Height = 20\n  end\n"
                              "  object Other: TEdit\n    Left = 10\n    Top = 40\n"
                              "    Width = 40\n    Height = 20\n  end\nend\n";

class Dynamic : public TQuorvelFixture {
protected:
    static TButton* NewButton(TComponent& owner, TWinControl& parent, const String& name, int l,
                              int t, int w, int h) {
        auto* b = new TButton(&owner);
        if (!name.empty())
            b->SetName(name);
        b->SetParent(&parent);
        b->SetBounds(l, t, w, h);
        return b;
    }

    static bool HasNilEntries(const TQuorvel& q) {
        for (void* item : *q.Ctrls())
            if (!item)
                return true;
        for (void* item : *q.ChildCtrls())
            if (!item)
                return true;
        return false;
    }
};

TEST_F(Dynamic, APlainControlWaitsForDynamicAdd) {
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20)));
    auto& q = Component(form);
    auto* added = NewButton(form, form, "Added", 100, 100, 60, 30);
    // The form's count changed, the nested total did not: passes leave it alone.
    SetClient(form, 800, 600);
    SetClient(form, 600, 450);
    EXPECT_EQ(Record(q, "Added"), nullptr);
    EXPECT_EQ(Geometry(*added), (TGeometry{100, 100, 60, 30}));
    EXPECT_EQ(Get<TButton>(form, "Button1").Left(), 15);

    q.DynamicAdd();
    EXPECT_EQ(q.State().CtlCnt, form.ComponentCount());
    SetClient(form, 800, 600);
    // It was placed in the 1.5 layout, so its reference is two thirds of that.
    EXPECT_EQ(Geometry(*added), (TGeometry{134, 134, 80, 40}));
}

TEST_F(Dynamic, AFrameCreatedAtRunTimeIsRecordedByTheNextPassWithItsChildren) {
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20), "    NoResizeCtl = 'Listed'\n"));
    auto& q = Component(form);
    auto* frame = new TFrame(&form);
    frame->SetName("Frame9");
    frame->SetParent(&form);
    frame->SetBounds(10, 100, 200, 100);
    auto* inner = NewButton(*frame, *frame, "Inner", 5, 5, 40, 20);
    auto* listed = NewButton(*frame, *frame, "Listed", 5, 40, 40, 20);
    new TTimer(frame);

    SetClient(form, 800, 600);
    auto* r = Record(q, "Frame9");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->ChildCtlCnt, 3);
    EXPECT_NE(ChildRecord(q, "Frame9", "Inner"), nullptr);
    EXPECT_EQ(ChildRecord(q, "Frame9", "Listed"), nullptr);
    EXPECT_EQ(q.ChildCtrls()->Count(), 1);
    // Recorded before the controls were placed, so this very pass scales them.
    EXPECT_EQ(Geometry(*frame), (TGeometry{20, 200, 400, 200}));
    EXPECT_EQ(Geometry(*inner), (TGeometry{10, 10, 80, 40}));
    EXPECT_EQ(Geometry(*listed), (TGeometry{5, 40, 40, 20}));
    EXPECT_EQ(q.State().CtlCnt, form.ComponentCount());
    EXPECT_EQ(q.State().ChildCtlCnt, 3);
}

TEST_F(Dynamic, AFreedPlainControlKeepsItsRecordUntilDynamicDelete) {
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20) + Button("Gone", 10, 40, 50, 20)));
    auto& q = Component(form);
    delete &Get<TButton>(form, "Gone");
    SetClient(form, 800, 600);
    EXPECT_NE(Record(q, "Gone"), nullptr);

    // A control made later under that name is placed by the old record.
    auto* again = NewButton(form, form, "Gone", 300, 200, 10, 10);
    SetClient(form, 400, 300);
    EXPECT_EQ(Geometry(*again), (TGeometry{10, 40, 50, 20}));

    delete again;
    q.DynamicDelete();
    EXPECT_EQ(Record(q, "Gone"), nullptr);
    EXPECT_EQ(q.Ctrls()->Count(), 1);
    EXPECT_EQ(q.State().CtlCnt, form.ComponentCount());
}

TEST_F(Dynamic, FreeingOneControlAndCreatingAnotherGoesUnnoticed) {
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20) + Button("Old", 10, 40, 50, 20)));
    auto& q = Component(form);
    const auto before = q.State();
    delete &Get<TButton>(form, "Old");
    auto* fresh = NewButton(form, form, "Fresh", 100, 100, 60, 30);
    SetClient(form, 800, 600);
    EXPECT_EQ(Geometry(*fresh), (TGeometry{100, 100, 60, 30}));
    EXPECT_EQ(Record(q, "Fresh"), nullptr);
    EXPECT_NE(Record(q, "Old"), nullptr);
    EXPECT_EQ(q.State().CtlCnt, before.CtlCnt);
    EXPECT_EQ(q.State().ChildCtlCnt, before.ChildCtlCnt);
}

TEST_F(Dynamic, AFreedFrameLeavesNoRecordOfItselfOrItsChildren) {
    auto& form =
        LoadWithFrames(FormText(Button("Button1", 10, 10, 50, 20) +
                                "  inline FrameA: TFrame2\n    Left = 10\n    Top = 50\n  end\n" +
                                Button("Between", 10, 160, 50, 20) +
                                "  inline FrameB: TFrame2\n    Left = 200\n    Top = 50\n  end\n"),
                       {FrameFile});
    auto& q = Component(form);
    ASSERT_EQ(q.ChildCtrls()->Count(), 4);
    delete &Get<TFrame>(form, "FrameA");
    // A plain control freed at the same time goes only through DynamicDelete.
    delete &Get<TButton>(form, "Between");
    q.DynamicDelete();

    EXPECT_EQ(Record(q, "FrameA"), nullptr);
    EXPECT_EQ(Record(q, "Between"), nullptr);
    EXPECT_EQ(ChildRecord(q, "FrameA", "Inner"), nullptr);
    EXPECT_EQ(ChildRecord(q, "FrameA", "Other"), nullptr);
    EXPECT_NE(ChildRecord(q, "FrameB", "Inner"), nullptr);
    EXPECT_EQ(q.Ctrls()->Count(), 2);
    EXPECT_EQ(q.ChildCtrls()->Count(), 2);
    EXPECT_FALSE(HasNilEntries(q));
    EXPECT_EQ(Record(q, "FrameB")->ChildCtlCnt, 2);

    SetClient(form, 800, 600);
    EXPECT_EQ(Geometry(Get<TButton>(Get<TFrame>(form, "FrameB"), "Inner")),
              (TGeometry{20, 20, 80, 40}));
}

TEST_F(Dynamic, APassNoticesAFrameFreedWithItsChildren) {
    auto& form =
        LoadWithFrames(FormText(Button("Button1", 10, 10, 50, 20) +
                                "  inline FrameA: TFrame2\n    Left = 10\n    Top = 50\n  end\n"),
                       {FrameFile});
    auto& q = Component(form);
    delete &Get<TFrame>(form, "FrameA");
    SetClient(form, 800, 600);
    EXPECT_EQ(Record(q, "FrameA"), nullptr);
    EXPECT_EQ(q.ChildCtrls()->Count(), 0);
    EXPECT_EQ(Get<TButton>(form, "Button1").Left(), 20);
}

TEST_F(Dynamic, ChildrenOfARecordedFrameAreDroppedButNeverAdded) {
    auto& form = LoadWithFrames(
        FormText("  inline FrameA: TFrame2\n    Left = 10\n    Top = 50\n  end\n"), {FrameFile});
    auto& q = Component(form);
    auto& frame = Get<TFrame>(form, "FrameA");
    auto* late = NewButton(frame, frame, "Late", 100, 10, 40, 20);
    q.DynamicAdd();
    EXPECT_EQ(ChildRecord(q, "FrameA", "Late"), nullptr);

    delete &Get<TEdit>(frame, "Other");
    q.DynamicDelete();
    EXPECT_EQ(ChildRecord(q, "FrameA", "Other"), nullptr);
    EXPECT_NE(ChildRecord(q, "FrameA", "Inner"), nullptr);
    EXPECT_EQ(Record(q, "FrameA")->ChildCtlCnt, 1);
    EXPECT_FALSE(HasNilEntries(q));
    SetClient(form, 800, 600);
    EXPECT_EQ(Geometry(*late), (TGeometry{100, 10, 40, 20}));
}

TEST_F(Dynamic, DynamicAddWithNothingNewOnlyResetsTheCounters) {
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20)));
    auto& q = Component(form);
    new TTimer(&form);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    delete panel;
    SetClient(form, 800, 600);
    ASSERT_NE(q.State().CtlCnt, form.ComponentCount());

    q.DynamicAdd();
    EXPECT_EQ(q.State().CtlCnt, form.ComponentCount());
    EXPECT_EQ(q.State().AddCnt, 0);
    EXPECT_EQ(q.Ctrls()->Count(), 1);
    q.DynamicAdd();
    EXPECT_EQ(q.State().AddCnt, 0);
}

TEST_F(Dynamic, AnUnnamedControlMatchesAnUnnamedStartUpRecord) {
    auto& form = Load(FormText("  object TButton\n    Left = 10\n    Top = 10\n"
                               "    Width = 50\n    Height = 20\n  end\n"));
    auto& q = Component(form);
    ASSERT_NE(Record(q, ""), nullptr);
    auto* unnamed = NewButton(form, form, "", 200, 200, 60, 30);
    q.DynamicAdd();
    EXPECT_EQ(unnamed->Name(), "");
    EXPECT_EQ(q.Ctrls()->Count(), 1);
    EXPECT_EQ(q.State().AddCnt, 0);
    SetClient(form, 800, 600);
    EXPECT_EQ(Geometry(*unnamed), (TGeometry{20, 20, 100, 40}));
}

TEST_F(Dynamic, AnOlderRecordOfTheSameNameStaysTheOneUsed) {
    // The start-up record of a freed control stays until DynamicDelete; a control
    // that the builder then names the same way gets a second record of that name.
    auto& form = Load(FormText(Button("QvlAdd0001", 10, 10, 50, 20)));
    auto& q = Component(form);
    delete &Get<TButton>(form, "QvlAdd0001");
    auto* unnamed = NewButton(form, form, "", 100, 100, 60, 30);
    q.DynamicAdd();
    ASSERT_EQ(unnamed->Name(), "QvlAdd0001");
    ASSERT_EQ(q.Ctrls()->Count(), 2);

    SetClient(form, 800, 600);
    EXPECT_EQ(Geometry(*unnamed), (TGeometry{20, 20, 100, 40}));
    // Both records match the living control, so both stay, in their order.
    q.DynamicDelete();
    ASSERT_EQ(q.Ctrls()->Count(), 2);
    SetClient(form, 400, 300);
    EXPECT_EQ(Geometry(*unnamed), (TGeometry{10, 10, 50, 20}));
}

TEST_F(Dynamic, ARenamedControlIsTreatedAsGoneAndRecordedAgainUnderItsNewName) {
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20)));
    auto& q = Component(form);
    SetClient(form, 800, 600);
    auto& b1 = Get<TButton>(form, "Button1");
    b1.SetName("Renamed");
    SetClient(form, 400, 300);
    EXPECT_EQ(Geometry(b1), (TGeometry{20, 20, 100, 40}));

    q.DynamicDelete();
    EXPECT_EQ(Record(q, "Button1"), nullptr);
    // The pass at 400 x 300 scaled nothing, so the control still counts as placed
    // in the layout at twice the reference size.
    EXPECT_DOUBLE_EQ(q.State().PrevScaleX, 2.0);
    q.DynamicAdd();
    ASSERT_NE(Record(q, "Renamed"), nullptr);
    EXPECT_EQ(Record(q, "Renamed")->Reference.Left, 10);
    SetClient(form, 800, 600);
    EXPECT_EQ(Geometry(b1), (TGeometry{20, 20, 100, 40}));
}

} // namespace
} // namespace QuorvelTest
