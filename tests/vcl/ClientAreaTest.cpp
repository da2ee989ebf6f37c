// The client areas containers lay their children out in, and the framework's
// own arithmetic for centred anchors and for the order of same-aligned controls.
#include "support/FormText.h"
#include "vcl/VclTestSupport.h"

#include "quorvel/vcl/ClientArea.h"
#include "quorvel/vcl/TextMetrics.h"

using namespace Vcl;
using namespace VclTest;
using namespace FormTextTest;

namespace {

class ClientAreas : public ::testing::Test {
protected:
    Sim::TDesktop desktop;
};

} // namespace

// ---- Panels --------------------------------------------------------------------------------

TEST_F(ClientAreas, PanelChildrenTileTheInsideOfBorderWidthAndEachDrawnBevel) {
    struct TCase {
        const char* Props;
        int Inset;
    } cases[] = {
        {"", 1}, // a default panel has a raised outer bevel
        {"  BevelOuter = bvNone\n", 0},
        {"  BevelOuter = bvLowered\n", 1},
        {"  BevelInner = bvRaised\n  BevelOuter = bvLowered\n", 2},
        {"  BevelInner = bvSpace\n  BevelWidth = 3\n", 6},
        {"  BevelOuter = bvNone\n  BorderWidth = 4\n", 4},
        {"  BevelInner = bvLowered\n  BevelWidth = 2\n  BorderWidth = 5\n", 9},
    };
    for (const TCase& c : cases) {
        // Stored where no framework would put them: loading lays them out.
        const std::string kids = Object("Head", "TPanel", {0, 0, 10, 20}, "  Align = alTop\n") +
                                 Object("Side", "TPanel", {0, 0, 30, 10}, "  Align = alLeft\n") +
                                 Object("Body", "TImage", {0, 0, 5, 5}, "  Align = alClient\n");
        auto form = LoadAs<TForm>(Form(Object("Outer", "TPanel", {0, 0, 200, 100}, c.Props, kids)));
        const int i = c.Inset;
        SCOPED_TRACE(c.Props);
        EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Head")), (TBox{i, i, 200 - 2 * i, 20}));
        EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Side")), (TBox{i, i + 20, 30, 100 - 2 * i - 20}));
        EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Body")),
                  (TBox{i + 30, i + 20, 200 - 2 * i - 30, 100 - 2 * i - 20}));
        // The same once shown and resized: the window's client area less the insets.
        form->Show();
        Find<TPanel>(*form, "Outer")->SetBounds(0, 0, 260, 150);
        EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Body")),
                  (TBox{i + 30, i + 20, 260 - 2 * i - 30, 150 - 2 * i - 20}));
    }
}

TEST_F(ClientAreas, AnAutoSizedPanelHoldsItsChildrenInsideItsBevels) {
    const std::string kids = Object("Button", "TButton", {7, 3, 75, 25});
    auto form = LoadAs<TForm>(Form(Object(
        "Box", "TPanel", {0, 0, 300, 300},
        "  AutoSize = True\n  BevelInner = bvLowered\n  BorderWidth = 2\n  Padding.Right = 1\n",
        kids)));
    // Right: button edge + padding + border width + two bevels; bottom: no padding.
    EXPECT_EQ(Find<TPanel>(*form, "Box")->Width(), 7 + 75 + 1 + 2 + 2);
    EXPECT_EQ(Find<TPanel>(*form, "Box")->Height(), 3 + 25 + 2 + 2);
}

TEST_F(ClientAreas, TooSmallAPanelGivesItsChildrenEmptyRoomNeverNegative) {
    const Vcl::TRect r = Vcl::ClientArea::Panel({0, 0, 5, 3}, {4, 1, true, true});
    EXPECT_EQ(r.Width(), 0);
    EXPECT_EQ(r.Height(), 0);
    EXPECT_EQ(r.Left, 6);
}

TEST_F(ClientAreas, GroupBoxChildrenStartBelowTheCaptionLineInsideTheFrame) {
    // Tahoma 8 at 96 DPI: a 13-pixel line; Ctl3D frames are two pixels.
    for (const char* ctl3D : {"", "  Ctl3D = False\n"}) {
        SCOPED_TRACE(ctl3D);
        const int f = *ctl3D ? 1 : 2;
        const std::string kids = Object("Top", "TPanel", {0, 0, 10, 20}, "  Align = alTop\n") +
                                 Object("Rest", "TMemo", {0, 0, 10, 10}, "  Align = alClient\n");
        auto form = LoadAs<TForm>(Form(Object("Box", "TGroupBox", {8, 8, 185, 105}, ctl3D, kids)));
        const int line = FontLineHeight(*Find<TGroupBox>(*form, "Box")->Font());
        EXPECT_EQ(line, 13);
        EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Top")), (TBox{f, line + f, 185 - 2 * f, 20}));
        EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Rest")),
                  (TBox{f, line + f + 20, 185 - 2 * f, 105 - line - 2 * f - 20}));
    }
}

