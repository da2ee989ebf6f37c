// The resize pass: every recorded control laid out again from its reference
// geometry whenever the form's client area changes size.
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
TGeometry Applied(const Quorvel::TCtrlInfo& r) {
    return {r.OldLeft, r.OldTop, r.OldWidth, r.OldHeight};
}

const std::string OwnFont9 = "    Font.Height = -12\n    ParentFont = False\n";
const std::string FormFont9 = "  Font.Height = -12\n";

class ResizePass : public TQuorvelFixture {};

TEST_F(ResizePass, ScalesBoundsAndFontsFromTheReferenceValues) {
    auto& form = Load(
        FormText(Button("Button1", 10, 10, 101, 21, OwnFont9) + Button("Button2", 200, 150, 80, 25),
                 "", FormFont9));
    auto& q = Component(form);
    TExitResizeLog log;
    log.Attach(q);
    auto& b1 = Get<TButton>(form, "Button1");

    SetClient(form, 800, 450);
    EXPECT_EQ(log.Calls, 1);
    EXPECT_DOUBLE_EQ(log.XScale, 2.0);
    EXPECT_DOUBLE_EQ(log.YScale, 1.5);
    // Geometry rounds (31.5 + 0.5 -> 32); control fonts truncate (13.5 -> 13) while
    // the form font rounds (13.5 + 0.5 -> 14).
    EXPECT_EQ(Geometry(b1), (TGeometry{20, 15, 202, 32}));
    EXPECT_EQ(b1.Font()->Size(), 13);
    EXPECT_EQ(form.Font()->Size(), 14);
    EXPECT_FALSE(b1.ParentFont());
    // A control that takes its parent's font ends with the form's.
    EXPECT_EQ(Get<TButton>(form, "Button2").Font()->Size(), 14);
    EXPECT_TRUE(Get<TButton>(form, "Button2").ParentFont());

    auto* r = Record(q, "Button1");
    EXPECT_EQ(Reference(*r), (TGeometry{10, 10, 101, 21}));
    EXPECT_EQ(r->Font->Size(), 9);
    EXPECT_EQ(Applied(*r), (TGeometry{20, 15, 202, 32}));
    EXPECT_EQ(r->OldFontSize, 13);
    EXPECT_EQ(q.OwnerFont()->Size(), 9);
    EXPECT_DOUBLE_EQ(q.State().PrevScaleX, 2.0);
    EXPECT_DOUBLE_EQ(q.State().PrevScaleY, 1.5);
    EXPECT_DOUBLE_EQ(q.State().PrevScaleF, 1.5);
    EXPECT_TRUE(q.State().IsResized);

    // Back at the reference size everything stands where it started.
    SetClient(form, 400, 300);
    EXPECT_EQ(Geometry(b1), (TGeometry{10, 10, 101, 21}));
    EXPECT_EQ(b1.Font()->Size(), 9);
    EXPECT_EQ(form.Font()->Size(), 9);
    EXPECT_EQ(log.Calls, 2);
}

TEST_F(ResizePass, DragAndMaximizeRunPassesWithTheNewClientSize) {
    auto& form = Load(FormText(Button("Button1", 100, 100, 100, 30)));
    auto& q = Component(form);
    TExitResizeLog log;
    log.Attach(q);
    Desktop->Drag(form.Handle(), Win32::WMSZ_BOTTOMRIGHT, 400, 300);
    EXPECT_EQ(form.ClientWidth(), 800);
    EXPECT_EQ(form.ClientHeight(), 600);
    EXPECT_EQ(Geometry(Get<TButton>(form, "Button1")), (TGeometry{200, 200, 200, 60}));
    EXPECT_EQ(log.Calls, 1);

    Desktop->Maximize(form.Handle());
    ASSERT_TRUE(Win32::IsZoomed(form.Handle()));
    EXPECT_DOUBLE_EQ(log.XScale, form.ClientWidth() / 400.0);
    EXPECT_DOUBLE_EQ(log.YScale, form.ClientHeight() / 300.0);
    EXPECT_EQ(Get<TButton>(form, "Button1").Left(),
              Vcl::Trunc(100 * (form.ClientWidth() / 400.0) + 0.5));
}

