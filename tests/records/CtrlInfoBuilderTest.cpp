// The record builder: controls created at run time are recorded in reference
// geometry, named when they have no name, and cleared of a copied generated name.
#include "support/QuorvelFixture.h"

#include "quorvel/vcl/ExtCtrls.h"
#include "quorvel/vcl/StdCtrls.h"

#include <array>

namespace QuorvelTest {
namespace {

using namespace Vcl;

using TGeometry = std::array<int, 4>; // Left, Top, Width, Height

TGeometry Geometry(const TControl& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }
TGeometry Reference(const Quorvel::TCtrlInfo& r) { return {r.Left, r.Top, r.Width, r.Height}; }

class CtrlInfoBuilder : public TQuorvelFixture {
protected:
    template <typename T>
    T* Create(TCustomForm& form, const String& name, int l, int t, int w, int h) {
        auto* c = new T(&form);
        if (!name.empty())
            c->SetName(name);
        c->SetParent(&form);
        c->SetBounds(l, t, w, h);
        return c;
    }
};

TEST_F(CtrlInfoBuilder, RecordsAControlInTheReferenceGeometryOfTheLastPass) {
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20)));
    auto& q = Component(form);
    SetClient(form, 600, 450); // 1.5 on both axes
    ASSERT_DOUBLE_EQ(q.State().PrevScaleF, 1.5);

    auto* added = Create<TButton>(form, "Added", 150, 90, 120, 45);
    added->SetParentFont(false);
    added->Font()->SetSize(12);
    q.DynamicAdd();

    auto* r = Record(q, "Added");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Reference(*r), (TGeometry{100, 60, 80, 30}));
    EXPECT_EQ((TGeometry{r->OldLeft, r->OldTop, r->OldWidth, r->OldHeight}),
              (TGeometry{150, 90, 120, 45}));
    ASSERT_NE(r->Font, nullptr);
    EXPECT_EQ(r->Font->Size(), 8); // 12 / 1.5 + 0.5 = 8.5
    EXPECT_EQ(r->OldFontSize, 12);
    EXPECT_FALSE(r->ParentFont);
    EXPECT_FALSE(r->OrgParentFont);
    EXPECT_TRUE(r->ParentName.empty());
    EXPECT_EQ(r->ChildCtlCnt, 0);
    EXPECT_EQ(q.State().AddCnt, 1);

    SetClient(form, 800, 600);
    EXPECT_EQ(Geometry(*added), (TGeometry{200, 120, 160, 60}));
    EXPECT_EQ(added->Font()->Size(), 16);
}

TEST_F(CtrlInfoBuilder, ReferenceValuesRoundAsThePassDoes) {
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20)));
    auto& q = Component(form);
    // Before any pass the factors are 1: the control's values are its reference.
    auto* early = Create<TButton>(form, "Early", -5, 7, 30, 20);
    q.DynamicAdd();
    EXPECT_EQ(Reference(*Record(q, "Early")), (TGeometry{-5, 7, 30, 20}));

    SetClient(form, 600, 450);
    auto* late = Create<TButton>(form, "Late", 100, 100, 30, 20);
    q.DynamicAdd();
    EXPECT_EQ(Record(q, "Late")->Left, 67); // 66.67 + 0.5
    SetClient(form, 600, 460);              // 1.5 across again
    EXPECT_EQ(late->Left(), 101);           // 100.5 + 0.5
    EXPECT_EQ(early->Left(), -8);           // -5 x 1.5 = -7.5, half away from zero
}

TEST_F(CtrlInfoBuilder, GeneratedNamesCountEveryRecordTheBuilderMakes) {
    const std::string frame = "object Frame2: TFrame2\n  Width = 200\n  Height = 100\n"
                              "  object Inner: TButton\n    Left = 10\n    Top = 10\n"
                              "    Width = 40\n    Height = 20\n  end\nend\n";
    auto& form = LoadWithFrames(FormText(Button("Button1", 10, 10, 50, 20)), {frame});
    auto& q = Component(form);
    Create<TButton>(form, "Named1", 10, 40, 50, 20);
    Create<TButton>(form, "Named2", 10, 70, 50, 20);
    auto* unnamed = Create<TButton>(form, "", 10, 100, 50, 20);
    q.DynamicAdd();
    EXPECT_EQ(unnamed->Name(), "QvlAdd0003");
    EXPECT_NE(Record(q, "QvlAdd0003"), nullptr);

    // A frame and its child count one each.
    auto* frameCtl = new TFrame(&form);
    frameCtl->SetName("Frame9");
    frameCtl->SetParent(&form);
    auto* inner = new TButton(frameCtl);
    inner->SetParent(frameCtl);
    auto* next = Create<TLabel>(form, "", 10, 130, 50, 20);
    next->SetAutoSize(false);
    next->SetBounds(10, 130, 50, 20);
    q.DynamicAdd();
    EXPECT_EQ(inner->Name(), "QvlAdd0005");
    EXPECT_NE(ChildRecord(q, "Frame9", "QvlAdd0005"), nullptr);
    EXPECT_EQ(next->Name(), "QvlAdd0006");
    EXPECT_EQ(q.State().AddCnt, 6);

    // The new name is the control's key from then on.
    SetClient(form, 800, 600);
    EXPECT_EQ(Geometry(*next), (TGeometry{20, 260, 100, 40}));
}