// ---- Scroll boxes ---------------------------------------------------------------------------

TEST_F(ClientAreas, ScrollBoxBarsTakeRoomOnlyForContentThatScrolls) {
    struct TCase {
        const char* Why;
        TBox Item;
        const char* Extra;
        bool Horizontal, Vertical;
    } cases[] = {
        {"inside", {10, 10, 50, 20}, "", false, false},
        {"past the bottom", {10, 90, 50, 20}, "", false, true},
        {"past the right", {150, 10, 60, 20}, "", true, false},
        // Fits in the height until the horizontal bar takes its share of it.
        {"past the right, near the bottom", {150, 70, 60, 20}, "", true, true},
        {"anchored to the far sides",
         {150, 90, 60, 20},
         "  Anchors = [akRight, akBottom]\n",
         false,
         false},
        {"anchored to both sides",
         {150, 10, 60, 20},
         "  Anchors = [akLeft, akTop, akRight]\n",
         false,
         false},
        {"hidden", {10, 90, 50, 20}, "  Visible = False\n", false, false},
        {"aligned", {0, 0, 50, 300}, "  Align = alLeft\n", false, false},
    };
    const TPoint bar = ScrollBarSize();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Why);
        for (const char* autoScroll : {"", "  AutoScroll = False\n"}) {
            const std::string kids = Object("Item", "TButton", c.Item, c.Extra) +
                                     Object("Body", "TPanel", {0, 0, 5, 5}, "  Align = alClient\n");
            auto form = LoadAs<TForm>(
                Form(Object("Box", "TScrollBox", {8, 8, 200, 100}, autoScroll, kids)));
            form->Show();
            const auto* box = Find<TScrollBox>(*form, "Box");
            const bool on = !*autoScroll;
            const int w = box->ClientWidth() - (on && c.Vertical ? bar.X : 0);
            const int h = box->ClientHeight() - (on && c.Horizontal ? bar.Y : 0);
            const int left = std::string_view(c.Extra).find("alLeft") != std::string_view::npos
                                 ? c.Item.Width
                                 : 0;
            EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Body")), (TBox{left, 0, w - left, h}))
                << autoScroll;
        }
    }
}

TEST_F(ClientAreas, ScrollBoxChildrenAnchoredRightOrBottomKeepTheirDistanceToTheBars) {
    // Content past both edges shows both bars; the anchored ones are stored
    // where the designer put them beside the bars.
    const std::string kids =
        Object("Tall", "TPanel", {0, 0, 50, 150}) + Object("Wide", "TPanel", {0, 0, 300, 20}) +
        Object("Right", "TButton", {100, 30, 40, 20}, "  Anchors = [akTop, akRight]\n") +
        Object("Low", "TButton", {60, 60, 40, 20}, "  Anchors = [akLeft, akBottom]\n");
    auto form = LoadAs<TForm>(Form(Object("Box", "TScrollBox", {8, 8, 200, 100}, "", kids)));
    form->Show();
    EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Right")), (TBox{100, 30, 40, 20}));
    EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Low")), (TBox{60, 60, 40, 20}));
    // Large enough for the content, the box drops its bars, and the anchored
    // buttons follow their edges by the growth and by the bars' room.
    Find<TControl>(*form, "Box")->SetBounds(8, 8, 400, 250);
    const TPoint bar = ScrollBarSize();
    EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Right")), (TBox{300 + bar.X, 30, 40, 20}));
    EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Low")), (TBox{60, 210 + bar.Y, 40, 20}));
}

// ---- Bars that size themselves -------------------------------------------------------------