TEST_F(ResizePass, ResolutionRatioEntersTheFactors) {
    // Designed at 96 DPI for a 600-pixel client width, run at 144 DPI: a client 900
    // pixels wide is the design layout, so the factor is exactly 1.
    UseDesktop(DesktopAt(144));
    std::string text = FormText(Button("Button1", 10, 10, 100, 20, OwnFont9));
    text.replace(text.find("DesignFrmW = 400"), 16, "DesignFrmW = 600");
    auto& form = Load(text);
    auto& q = Component(form);
    TExitResizeLog log;
    log.Attach(q);
    auto& b1 = Get<TButton>(form, "Button1");
    // Start-up corrected the bounds and font for the resolution.
    const TGeometry corrected = Geometry(b1);
    EXPECT_EQ(corrected, (TGeometry{15, 15, 150, 30}));
    EXPECT_EQ(b1.Font()->Size(), 14);

    SetClient(form, 900, 450);
    EXPECT_DOUBLE_EQ(log.XScale, 1.0);
    EXPECT_DOUBLE_EQ(log.YScale, 1.0);
    EXPECT_EQ(Geometry(b1), corrected);
    EXPECT_EQ(b1.Font()->Size(), 14);

    SetClient(form, 1800, 450);
    EXPECT_DOUBLE_EQ(log.XScale, 2.0);
    EXPECT_EQ(b1.Left(), 30);
    EXPECT_EQ(b1.Width(), 300);
}

TEST_F(ResizePass, ZeroSizesBecomeOneWhilePositionsAndNegativeValuesKeepTheirPlace) {
    auto& form = Load(FormText(Button("AtTop", 10, 0, 1, 20) + Button("Negative", -11, 40, 60, 20) +
                               Button("Corner", 0, 0, 50, 20)));
    auto& q = Component(form);
    auto& atTop = Get<TButton>(form, "AtTop");
    auto& negative = Get<TButton>(form, "Negative");
    auto& corner = Get<TButton>(form, "Corner");
    EXPECT_EQ(Record(q, "Negative")->Left, -11);

    // Width 1 at 0.4 is 0.4, rounded to 0 and raised to 1; Top 0 stays 0.
    SetClient(form, 160, 600);
    EXPECT_EQ(atTop.Top(), 0);
    EXPECT_EQ(atTop.Width(), 1);
    EXPECT_EQ(Applied(*Record(q, "AtTop")), Geometry(atTop));
    EXPECT_EQ(negative.Left(), -4); // -4.4

    // At the design size every control is where the file put it, on every pass:
    // one flush with the form's corner does not creep right or down.
    for (int height : {500, 300, 450, 300}) {
        SetClient(form, 400, height);
        EXPECT_EQ(negative.Left(), -11);
        EXPECT_EQ(atTop.Top(), 0);
        EXPECT_EQ(corner.Left(), 0);
    }
    EXPECT_EQ(Geometry(corner), (TGeometry{0, 0, 50, 20}));
    // -11 at 1.5 is -16.5: away from zero, as 16.5 rounds to 17.
    SetClient(form, 600, 300);
    EXPECT_EQ(negative.Left(), -17);
    EXPECT_EQ(Record(q, "Negative")->Left, -11);
    EXPECT_EQ(Record(q, "AtTop")->Top, 0);
}

TEST_F(ResizePass, ControlFontsNeverReachZeroButTheFormFontMay) {
    // A borderless form can be made as small as the factors need.
    auto& form = Load(FormText(
        Button("Button1", 10, 10, 101, 21, "    Font.Height = -11\n    ParentFont = False\n"), "",
        "  BorderStyle = bsNone\n"));
    auto& b1 = Get<TButton>(form, "Button1");
    ASSERT_EQ(form.Font()->Size(), 8);
    ASSERT_EQ(b1.Font()->Size(), 8);

    SetClient(form, 40, 30); // 0.1: the control's 0.8 truncates to 0 and is raised
    EXPECT_EQ(b1.Font()->Size(), 1);
    EXPECT_EQ(form.Font()->Size(), 1); // 0.8 + 0.5

    SetClient(form, 20, 15); // 0.05: 8 x 0.05 + 0.5 = 0.9 -> 0 for the form
    EXPECT_EQ(form.Font()->Size(), 0);
    EXPECT_EQ(b1.Font()->Size(), 1);
    EXPECT_EQ(Geometry(b1), (TGeometry{1, 1, 5, 1}));

    SetClient(form, 400, 300);
    EXPECT_EQ(form.Font()->Size(), 8);
    EXPECT_EQ(b1.Font()->Size(), 8);
}

