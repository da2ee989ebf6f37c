// Start-up: what the component does once the form file has been read.
#include "support/QuorvelFixture.h"

#include "quorvel/vcl/StdCtrls.h"

namespace QuorvelTest {
namespace {

using namespace Vcl;

class Startup : public TQuorvelFixture {};

const std::string NineOwnFont = "    Font.Height = -12\n    ParentFont = False\n";

TEST_F(Startup, HigherRunTimeDpiScalesBoundsAndFontsOfASizeableForm) {
    UseDesktop(DesktopAt(120));
    auto& form = Load(FormText(Button("Button1", 100, 40, 75, 25, NineOwnFont) +
                               Button("Button2", 10, 10, 50, 20)));
    auto& b1 = Get<TButton>(form, "Button1");
    EXPECT_EQ(b1.Left(), 125);
    EXPECT_EQ(b1.Width(), 94);
    EXPECT_EQ(b1.Font()->Size(), 11); // Trunc(9 / 0.8 + 0.5)
    EXPECT_EQ(form.Font()->Size(), 10);
    // A control that takes its parent's font follows the corrected form font.
    EXPECT_EQ(Get<TButton>(form, "Button2").Font()->Size(), 10);

    auto& q = Component(form);
    auto* r = Record(q, "Button1");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(
        (std::array{r->Reference.Left, r->Reference.Top, r->Reference.Width, r->Reference.Height}),
        (std::array{125, 50, 94, 31}));
    EXPECT_EQ((std::array{r->Last.Left, r->Last.Top, r->Last.Width, r->Last.Height}),
              (std::array{125, 50, 94, 31}));
    EXPECT_EQ(r->FontSize, 11);
    EXPECT_EQ(r->LastFontSize, 11);
    EXPECT_FALSE(r->ParentFont);
    EXPECT_EQ(q.OwnerFont()->Size(), 10);
    // The reference size is the design size, not corrected.
    EXPECT_EQ(q.State().OwnerWidth, 400);
    EXPECT_EQ(q.State().RunDpiW, 120);
}

TEST_F(Startup, AScaledFormIsCorrectedByTheFrameworkAndThenByTheComponent) {
    // The framework scales a Scaled form as it is read; the component, started
    // after, corrects the scaled values for the same two resolutions once more.
    UseDesktop(DesktopAt(144));
    std::string text = FormText(Button("Button1", 100, 40, 75, 25, NineOwnFont));
    text.erase(text.find("  Scaled = False\n"), 17);
    auto& form = Load(text);
    auto& b1 = Get<TButton>(form, "Button1");
    EXPECT_EQ(b1.Left(), 225);        // 100 * 1.5, then 150 / (96 / 144)
    EXPECT_EQ(b1.Width(), 170);       // 113 / (96 / 144)
    EXPECT_EQ(b1.Font()->Size(), 14); // 9 points at 144, then 9 / (96 / 144)
    EXPECT_EQ(form.Font()->Size(), 14);
    EXPECT_EQ(form.ClientWidth(), 600);
    EXPECT_EQ(Component(form).State().OwnerWidth, 400);
}

TEST_F(Startup, DialogAndBorderlessFormsWithoutStartSizeKeepTheirBounds) {
    UseDesktop(DesktopAt(120));
    auto& dialog = Load(FormText(Button("Button1", 100, 40, 75, 25, NineOwnFont), "",
                                 "  BorderStyle = bsDialog\n"));
    auto& b1 = Get<TButton>(dialog, "Button1");
    EXPECT_EQ(Bounds(b1), (TRect{100, 40, 175, 65}));
    EXPECT_EQ(b1.Font()->Size(), 11);
    EXPECT_EQ(dialog.Font()->Size(), 10);

    // A start size makes a dialog's bounds follow the resolution again.
    auto& sized =
        Load(FormText(Button("Button1", 100, 40, 75, 25),
                      "    FormWidth = 600\n    FormHeight = 400\n", "  BorderStyle = bsDialog\n"));
    EXPECT_EQ(Get<TButton>(sized, "Button1").Left(), 125);

    auto& borderless =
        Load(FormText(Button("Button1", 100, 40, 75, 25), "", "  BorderStyle = bsNone\n"));
    EXPECT_EQ(Get<TButton>(borderless, "Button1").Left(), 100);
}

TEST_F(Startup, MaximizedBorderlessFormIsCorrectedEvenWithoutStartSize) {
    UseDesktop(DesktopAt(120));
    auto& form = Load(FormText(Button("Button1", 100, 40, 75, 25), "",
                               "  BorderStyle = bsNone\n  WindowState = wsMaximized\n"));
    EXPECT_EQ(Get<TButton>(form, "Button1").Left(), 125);
    EXPECT_EQ(Get<TButton>(form, "Button1").Height(), 31);
}

TEST_F(Startup, EqualResolutionRecordsWhatTheControlsReport) {
    auto& form = Load(FormText(Button("Button1", -10, 0, 75, 25) +
                               "  object Label1: TLabel\n    Left = 3\n    Top = 4\n"
                               "    Width = 30\n    Height = 13\n"
                               "    Constraints.MinWidth = 40\n  end\n"));
    auto& q = Component(form);
    auto* label = Record(q, "Label1");
    ASSERT_NE(label, nullptr);
    // The constraint adjusted the width when the form file set it; the record
    // holds the adjusted value.
    EXPECT_EQ(label->Reference.Width, 40);
    // At equal resolutions a negative position is kept as it is.
    EXPECT_EQ(Record(q, "Button1")->Reference.Left, -10);
    EXPECT_EQ(Get<TButton>(form, "Button1").Left(), -10);
    EXPECT_TRUE(q.State().Registered);
    EXPECT_TRUE(q.State().Subclassed);
    EXPECT_EQ(q.State().OwnerHandle, form.Handle());
    EXPECT_EQ(q.State().MaxSize, (TPoint{1920, 1080}));
}

TEST_F(Startup, AFontGivenByItsCellHeightKeepsItsSizeAtTheDesignResolution) {
    // A positive Font.Height is the cell height: the size reads negative. At the
    // design resolution it is kept, on the control and on the form alike.
    auto& form = Load(
        FormText(Button("Cell", 10, 10, 75, 25, "    Font.Height = 16\n    ParentFont = False\n"),
                 "", "  Font.Height = 15\n"));
    auto& cell = Get<TButton>(form, "Cell");
    ASSERT_LT(cell.Font()->Size(), 0);
    const int size = cell.Font()->Size();
    EXPECT_EQ(cell.Font()->Height(), 16);
    EXPECT_EQ(form.Font()->Height(), 15);
    EXPECT_EQ(Record(Component(form), "Cell")->FontSize, size);
    // The first pass at the design size changes nothing either.
    SetClient(form, 400, 300);
    EXPECT_EQ(cell.Font()->Size(), size);
    EXPECT_EQ(form.Font()->Height(), 15);
}

TEST_F(Startup, ExcludedControlsAndFramesGetNoRecordsButCount) {
    const std::string frame = "object Frame2: TFrame2\n  Left = 0\n  Top = 0\n"
                              "  Width = 200\n  Height = 100\n"
                              "  object Inner: TButton\n    Left = 5\n    Top = 5\n"
                              "    Width = 50\n    Height = 20\n  end\n"
                              "  object Other: TEdit\n    Left = 5\n    Top = 40\n"
                              "    Width = 50\n    Height = 20\n  end\nend\n";
    auto& form = LoadWithFrames(
        FormText(Button("Button1", 10, 10, 50, 20) + Button("Skipped", 10, 40, 50, 20) +
                     "  inline FrameA: TFrame2\n    Left = 100\n    Top = 100\n  end\n"
                     "  inline FrameB: TFrame2\n    Left = 100\n    Top = 200\n  end\n"
                     "  object Timer1: TTimer\n  end\n",
                 "    NoResizeCtl = 'skipped;FrameB;Other'\n"),
        {frame});
    auto& q = Component(form);
    EXPECT_EQ(Record(q, "Skipped"), nullptr);
    EXPECT_EQ(Record(q, "FrameB"), nullptr);
    ASSERT_NE(Record(q, "FrameA"), nullptr);
    EXPECT_EQ(Record(q, "FrameA")->ChildCtlCnt, 2);
    EXPECT_NE(ChildRecord(q, "FrameA", "Inner"), nullptr);
    EXPECT_EQ(ChildRecord(q, "FrameA", "Other"), nullptr);
    EXPECT_EQ(ChildRecord(q, "FrameB", "Inner"), nullptr);
    EXPECT_EQ(q.Ctrls()->Count(), 2);      // Button1, FrameA
    EXPECT_EQ(q.ChildCtrls()->Count(), 1); // FrameA.Inner
    // Every component counts: the component itself, two buttons, two frames, a timer;
    // the excluded frame's components count among the nested ones.
    EXPECT_EQ(q.State().CtlCnt, 6);
    EXPECT_EQ(q.State().ChildCtlCnt, 4);
}

TEST_F(Startup, FrameChildrenAreFoundByFrameAndNameWithoutCollidingWithTheForm) {
    UseDesktop(DesktopAt(120));
    const std::string frame = "object Frame2: TFrame2\n  Width = 200\n  Height = 100\n"
                              "  object Button1: TButton\n    Left = 20\n    Top = 8\n"
                              "    Width = 40\n    Height = 16\n  end\nend\n";
    auto& form = LoadWithFrames(FormText(Button("Button1", 100, 40, 75, 25) +
                                         "  inline Frame21: TFrame2\n    Left = 80\n"
                                         "    Top = 120\n  end\n"),
                                {frame});
    auto& q = Component(form);
    auto& frameCtl = Get<TFrame>(form, "Frame21");
    auto& inner = Get<TButton>(frameCtl, "Button1");
    EXPECT_EQ(Get<TButton>(form, "Button1").Left(), 125);
    EXPECT_EQ(inner.Left(), 25);
    EXPECT_EQ(inner.Width(), 50);
    EXPECT_EQ(frameCtl.Left(), 100);
    EXPECT_EQ(ChildRecord(q, "Frame21", "Button1")->Reference.Left, 25);
    EXPECT_EQ(Record(q, "Button1")->Reference.Left, 125);

    // Written back, the form keeps its frame and carries design values measured now:
    // this screen's resolution and the form's client size.
    SetClient(form, 500, 350);
    const std::string written = Vcl::SaveFormText(form);
    EXPECT_NE(written.find("inline Frame21: TFrame2"), std::string::npos);
    const auto designValues = written.substr(written.find("DesignFrmW"));
    EXPECT_EQ(designValues.substr(0, designValues.find("  end")),
              "DesignFrmW = 500\n    DesignFrmH = 350\n    DesignDpiW = 120\n"
              "    DesignDpiH = 120\n");
}

TEST_F(Startup, CustomStyleTakesTheClientSizeAsReference) {
    TStyleManager::SetCustomStyleActive(true);
    std::string text =
        FormText(Button("Button1", 10, 10, 50, 20), "", "  BorderStyle = bsSingle\n");
    text.replace(text.find("DesignFrmW = 400"), 16, "DesignFrmW = 999");
    auto& form = Load(text);
    auto& q = Component(form);
    EXPECT_EQ(q.State().OwnerWidth, form.ClientWidth());
    EXPECT_EQ(q.State().OwnerWidth, 400);
}

TEST_F(Startup, FormFileWithoutDesignValuesTakesTheCurrentSizeAndResolution) {
    UseDesktop(DesktopAt(144));
    std::string text = "object Form1: TForm1\n  ClientHeight = 300\n  ClientWidth = 400\n"
                       "  object Quorvel1: TQuorvel\n  end\n" +
                       Button("Button1", 100, 40, 75, 25) + "end\n";
    auto& form = Load(text);
    auto& q = Component(form);
    EXPECT_EQ(q.State().OwnerWidth, 400);
    EXPECT_EQ(q.State().OwnerHeight, 300);
    EXPECT_EQ(q.State().DesignDpiW, 144);
    EXPECT_EQ(Get<TButton>(form, "Button1").Left(), 100);
    // A pass at the same client size keeps everything where it is.
    SetClient(form, 800, 600);
    EXPECT_EQ(Get<TButton>(form, "Button1").Left(), 200);
    EXPECT_DOUBLE_EQ(q.State().PrevScaleX, 2.0);
}

TEST_F(Startup, ComponentWithoutPublishedFieldStaysOutOfEverything) {
    // A plain TForm root declares no fields.
    auto& form = Load("object Form1: TForm\n  ClientHeight = 300\n  ClientWidth = 400\n"
                      "  object Quorvel1: TQuorvel\n    DesignFrmW = 400\n    DesignFrmH = 300\n"
                      "    DesignDpiW = 96\n    DesignDpiH = 96\n  end\n" +
                      Button("Button1", 10, 10, 50, 20) + "end\n");
    auto& q = Component(form);
    EXPECT_FALSE(q.State().Registered);
    EXPECT_FALSE(q.State().Subclassed);
    EXPECT_EQ(q.Ctrls()->Count(), 0);
    EXPECT_EQ(Quorvel::InstanceList->Count(), 0);
}

} // namespace
} // namespace QuorvelTest
