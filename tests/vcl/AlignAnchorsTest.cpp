// Aligned and anchored controls: the parent's client area handed out to aligned
// children, anchored children following their parent's size, and setters that
// realign at once.
#include "support/FormText.h"
#include "vcl/VclTestSupport.h"

#include <vector>

using namespace Vcl;
using namespace VclTest;
using namespace FormTextTest;

namespace {

std::string Panel(const char* name, int l, int t, int w, int h, const std::string& extra = "",
                  const std::string& children = "") {
    return Object(name, "TPanel", {l, t, w, h}, extra, children);
}

class AlignAnchors : public ::testing::Test {
protected:
    Sim::TDesktop desktop;
};

// ---- Align ---------------------------------------------------------------------------------

TEST_F(AlignAnchors, AnExplorerLayoutTilesTheClientAreaAtEverySize) {
    // Written as a designer would not: bounds that alignment must correct.
    const std::string children = Panel("List", 5, 5, 10, 10, "    Align = alClient\n") +
                                 Panel("ToolBar", 0, 0, 100, 30, "    Align = alTop\n") +
                                 Panel("Splitter", 150, 30, 3, 10, "    Align = alLeft\n") +
                                 Panel("Status", 0, 280, 100, 20, "    Align = alBottom\n") +
                                 Panel("Tree", 0, 30, 150, 10, "    Align = alLeft\n");
    auto form = LoadAs<TForm>(Form(children));
    auto* list = Find<TPanel>(*form, "List");
    EXPECT_EQ(BoxOf(*Find<TPanel>(*form, "ToolBar")), (TBox{0, 0, 400, 30}));
    EXPECT_EQ(BoxOf(*Find<TPanel>(*form, "Status")), (TBox{0, 280, 400, 20}));
    EXPECT_EQ(BoxOf(*Find<TPanel>(*form, "Tree")), (TBox{0, 30, 150, 250}));
    EXPECT_EQ(BoxOf(*Find<TPanel>(*form, "Splitter")), (TBox{150, 30, 3, 250}));
    EXPECT_EQ(BoxOf(*list), (TBox{153, 30, 247, 250}));
    ExpectTiles(*form, {0, 0, 400, 300});

    form->Show();
    form->SetClientWidth(640);
    form->SetClientHeight(480);
    EXPECT_EQ(BoxOf(*list), (TBox{153, 30, 487, 430}));
    EXPECT_EQ(BoxOf(*Find<TPanel>(*form, "Status")), (TBox{0, 460, 640, 20}));
    ExpectTiles(*form, {0, 0, 640, 480});

    // Smaller than the fixed parts: the client control is empty, never negative.
    form->SetClientWidth(100);
    form->SetClientHeight(40);
    EXPECT_EQ(list->Width(), 0);
    EXPECT_EQ(list->Height(), 0);
}

TEST_F(AlignAnchors, SameAlignmentStacksByPositionThenByCreation) {
    const std::string children = Panel("Second", 0, 50, 10, 20, "    Align = alTop\n") +
                                 Panel("First", 0, 10, 10, 25, "    Align = alTop\n") +
                                 Panel("TieA", 0, 300, 10, 5, "    Align = alTop\n") +
                                 Panel("TieB", 0, 300, 10, 6, "    Align = alTop\n") +
                                 Panel("Upper", 0, 200, 10, 30, "    Align = alBottom\n") +
                                 Panel("Lowest", 0, 260, 10, 30, "    Align = alBottom\n") +
                                 Panel("Right1", 390, 0, 10, 10, "    Align = alRight\n") +
                                 Panel("Right2", 300, 0, 20, 10, "    Align = alRight\n");
    auto form = LoadAs<TForm>(Form(children));
    EXPECT_EQ(Find<TPanel>(*form, "First")->Top(), 0);
    EXPECT_EQ(Find<TPanel>(*form, "Second")->Top(), 25);
    EXPECT_EQ(Find<TPanel>(*form, "TieA")->Top(), 45);
    EXPECT_EQ(Find<TPanel>(*form, "TieB")->Top(), 50);
    EXPECT_EQ(Find<TPanel>(*form, "Lowest")->Top(), 270) << "bottom-most first";
    EXPECT_EQ(Find<TPanel>(*form, "Upper")->Top(), 240);
    EXPECT_EQ(Find<TPanel>(*form, "Right1")->Left(), 390) << "right-most first";
    EXPECT_EQ(Find<TPanel>(*form, "Right2")->Left(), 370);

    // Moving a control from code above the other changes the order at once.
    Find<TPanel>(*form, "Second")->SetTop(-5);
    EXPECT_EQ(Find<TPanel>(*form, "Second")->Top(), 0);
    EXPECT_EQ(Find<TPanel>(*form, "First")->Top(), 20);
}

TEST_F(AlignAnchors, SettersVisibilityAndAlignmentRealignTheParentAtOnce) {
    const std::string children =
        Panel("Top", 0, 0, 10, 40, "    Align = alTop\n") +
        Panel("Hidden", 0, 40, 10, 15, "    Align = alTop\n    Visible = False\n") +
        Panel("Rest", 0, 0, 10, 10, "    Align = alClient\n");
    auto form = LoadAs<TForm>(Form(children));
    auto* top = Find<TPanel>(*form, "Top");
    auto* hidden = Find<TPanel>(*form, "Hidden");
    auto* rest = Find<TPanel>(*form, "Rest");
    EXPECT_EQ(BoxOf(*rest), (TBox{0, 40, 400, 260})) << "an invisible control takes no room";

    top->SetBounds(30, 30, 5, 60); // only the height is the control's to choose
    EXPECT_EQ(BoxOf(*top), (TBox{0, 0, 400, 60}));
    EXPECT_EQ(BoxOf(*rest), (TBox{0, 60, 400, 240}));

    static_cast<TControl*>(hidden)->SetVisible(true);
    EXPECT_EQ(BoxOf(*hidden), (TBox{0, 60, 400, 15}));
    EXPECT_EQ(rest->Top(), 75);

    rest->SetLeft(100); // a client control cannot leave its place
    EXPECT_EQ(BoxOf(*rest), (TBox{0, 75, 400, 225}));

    top->SetAlign(alNone); // keeps the bounds alignment gave it
    EXPECT_EQ(BoxOf(*top), (TBox{0, 0, 400, 60}));
    EXPECT_EQ(hidden->Top(), 0);
    top->SetAlign(alLeft);
    EXPECT_EQ(BoxOf(*top), (TBox{0, 15, 400, 285}));
    EXPECT_EQ(rest->Width(), 0);
    ExpectTiles(*form, {0, 0, 400, 300});
}

TEST_F(AlignAnchors, PaddingMarginsAndConstraintsNarrowWhatAControlGets) {
    const std::string inner =
        "    Padding.Left = 4\n    Padding.Top = 5\n    Padding.Right = 6\n    Padding.Bottom = 7\n"
        "    object WithMargins: TPanel\n      Height = 20\n      Align = alTop\n"
        "      AlignWithMargins = True\n      Margins.Bottom = 10\n    end\n"
        "    object Capped: TPanel\n      Align = alClient\n"
        "      Constraints.MaxWidth = 100\n    end\n";
    auto form = LoadAs<TForm>(Form(Panel("Box", 10, 10, 200, 150, "", inner)));
    auto* box = Find<TPanel>(*form, "Box");
    // Inside the default raised bevel (one pixel) the padded client area is
    // (5, 6)-(193, 142).
    EXPECT_EQ(BoxOf(*Find<TPanel>(*form, "WithMargins")), (TBox{8, 9, 182, 20}));
    EXPECT_EQ(BoxOf(*Find<TPanel>(*form, "Capped")), (TBox{5, 39, 100, 103}));

    box->Padding()->SetLeft(0);
    EXPECT_EQ(Find<TPanel>(*form, "WithMargins")->Left(), 4);
    Find<TPanel>(*form, "WithMargins")->Margins()->SetTop(0);
    EXPECT_EQ(Find<TPanel>(*form, "WithMargins")->Top(), 6);
    EXPECT_EQ(Find<TPanel>(*form, "Capped")->Top(), 36);

    // Padding is written back with the form.
    EXPECT_NE(SaveFormText(*form).find("Padding.Top = 5"), std::string::npos);
}

// ---- Anchors -------------------------------------------------------------------------------

TEST_F(AlignAnchors, ButtonsAnchoredBottomRightInABottomPanelFollowItsCorner) {
    const std::string buttons =
        "    object Ok: TButton\n      Left = 230\n      Top = 8\n      Width = 75\n"
        "      Height = 25\n      Anchors = [akRight, akBottom]\n    end\n"
        "    object Cancel: TButton\n      Left = 315\n      Top = 8\n      Width = 75\n"
        "      Height = 25\n      Anchors = [akRight, akBottom]\n    end\n";
    const std::string children =
        Panel("Buttons", 0, 259, 400, 41, "    Align = alBottom\n", buttons) +
        "  object Name: TEdit\n    Left = 10\n    Top = 10\n    Width = 380\n    Height = 21\n"
        "    Anchors = [akLeft, akTop, akRight]\n  end\n"
        "  object Logo: TPanel\n    Left = 150\n    Top = 100\n    Width = 100\n    Height = 50\n"
        "    Anchors = []\n  end\n"
        "  object Fixed: TButton\n    Left = 10\n    Top = 100\n    Width = 75\n    Height = 25\n"
        "  end\n";
    auto form = LoadAs<TForm>(Form(children));
    form->Show();
    form->SetClientWidth(600);
    form->SetClientHeight(400);
    auto* panel = Find<TPanel>(*form, "Buttons");
    auto* ok = Find<TButton>(*form, "Ok");
    auto* cancel = Find<TButton>(*form, "Cancel");
    EXPECT_EQ(BoxOf(*panel), (TBox{0, 359, 600, 41}));
    EXPECT_EQ(BoxOf(*cancel), (TBox{515, 8, 75, 25})) << "10 from the right, 8 from the bottom";
    EXPECT_EQ(BoxOf(*ok), (TBox{430, 8, 75, 25}));
    EXPECT_EQ(BoxOf(*Find<TEdit>(*form, "Name")), (TBox{10, 10, 580, 21})) << "stretches";
    EXPECT_EQ(BoxOf(*Find<TPanel>(*form, "Logo")), (TBox{250, 142, 100, 50}))
        << "the centre keeps its share";
    EXPECT_EQ(BoxOf(*Find<TButton>(*form, "Fixed")), (TBox{10, 100, 75, 25}));

    // Placed from code at this size: the next size change counts from there.
    cancel->SetLeft(400);
    form->SetClientWidth(500);
    EXPECT_EQ(cancel->Left(), 300);
    EXPECT_EQ(ok->Left(), 330);
}

TEST_F(AlignAnchors, AnchorsSetInCodeCountFromTheSizeTheyWereSetAt) {
    TForm form(nullptr);
    form.SetClientWidth(300);
    form.SetClientHeight(200);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetBounds(200, 150, 80, 30);
    form.SetClientWidth(400); // default anchors: nothing moves
    EXPECT_EQ(button->Left(), 200);
    button->SetAnchors((1u << akRight) | (1u << akBottom));
    form.SetClientWidth(450);
    form.SetClientHeight(250);
    EXPECT_EQ(BoxOf(*button), (TBox{250, 200, 80, 30}));
    // Leaving the parent forgets the rules; a new parent takes them afresh.
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 100, 100);
    button->SetParent(panel);
    panel->SetWidth(150);
    EXPECT_EQ(button->Left(), 300);

    // Narrower than a stretched control's fixed distances: empty, not negative.
    button->SetAnchors((1u << akLeft) | (1u << akRight));
    panel->SetWidth(10);
    EXPECT_EQ(button->Width(), 0);
}

} // namespace