TEST_F(ResizePass, ExclusionListsLeaveControlsAndFontsAlone) {
    auto& form = Load(FormText(Button("Fixed", 10, 10, 50, 20, OwnFont9) +
                                   Button("KeepFont", 10, 40, 50, 20, OwnFont9) +
                                   Button("Scaled", 10, 70, 50, 20, OwnFont9),
                               "    NoResizeFntCtl = 'keepfont;Form1'\n"
                               "    NoResizeCtl = 'FIXED'\n",
                               FormFont9));
    auto& q = Component(form);
    // Listed controls are recorded all the same, except those excluded entirely.
    EXPECT_EQ(Record(q, "Fixed"), nullptr);
    ASSERT_NE(Record(q, "KeepFont"), nullptr);

    SetClient(form, 800, 600);
    auto& fixed = Get<TButton>(form, "Fixed");
    auto& keepFont = Get<TButton>(form, "KeepFont");
    auto& scaled = Get<TButton>(form, "Scaled");
    EXPECT_EQ(Geometry(fixed), (TGeometry{10, 10, 50, 20}));
    EXPECT_EQ(fixed.Font()->Size(), 9);
    EXPECT_FALSE(fixed.ParentFont());
    EXPECT_EQ(Geometry(keepFont), (TGeometry{20, 80, 100, 40}));
    EXPECT_EQ(keepFont.Font()->Size(), 9);
    EXPECT_EQ(scaled.Font()->Size(), 18);
    // The form's own name keeps the form's font.
    EXPECT_EQ(form.Font()->Size(), 9);

    // A control listed after it was recorded keeps its record but is skipped.
    q.SetNoResizeCtl("Fixed;Scaled");
    SetClient(form, 400, 300);
    EXPECT_EQ(Geometry(scaled), (TGeometry{20, 140, 100, 40}));
    EXPECT_EQ(scaled.Font()->Size(), 18);
    EXPECT_NE(Record(q, "Scaled"), nullptr);
    EXPECT_EQ(Geometry(keepFont), (TGeometry{10, 40, 50, 20}));
}

TEST_F(ResizePass, WithoutFontScalingParentFontIsStillToggledAroundControlsWithAFont) {
    auto& form =
        Load(FormText(Button("Inherits", 10, 10, 50, 20) + Button("Own", 10, 40, 50, 20, OwnFont9) +
                          "  object Bevel1: TBevel\n    Left = 10\n    Top = 70\n"
                          "    Width = 50\n    Height = 20\n  end\n",
                      "    ResizeFont = False\n", FormFont9));
    auto& q = Component(form);
    auto& inherits = Get<TButton>(form, "Inherits");
    auto& own = Get<TButton>(form, "Own");
    auto& bevel = Get<TBevel>(form, "Bevel1");
    ASSERT_EQ(Record(q, "Bevel1")->Font, nullptr);
    // A control without a font copy keeps whatever ParentFont the application gave it.
    bevel.SetParentFont(false);

    Desktop->EnableLog(true);
    SetClient(form, 800, 600);
    Desktop->EnableLog(false);
    auto fontMessagesTo = [&](Win32::HWND window) {
        int n = 0;
        for (const auto& e : Desktop->Log())
            if (e.Window == window && e.Message == Win32::WM_SETFONT &&
                e.Kind == Sim::TLogEntry::TKind::Procedure)
                ++n;
        return n;
    };
    // Switching ParentFont back on makes the control take its parent's font again:
    // the only font change a pass without font scaling makes.
    EXPECT_GE(fontMessagesTo(inherits.Handle()), 1);
    EXPECT_EQ(fontMessagesTo(own.Handle()), 0);
    EXPECT_EQ(fontMessagesTo(form.Handle()), 0);

    EXPECT_EQ(Geometry(own), (TGeometry{20, 80, 100, 40}));
    EXPECT_EQ(own.Font()->Size(), 9);
    EXPECT_EQ(form.Font()->Size(), 9);
    EXPECT_TRUE(inherits.ParentFont());
    EXPECT_FALSE(own.ParentFont());
    EXPECT_FALSE(bevel.ParentFont());
    EXPECT_EQ(Geometry(bevel), (TGeometry{20, 140, 100, 40}));
}