TEST_F(CtrlInfoBuilder, AGeneratedNameThatIsTakenLeavesNoRecordAndTheNextTryMovesOn) {
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20)));
    auto& q = Component(form);
    auto* unnamed = Create<TButton>(form, "", 10, 40, 50, 20);
    Create<TButton>(form, "QvlAdd0001", 10, 70, 50, 20);
    const int ctlCnt = q.State().CtlCnt;

    EXPECT_THROW(q.DynamicAdd(), EComponentError);
    EXPECT_EQ(unnamed->Name(), "");
    EXPECT_EQ(q.Ctrls()->Count(), 1);
    EXPECT_EQ(q.State().CtlCnt, ctlCnt);
    EXPECT_EQ(q.State().AddCnt, 1);

    q.DynamicAdd();
    EXPECT_EQ(unnamed->Name(), "QvlAdd0002");
    EXPECT_NE(Record(q, "QvlAdd0002"), nullptr);
    EXPECT_NE(Record(q, "QvlAdd0001"), nullptr);
    EXPECT_EQ(q.State().AddCnt, 3);
    EXPECT_EQ(q.State().CtlCnt, form.ComponentCount());
}

TEST_F(CtrlInfoBuilder, ATextStartingWithTheGeneratedPrefixIsCleared) {
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20)));
    auto& q = Component(form);
    // Naming copies the new name into an empty caption; the builder clears it again.
    auto* button = Create<TButton>(form, "", 10, 40, 50, 20);
    // A caption that is not the old name stays.
    auto* captioned = Create<TButton>(form, "", 10, 70, 50, 20);
    captioned->SetText("OK");
    auto* prefixed = Create<TButton>(form, "Prefixed", 10, 100, 50, 20);
    prefixed->SetText("QvlAddress");
    auto* lower = Create<TButton>(form, "Lower", 10, 130, 50, 20);
    lower->SetText("qvladdress");
    auto* edit = Create<TEdit>(form, "Edit1", 10, 160, 50, 20);
    edit->SetText("QvlAdd");
    auto* label = Create<TLabel>(form, "", 10, 190, 50, 20);
    q.DynamicAdd();

    EXPECT_EQ(button->Name(), "QvlAdd0001");
    EXPECT_EQ(button->GetText(), "");
    EXPECT_EQ(captioned->Name(), "QvlAdd0002");
    EXPECT_EQ(captioned->GetText(), "OK");
    EXPECT_EQ(prefixed->GetText(), "");
    EXPECT_EQ(lower->GetText(), "qvladdress");
    EXPECT_EQ(edit->GetText(), "");
    EXPECT_EQ(label->Name(), "QvlAdd0006");
    EXPECT_EQ(label->GetText(), "");
}

TEST_F(CtrlInfoBuilder, AControlWithoutAFontPropertyGetsNoFontCopy) {
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20)));
    auto& q = Component(form);
    SetClient(form, 800, 600);
    auto* bevel = Create<TBevel>(form, "Bevel1", 40, 40, 100, 20);
    bevel->SetParentFont(false);
    q.DynamicAdd();
    auto* r = Record(q, "Bevel1");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Font, nullptr);
    EXPECT_TRUE(r->ParentFont);
    EXPECT_TRUE(r->OrgParentFont);
    EXPECT_EQ(r->OldFontSize, 0);
    EXPECT_EQ(Reference(*r), (TGeometry{20, 20, 50, 10}));

    SetClient(form, 400, 300);
    EXPECT_EQ(Geometry(*bevel), (TGeometry{20, 20, 50, 10}));
    EXPECT_FALSE(bevel->ParentFont());
}

} // namespace
} // namespace QuorvelTest
