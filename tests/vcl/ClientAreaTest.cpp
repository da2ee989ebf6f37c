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

class ClientArea : public ::testing::Test {
protected:
    Sim::TDesktop desktop;
};

} // namespace

// ---- Panels --------------------------------------------------------------------------------

TEST_F(ClientArea, PanelChildrenTileTheInsideOfBorderWidthAndEachDrawnBevel) {
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

TEST_F(ClientArea, AnAutoSizedPanelHoldsItsChildrenInsideItsBevels) {
    const std::string kids = Object("Button", "TButton", {7, 3, 75, 25});
    auto form = LoadAs<TForm>(Form(Object(
        "Box", "TPanel", {0, 0, 300, 300},
        "  AutoSize = True\n  BevelInner = bvLowered\n  BorderWidth = 2\n  Padding.Right = 1\n",
        kids)));
    // Right: button edge + padding + border width + two bevels; bottom: no padding.
    EXPECT_EQ(Find<TPanel>(*form, "Box")->Width(), 7 + 75 + 1 + 2 + 2);
    EXPECT_EQ(Find<TPanel>(*form, "Box")->Height(), 3 + 25 + 2 + 2);
}

TEST_F(ClientArea, TooSmallAPanelGivesItsChildrenEmptyRoomNeverNegative) {
    const Vcl::TRect r = Vcl::ClientArea::Panel({0, 0, 5, 3}, {4, 1, true, true});
    EXPECT_EQ(r.Width(), 0);
    EXPECT_EQ(r.Height(), 0);
    EXPECT_EQ(r.Left, 6);
}

TEST_F(ClientArea, GroupBoxChildrenStartBelowTheCaptionLineInsideTheFrame) {
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

// ---- The framework's arithmetic ------------------------------------------------------------

TEST_F(ClientArea, CentredAnchorsKeepTheCentreByMulDivAndTakeHalfTheSizeOffByDivision) {
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

TEST_F(ClientArea, TiesAtTheBottomAndRightGoToTheLaterControlAndSplittersTakeTheirPlace) {
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