const std::string FrameFile = "object Frame2: TFrame2\n  Width = 200\n  Height = 100\n"
                              "  object Inner: TButton\n    Left = 10\n    Top = 10\n"
                              "    Width = 40\n    Height = 20\n  end\n"
                              "  object Skipped: TButton\n    Left = 10\n    Top = 40\n"
                              "    Width = 40\n    Height = 20\n  end\nend\n";

TEST_F(ResizePass, FramesAreEnteredOneLevelDeepUnlessExcluded) {
    const std::string outer = "object Frame3: TFrame3\n  Width = 300\n  Height = 200\n"
                              "  object OuterButton: TButton\n    Left = 5\n    Top = 5\n"
                              "    Width = 40\n    Height = 20\n  end\n"
                              "  inline Nested: TFrame2\n    Left = 50\n    Top = 50\n  end\n"
                              "end\n";
    auto& form =
        LoadWithFrames(FormText("  inline FrameA: TFrame2\n    Left = 10\n    Top = 10\n  end\n"
                                "  inline FrameB: TFrame2\n    Left = 10\n    Top = 150\n  end\n"
                                "  inline Outer: TFrame3\n    Left = 200\n    Top = 10\n  end\n",
                                "    NoResizeCtl = 'FrameB;Skipped'\n"),
                       {FrameFile, outer});
    auto& q = Component(form);
    SetClient(form, 800, 600);

    auto& frameA = Get<TFrame>(form, "FrameA");
    EXPECT_EQ(Geometry(frameA), (TGeometry{20, 20, 400, 200}));
    EXPECT_EQ(Geometry(Get<TButton>(frameA, "Inner")), (TGeometry{20, 20, 80, 40}));
    // A child listed by its own name is skipped in every frame.
    EXPECT_EQ(Geometry(Get<TButton>(frameA, "Skipped")), (TGeometry{10, 40, 40, 20}));
    // An excluded frame is skipped with everything inside it.
    auto& frameB = Get<TFrame>(form, "FrameB");
    EXPECT_EQ(Geometry(frameB), (TGeometry{10, 150, 200, 100}));
    EXPECT_EQ(Geometry(Get<TButton>(frameB, "Inner")), (TGeometry{10, 10, 40, 20}));

    // A frame inside a frame is scaled as a child control; its own controls are not.
    auto& outerFrame = Get<TFrame>(form, "Outer");
    auto& nested = Get<TFrame>(outerFrame, "Nested");
    EXPECT_EQ(Geometry(Get<TButton>(outerFrame, "OuterButton")), (TGeometry{10, 10, 80, 40}));
    EXPECT_EQ(Geometry(nested), (TGeometry{100, 100, 400, 200}));
    EXPECT_EQ(Geometry(Get<TButton>(nested, "Inner")), (TGeometry{10, 10, 40, 20}));
    EXPECT_EQ(ChildRecord(q, "Nested", "Inner"), nullptr);
    // Children of one frame are never matched by another frame's records.
    EXPECT_EQ(Applied(*ChildRecord(q, "FrameA", "Inner")), (TGeometry{20, 20, 80, 40}));
}