TEST_F(ClientAreas, AnAutoSizedToolBarIsItsRowsOfButtonsAndItsEdges) {
    struct TCase {
        const char* Props;
        const char* SecondButton;
        int Height;
    } cases[] = {
        {"", "", 22}, // the default edge at the top takes no room
        {"  EdgeBorders = [ebTop, ebBottom]\n  EdgeOuter = esNone\n", "", 22 + 2},
        {"  EdgeBorders = [ebLeft, ebTop, ebRight, ebBottom]\n  ButtonHeight = 30\n", "", 30 + 4},
        {"  EdgeBorders = [ebBottom]\n  EdgeInner = esNone\n  BorderWidth = 2\n", "", 22 + 1 + 4},
        {"  ButtonWidth = 150\n", "", 2 * 22},                 // wraps at the edge
        {"  ButtonWidth = 150\n  Wrapable = False\n", "", 22}, // runs past it
        {"  EdgeBorders = []\n", "  Wrap = True\n", 2 * 22},   // wraps where told
        {"  ShowCaptions = True\n", "", 40}, // captions size the buttons: kept as stored
    };
    for (bool autoSize : {true, false}) {
        for (const TCase& c : cases) {
            SCOPED_TRACE(std::string(c.Props) + c.SecondButton);
            const std::string buttons =
                Object("B1", "TToolButton", {0, 0, 23, 22}) +
                Object("B2", "TToolButton", {23, 0, 23, 22}, c.SecondButton) +
                Object("B3", "TToolButton", {46, 0, 23, 22});
            const std::string props = std::string(autoSize ? "  AutoSize = True\n" : "") + c.Props;
            const std::string bar = Object("Bar", "TToolBar", {0, 0, 400, 40}, props, buttons);
            const std::string rest =
                Object("Rest", "TMemo", {0, 0, 10, 10}, "  Align = alClient\n");
            auto form = LoadAs<TForm>(Form(bar + rest));
            const int height = autoSize ? c.Height : 40;
            EXPECT_EQ(Find<TControl>(*form, "Bar")->Height(), height);
            EXPECT_EQ(Find<TControl>(*form, "Rest")->Top(), height);
        }
    }
}

TEST_F(ClientAreas, AnAutoSizedCoolBarIsItsRowsOfBandsAndPlacesTheirControls) {
    // Three bands, the second in the first row: rows of 30 (its control) and 20.
    const std::string bands = "  Bands = <\n"
                              "    item\n      Control = P1\n      MinHeight = 22\n"
                              "      Width = 200\n    end\n"
                              "    item\n      Break = False\n      Control = P2\n"
                              "      Width = 150\n      MinHeight = 10\n    end\n"
                              "    item\n      Control = P3\n      MinHeight = 20\n    end>\n";
    const std::string kids = Object("P1", "TPanel", {0, 0, 50, 22}) +
                             Object("P2", "TPanel", {0, 0, 50, 30}) +
                             Object("P3", "TPanel", {0, 0, 50, 20});
    const std::string rest = Object("Rest", "TMemo", {0, 0, 10, 10}, "  Align = alClient\n");
    for (const char* look : {"  BandBorderStyle = bsNone\n", ""}) {
        SCOPED_TRACE(look);
        const std::string props = std::string("  AutoSize = True\n") + look + bands;
        const std::string text =
            Form(Object("Bar", "TCoolBar", {0, 0, 400, 70}, props, kids) + rest);
        auto form = LoadAs<TForm>(text);
        // Lines between rows have no known height: such a bar keeps its own.
        const int height = *look ? 30 + 20 + 4 : 70;
        EXPECT_EQ(Find<TControl>(*form, "Bar")->Height(), height);
        EXPECT_EQ(Find<TControl>(*form, "Rest")->Top(), height);
        // Inside the edges: a band's control clear of its gripper, centred in
        // the row; the last band of a row reaches the edge.
        EXPECT_EQ(BoxOf(*Find<TControl>(*form, "P1")), (TBox{9, 4, 200 - 13, 22}));
        EXPECT_EQ(BoxOf(*Find<TControl>(*form, "P2")), (TBox{209, 0, 396 - 200 - 13, 30}));
        EXPECT_EQ(BoxOf(*Find<TControl>(*form, "P3")), (TBox{9, 30, 396 - 13, 20}));
        form->Show();
        form->SetClientWidth(300);
        EXPECT_EQ(BoxOf(*Find<TControl>(*form, "P3")), (TBox{9, 30, 296 - 13, 20}));
        EXPECT_EQ(Resave(text), Resave(Resave(text)));
        EXPECT_NE(Resave(text).find("Break = False"), String::npos);
    }
}