TEST_F(ResizePass, TheFirstRecordOfANameIsTheOneUsed) {
    // Unnamed controls all have the empty name: every one of them is placed by the
    // first record of that name.
    auto& form = Load(FormText("  object TButton\n    Left = 10\n    Top = 10\n"
                               "    Width = 50\n    Height = 20\n  end\n"
                               "  object TButton\n    Left = 100\n    Top = 100\n"
                               "    Width = 70\n    Height = 30\n  end\n"));
    auto& q = Component(form);
    ASSERT_EQ(q.Ctrls()->Count(), 2);
    EXPECT_EQ(Record(q, ""), q.Ctrls()->Get(0));
    auto* secondRecord = static_cast<Quorvel::PCtrlInfo>(q.Ctrls()->Get(1));
    const TGeometry secondApplied = Applied(*secondRecord);
    SetClient(form, 800, 600);
    auto* first = dynamic_cast<TControl*>(form.Components(1));
    auto* second = dynamic_cast<TControl*>(form.Components(2));
    EXPECT_EQ(Geometry(*first), (TGeometry{20, 20, 100, 40}));
    EXPECT_EQ(Geometry(*second), (TGeometry{20, 20, 100, 40}));
    // The second record is neither used nor written by a pass.
    EXPECT_EQ(Reference(*secondRecord), (TGeometry{100, 100, 70, 30}));
    EXPECT_EQ(Applied(*secondRecord), secondApplied);
}

TEST_F(ResizePass, ParentFontControlsEndWithTheirParentsFont) {
    auto& form = Load(FormText("  object Panel1: TPanel\n    Left = 10\n    Top = 10\n"
                               "    Width = 200\n    Height = 100\n"
                               "    Font.Height = -13\n    ParentFont = False\n"
                               "    object InPanel: TButton\n      Left = 5\n      Top = 5\n"
                               "      Width = 50\n      Height = 20\n    end\n  end\n" +
                                   Button("OnForm", 10, 150, 50, 20),
                               "", FormFont9));
    auto& panel = Get<TPanel>(form, "Panel1");
    auto& inPanel = Get<TButton>(form, "InPanel");
    auto& onForm = Get<TButton>(form, "OnForm");
    ASSERT_EQ(panel.Font()->Size(), 10);
    ASSERT_EQ(inPanel.Font()->Size(), 10);

    SetClient(form, 800, 450); // font factor 1.5
    EXPECT_EQ(panel.Font()->Size(), 15);
    EXPECT_EQ(inPanel.Font()->Size(), 15);
    EXPECT_TRUE(inPanel.ParentFont());
    // Its own computed size would be 13 (Trunc(9 x 1.5)); the form's is 14.
    EXPECT_EQ(form.Font()->Size(), 14);
    EXPECT_EQ(onForm.Font()->Size(), 14);
    EXPECT_TRUE(onForm.ParentFont());
    EXPECT_EQ(Record(Component(form), "OnForm")->OldFontSize, 13);
}

TEST_F(ResizePass, SwitchingParentFontTakesTheReferenceFontAgain) {
    auto& form =
        Load(FormText(Button("First", 10, 10, 50, 20) + Button("Button1", 10, 40, 50, 20, OwnFont9),
                      "", FormFont9));
    auto& q = Component(form);
    auto& b1 = Get<TButton>(form, "Button1");
    SetClient(form, 800, 450); // font factor 1.5
    ASSERT_EQ(b1.Font()->Size(), 13);

    // The application lets the control inherit again: it shows the form's 14, which
    // at the current factor stands for a reference of Trunc(14 / 1.5 + 0.5) = 9.
    b1.SetParentFont(true);
    ASSERT_EQ(b1.Font()->Size(), 14);
    SetClient(form, 820, 450); // still 1.5
    auto* r = Record(q, "Button1");
    EXPECT_TRUE(r->ParentFont);
    EXPECT_TRUE(r->OrgParentFont);
    EXPECT_EQ(r->Font->Size(), 9);
    EXPECT_TRUE(b1.ParentFont());
    EXPECT_EQ(b1.Font()->Size(), 14);

    // Then it gives the control a font of its own: 30 at 1.5 is a reference of 20.
    b1.Font()->SetSize(30);
    ASSERT_FALSE(b1.ParentFont());
    SetClient(form, 800, 450);
    EXPECT_EQ(r->Font->Size(), 20);
    EXPECT_FALSE(r->OrgParentFont);
    EXPECT_EQ(b1.Font()->Size(), 30);
    SetClient(form, 400, 300);
    EXPECT_EQ(b1.Font()->Size(), 20);
    EXPECT_EQ(r->OldFontSize, 20);
}

TEST_F(ResizePass, OnlyMinimizingStartsNoPass) {
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20)));
    auto& q = Component(form);
    TExitResizeLog log;
    log.Attach(q);
    auto& b1 = Get<TButton>(form, "Button1");

    SendSize(form, Win32::SIZE_MINIMIZED, 800, 600);
    Desktop->Minimize(form.Handle());
    EXPECT_EQ(log.Calls, 0);
    EXPECT_FALSE(q.State().IsResized);
    EXPECT_EQ(Geometry(b1), (TGeometry{10, 10, 50, 20}));

    int width = 400;
    for (Win32::WPARAM type :
         {Win32::SIZE_RESTORED, Win32::SIZE_MAXIMIZED, Win32::SIZE_MAXSHOW, Win32::SIZE_MAXHIDE}) {
        width += 400;
        SendSize(form, type, width, 300);
        EXPECT_DOUBLE_EQ(log.XScale, width / 400.0) << "size type " << type;
        EXPECT_EQ(b1.Left(), Vcl::Trunc(10 * (width / 400.0) + 0.5)) << "size type " << type;
    }
    EXPECT_EQ(log.Calls, 4);
    EXPECT_TRUE(q.State().IsResized);
}

TEST_F(ResizePass, ExitResizeFiresOnEveryPassWithThatPassesFactors) {
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20), "    NoResizeCtl = 'Button1'\n"));
    auto& q = Component(form);
    TExitResizeLog log;
    log.Attach(q);
    // Nothing changed and nothing scaled: the event still fires.
    SendSize(form, Win32::SIZE_RESTORED, 400, 300);
    EXPECT_EQ(log.Calls, 1);
    EXPECT_DOUBLE_EQ(log.XScale, 1.0);
    EXPECT_DOUBLE_EQ(log.YScale, 1.0);
    SendSize(form, Win32::SIZE_RESTORED, 400, 300);
    EXPECT_EQ(log.Calls, 2);
    SendSize(form, Win32::SIZE_RESTORED, 100, 600);
    EXPECT_EQ(log.Calls, 3);
    EXPECT_DOUBLE_EQ(log.XScale, 0.25);
    EXPECT_DOUBLE_EQ(log.YScale, 2.0);
}

TEST_F(ResizePass, PreviousFactorsFollowOnlyPassesThatScaleATopLevelControl) {
    const std::string frame = "object Frame2: TFrame2\n  Width = 200\n  Height = 100\n"
                              "  object Inner: TButton\n    Left = 10\n    Top = 10\n"
                              "    Width = 40\n    Height = 20\n  end\nend\n";
    auto& form =
        LoadWithFrames(FormText(Button("Button1", 10, 10, 50, 20) +
                                "  inline FrameA: TFrame2\n    Left = 10\n    Top = 100\n  end\n"),
                       {frame});
    auto& q = Component(form);
    SetClient(form, 800, 450);
    EXPECT_DOUBLE_EQ(q.State().PrevScaleX, 2.0);
    EXPECT_DOUBLE_EQ(q.State().PrevScaleF, 1.5);

    // With every top-level control excluded, the frame's children are skipped with it
    // and the factors of the earlier pass remain.
    q.SetNoResizeCtl("Button1;FrameA");
    SetClient(form, 400, 600);
    EXPECT_DOUBLE_EQ(q.State().PrevScaleX, 2.0);
    EXPECT_DOUBLE_EQ(q.State().PrevScaleY, 1.5);
    EXPECT_DOUBLE_EQ(q.State().PrevScaleF, 1.5);

    // The builder divides by them: a control placed now in the last scaled layout
    // gets the reference it would have had there.
    auto* added = new TButton(&form);
    added->SetName("Added");
    added->SetParent(&form);
    added->SetBounds(100, 30, 60, 30);
    q.DynamicAdd();
    EXPECT_EQ(Reference(*Record(q, "Added")), (TGeometry{50, 20, 30, 20}));

    q.SetNoResizeCtl("");
    SetClient(form, 400, 300);
    EXPECT_DOUBLE_EQ(q.State().PrevScaleX, 1.0);
    EXPECT_DOUBLE_EQ(q.State().PrevScaleY, 1.0);
    EXPECT_EQ(Geometry(*added), (TGeometry{50, 20, 30, 20}));
}

} // namespace
} // namespace QuorvelTest