TEST_F(ClientAreas, AnAlignedHeaderIsAsHighAsItsFontAndItsBorders) {
    // 17 with the default font, as the stored forms have it; a larger font
    // makes it higher, and down a side it keeps its own height.
    struct TCase {
        const char* Props;
        bool FromFont;
    } cases[] = {
        {"", true},
        {"  Font.Height = -19\n  ParentFont = False\n", true},
        {"  Align = alBottom\n  Font.Height = -19\n  ParentFont = False\n", true},
        {"  Align = alLeft\n  Font.Height = -19\n  ParentFont = False\n", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Props);
        auto form = LoadAs<TForm>(Form(Object("Head", "THeaderControl", {0, 0, 400, 40}, c.Props)));
        auto* head = Find<THeaderControl>(*form, "Head");
        EXPECT_EQ(head->Height(), c.FromFont ? FontLineHeight(*head->Font()) + 4 : 300);
        if (!*c.Props) {
            EXPECT_EQ(head->Height(), 17);
        }
    }
}

// ---- The framework's arithmetic ------------------------------------------------------------

TEST_F(ClientAreas, CentredAnchorsKeepTheCentreByMulDivAndTakeHalfTheSizeOffByDivision) {
    // Centre at 10 + 25 div 2 = 22 of 200; at 302 wide: MulDiv(22, 302, 200) = 33
    // (33.22), less 12 = 21. Exact halves would give 33.97 - 12.5 = 21.47, also 21,
    // so the height tells the two apart: centre 5 + 7 div 2 = 8 of 150, at 231:
    // MulDiv(8, 231, 150) = 12 (12.32), less 3 = 9; exact: 13.09 - 3.5 = 9.59 -> 10.
    auto form = LoadAs<TForm>(
        Form(Object("Centred", "TPanel", {10, 5, 25, 7}, "  Anchors = []\n"), 200, 150));
    form->Show();
    form->SetClientWidth(302);
    form->SetClientHeight(231);
    EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Centred")), (TBox{21, 9, 25, 7}));
    // Back at the design size it is where the file put it.
    form->SetClientWidth(200);
    form->SetClientHeight(150);
    EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Centred")), (TBox{10, 5, 25, 7}));
}

TEST_F(ClientAreas, TiesAtTheBottomAndRightGoToTheLaterControlAndSplittersTakeTheirPlace) {
    const std::string kids =
        Object("BottomA", "TPanel", {0, 250, 10, 50}, "  Align = alBottom\n") +
        Object("BottomB", "TPanel", {0, 280, 10, 20}, "  Align = alBottom\n") +
        Object("RightA", "TPanel", {300, 0, 100, 10}, "  Align = alRight\n") +
        Object("RightSplit", "TSplitter", {297, 0, 3, 10}, "  Align = alRight\n") +
        Object("RightB", "TPanel", {380, 0, 20, 10}, "  Align = alRight\n");
    auto form = LoadAs<TForm>(Form(kids));
    // Same bottom edge: the later one lies at the edge, the earlier above it.
    EXPECT_EQ(Find<TControl>(*form, "BottomB")->Top(), 280);
    EXPECT_EQ(Find<TControl>(*form, "BottomA")->Top(), 230);
    EXPECT_EQ(Find<TControl>(*form, "RightB")->Left(), 380);
    EXPECT_EQ(Find<TControl>(*form, "RightA")->Left(), 280);
    // The splitter stored left of both stays left of both.
    EXPECT_EQ(Find<TControl>(*form, "RightSplit")->Left(), 277);
}

// ---- Tab and page controls -----------------------------------------------------------------

namespace {
std::string Sheets(int count, const std::string& extra = "") {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "object Sheet" + std::to_string(i) + ": TTabSheet\n  Caption = 'Page " +
                std::to_string(i) + "'\n" + extra + "end\n";
    return text;
}
} // namespace

TEST_F(ClientAreas, PageControlSheetsLieInsideTheFrameClearOfTheTabRow) {
    // Tahoma 8: a 13-pixel line, so a row of 18 (20 for a 19-pixel TabHeight is
    // its own); frame and padding 4 on every side, the framework's 2 more on top.
    struct TCase {
        const char* Props;
        TBox Sheet;
    } cases[] = {
        {"", {4, 24, 281, 165}},
        {"  TabPosition = tpBottom\n", {4, 6, 281, 165}},
        {"  TabPosition = tpLeft\n", {22, 6, 263, 183}},
        {"  TabPosition = tpRight\n", {4, 6, 263, 183}},
        {"  TabHeight = 30\n", {4, 36, 281, 153}},
        {"  Style = tsButtons\n", {4, 27, 281, 162}},
        {"  Style = tsFlatButtons\n  TabPosition = tpBottom\n", {4, 6, 281, 162}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Props);
        auto form = LoadAs<TForm>(
            Form(Object("Pages", "TPageControl", {0, 0, 289, 193}, c.Props, Sheets(2))));
        EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Sheet1")), c.Sheet);
        EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Sheet2")), c.Sheet);
    }
}