namespace QuorvelTest {
namespace {

// The pass sets every control's bounds; the framework's layout then has its say:
// an aligned panel is put back where alignment wants it, an anchored button
// scaled by the pass stays where the pass put it.
TEST_F(ResizePass, AlignmentHasTheLastWordOverThePassAndAnchorsKeepItsPlacement) {
    const std::string children =
        "  object Bar: TPanel\n    Left = 0\n    Top = 0\n    Width = 400\n    Height = 40\n"
        "    Align = alTop\n  end\n"
        "  object Body: TPanel\n    Left = 0\n    Top = 40\n    Width = 400\n    Height = 260\n"
        "    Align = alClient\n  end\n"
        "  object Ok: TButton\n    Left = 310\n    Top = 260\n    Width = 80\n    Height = 30\n"
        "    Anchors = [akRight, akBottom]\n  end\n";
    auto& form = Load(FormText(children));
    auto& bar = Get<TControl>(form, "Bar");
    auto& body = Get<TControl>(form, "Body");
    auto& ok = Get<TControl>(form, "Ok");
    SetClient(form, 800, 600);
    EXPECT_EQ(Geometry(bar), (TGeometry{0, 0, 800, 80})) << "the pass scaled its height";
    EXPECT_EQ(Geometry(body), (TGeometry{0, 80, 800, 520})) << "alignment filled the rest";
    EXPECT_EQ(Geometry(ok), (TGeometry{620, 520, 160, 60})) << "the pass's placement holds";
    SetClient(form, 400, 300);
    // The pass lifts a top of 0 to 1; alignment puts the panels back.
    EXPECT_EQ(Geometry(bar), (TGeometry{0, 0, 400, 40}));
    EXPECT_EQ(Geometry(body), (TGeometry{0, 40, 400, 260}));
    EXPECT_EQ(Geometry(ok), (TGeometry{310, 260, 80, 30}));
}

TEST_F(ResizePass, AutoSizedControlsEndThePassAtTheSizeOfTheirScaledFont) {
    const std::string children =
        "  object Caption: TLabel\n    Left = 20\n    Top = 20\n    Width = 40\n    Height = 13\n"
        "    Caption = 'Customer name'\n  end\n"
        "  object Name: TEdit\n    Left = 20\n    Top = 40\n    Width = 150\n    Height = 21\n"
        "  end\n";
    auto& form = Load(FormText(children));
    auto& label = Get<TLabel>(form, "Caption");
    auto& edit = Get<TEdit>(form, "Name");
    SetClient(form, 800, 600);
    // What the same controls measure on their own at the font the pass gave them.
    TLabel alone(nullptr);
    alone.Font()->Assign(*label.Font());
    alone.SetText("Customer name");
    TEdit aloneEdit(nullptr);
    aloneEdit.Font()->Assign(*edit.Font());
    EXPECT_GT(label.Font()->Size(), 8);
    EXPECT_EQ(label.Width(), alone.Width());
    EXPECT_EQ(label.Height(), alone.Height());
    EXPECT_EQ(label.Left(), 40) << "the position is the pass's";
    EXPECT_EQ(edit.Width(), 300) << "an edit's width is the pass's";
    EXPECT_EQ(edit.Height(), aloneEdit.Height());
    // Back at the design size, the design layout.
    SetClient(form, 400, 300);
    alone.Font()->Assign(*label.Font());
    EXPECT_EQ(label.Width(), alone.Width());
    aloneEdit.Font()->Assign(*edit.Font());
    EXPECT_EQ(edit.Height(), aloneEdit.Height());
}

} // namespace
} // namespace QuorvelTest