TEST_F(ClientAreas, TabRowsFollowTheTabsThatShow) {
    // No tab shows: no row, only the frame.
    auto hidden = LoadAs<TForm>(Form(Object("Pages", "TPageControl", {0, 0, 289, 193}, "",
                                            Sheets(2, "  TabVisible = False\n"))));
    EXPECT_EQ(BoxOf(*Find<TControl>(*hidden, "Sheet1")), (TBox{4, 6, 281, 183}));
    // Many tabs on a narrow control: one row, or several with MultiLine, each
    // taking the row height off the sheets.
    int single = 0;
    for (const char* multi : {"", "  MultiLine = True\n"}) {
        auto form = LoadAs<TForm>(
            Form(Object("Pages", "TPageControl", {0, 0, 150, 193}, multi, Sheets(6))));
        const TBox sheet = BoxOf(*Find<TControl>(*form, "Sheet1"));
        if (!*multi) {
            single = sheet.Top;
            EXPECT_EQ(single, 24);
        } else {
            EXPECT_GT(sheet.Top, single);
            EXPECT_EQ((sheet.Top - 6) % 18, 0) << sheet;
        }
        EXPECT_EQ(sheet.Top + sheet.Height, 193 - 4);
    }
}

TEST_F(ClientAreas, TabControlChildrenTileItsDisplayArea) {
    const std::string kids = Object("Head", "TPanel", {0, 0, 10, 20}, "  Align = alTop\n") +
                             Object("Body", "TMemo", {0, 0, 10, 10}, "  Align = alClient\n");
    for (const char* tabs : {"", "  Tabs.Strings = (\n    'One'\n    'Two')\n"}) {
        SCOPED_TRACE(tabs);
        auto form =
            LoadAs<TForm>(Form(Object("Tabs", "TTabControl", {8, 8, 289, 193}, tabs, kids)));
        const int top = *tabs ? 24 : 6;
        ExpectTiles(*Find<TWinControl>(*form, "Tabs"), {4, top, 285, 189});
        EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Head")), (TBox{4, top, 281, 20}));
    }
}

TEST_F(ClientAreas, TabFramesNeverTurnInsideOut) {
    using namespace Vcl::ClientArea;
    for (TTabSide side : {TTabSide::Top, TTabSide::Bottom, TTabSide::Left, TTabSide::Right}) {
        const Vcl::TRect r = TabControl({0, 0, 10, 7}, {side, TTabLook::Buttons, 30, 3});
        EXPECT_GE(r.Width(), 0);
        EXPECT_GE(r.Height(), 0);
    }
    EXPECT_EQ(TabRows({}, 100, true), 0);
    EXPECT_EQ(TabRows({60, 60, 60}, 100, false), 1);
    EXPECT_EQ(TabRows({60, 60, 60}, 100, true), 3);
    // A first tab too long for the room leaves an empty row before it.
    EXPECT_EQ(TabRows({200, 10}, 100, true), 3);
    EXPECT_EQ(TabRows({50, 46}, 100, true), 1);
    EXPECT_EQ(TabRows({50, 46}, 100, true, TTabLook::Buttons), 2);
    // Rows of buttons are apart above the display area, not below it.
    const TTabFrame top{TTabSide::Top, TTabLook::Buttons, 21, 2};
    const TTabFrame bottom{TTabSide::Bottom, TTabLook::Buttons, 21, 2};
    EXPECT_EQ(TabDisplay({0, 0, 289, 193}, top), (Vcl::TRect{4, 49, 285, 189}));
    EXPECT_EQ(TabDisplay({0, 0, 289, 193}, bottom), (Vcl::TRect{4, 4, 285, 147}));
}

TEST_F(ClientAreas, APositiveFontHeightIsTheCellHeightAndMeasuresAsSuch) {
    // A cell of 16 pixels holds a smaller em than a height of -16 does.
    const std::string kids = Object("Cell", "TLabel", {0, 0, 10, 10},
                                    "  Caption = 'Cell height'\n  Font.Height = 16\n"
                                    "  ParentFont = False\n") +
                             Object("Em", "TLabel", {0, 40, 10, 10},
                                    "  Caption = 'Cell height'\n  Font.Height = -16\n"
                                    "  ParentFont = False\n");
    auto form = LoadAs<TForm>(Form(kids));
    auto* cell = Find<TLabel>(*form, "Cell");
    auto* em = Find<TLabel>(*form, "Em");
    EXPECT_LT(cell->Font()->Size(), 0);
    EXPECT_EQ(FontLineHeight(*cell->Font()), 16);
    EXPECT_EQ(cell->Height(), 16);
    EXPECT_LT(cell->Width(), em->Width());
    EXPECT_GT(em->Height(), 16);
}

// ---- Forms with a main menu ----------------------------------------------------------------

namespace {
std::string MenuForm(const std::string& formExtra, const std::string& items) {
    return "object Form1: TForm\n  ClientWidth = 400\n  ClientHeight = 300\n  Menu = MainMenu1\n" +
           formExtra +
           Object("Bottom", "TButton", {10, 260, 75, 25}, "  Anchors = [akLeft, akBottom]\n") +
           "object MainMenu1: TMainMenu\n" + items + "end\nend\n";
}
const char* const kFileItems =
    "  object File1: TMenuItem\n    Caption = '&File'\n"
    "    object Open1: TMenuItem\n      Caption = '&Open'\n    end\n  end\n";
} // namespace

TEST_F(ClientAreas, AMainMenuBarTakesItsRowAboveTheClientSizeTheFileStores) {
    const int row = Win32::GetSystemMetricsForDpi(Win32::SM_CYMENU, 96);
    auto plain = LoadAs<TForm>(Form(""));
    auto form = LoadAs<TForm>(MenuForm("", kFileItems));
    EXPECT_EQ(form->Height(), plain->Height() + row);
    form->Show();
    EXPECT_EQ(form->Height(), plain->Height() + row) << "the window has the size computed before";
    EXPECT_EQ(form->ClientHeight(), 300);
    EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Bottom")), (TBox{10, 260, 75, 25}));

    // No bar: a dialog at run time, or a menu with nothing visible.
    const std::string hidden = "  object Hidden1: TMenuItem\n    Caption = 'x'\n"
                               "    Visible = False\n  end\n";
    for (const auto& [extra, items] :
         {std::pair<std::string, std::string>{"  BorderStyle = bsDialog\n", kFileItems},
          {"", hidden}}) {
        auto bare = LoadAs<TForm>(MenuForm(extra, items));
        bare->Show();
        EXPECT_EQ(bare->MenuOnBar(), nullptr);
        EXPECT_EQ(bare->ClientHeight(), 300);
        EXPECT_EQ(BoxOf(*Find<TControl>(*bare, "Bottom")), (TBox{10, 260, 75, 25}));
    }
    EXPECT_EQ(LoadAs<TForm>(MenuForm("", hidden))->Height(), plain->Height());
}

TEST_F(ClientAreas, AMenuChangedAtRunTimeShowsOrHidesItsBarAndTheWindowKeepsItsSize) {
    const int row = Win32::GetSystemMetricsForDpi(Win32::SM_CYMENU, 96);
    auto form = LoadAs<TForm>(MenuForm("", kFileItems));
    form->Show();
    const int height = form->Height();
    auto* file = Find<TMenuItem>(*form, "File1");
    // Its only visible item hidden, the bar goes and the client area takes its row.
    file->SetVisible(false);
    EXPECT_EQ(form->MenuOnBar(), nullptr);
    EXPECT_EQ(Win32::GetMenu(form->Handle()), nullptr);
    EXPECT_EQ(form->Height(), height);
    EXPECT_EQ(form->ClientHeight(), 300 + row);
    EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Bottom")), (TBox{10, 260 + row, 75, 25}));
    // A new item brings the bar back.
    auto* edit = new TMenuItem(form.get());
    edit->SetCaption("&Edit");
    Find<TMainMenu>(*form, "MainMenu1")->Items()->Add(edit);
    EXPECT_NE(Win32::GetMenu(form->Handle()), nullptr);
    EXPECT_EQ(Win32::GetMenuItemCount(Win32::GetMenu(form->Handle())), 1);
    EXPECT_EQ(form->ClientHeight(), 300);
    EXPECT_EQ(BoxOf(*Find<TControl>(*form, "Bottom")), (TBox{10, 260, 75, 25}));
}
