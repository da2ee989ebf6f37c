// Placing the form at an anchor of its monitor's work area: through FormPos at run
// time and at the first showing, with and without the compositor's invisible
// frame borders (sizeable frames: 7 pixels left, right and bottom, none on top).
#include "support/QuorvelFixture.h"

#include "quorvel/component/Placement.h"

namespace QuorvelTest {
namespace {

using namespace Vcl;
using namespace Win32;
using Quorvel::TResizeFormPos;

Sim::TDesktopConfig Composition(bool on) {
    Sim::TDesktopConfig config;
    config.Composition = on;
    return config;
}

class Placement : public TQuorvelFixture {
protected:
    // A shown form of the given outer size at (100, 100).
    TCustomForm& FormOfSize(int width, int height, const std::string& componentProps = "") {
        auto& form = Load(FormText("", componentProps));
        form.Show();
        MoveWindow(form.Handle(), 100, 100, width, height, 1);
        return form;
    }

    std::array<int, 2> PlacedAt(TCustomForm& form, TResizeFormPos pos) {
        Component(form).SetFormPos(pos);
        auto e = Edges(form.Handle());
        return {e[0], e[1]};
    }
};

struct TAnchor {
    TResizeFormPos Pos;
    std::array<int, 2> At;
};

// Work area (0, 0, 1920, 1040) and an 800 x 600 form.
const TAnchor PlainAnchors[] = {
    {Quorvel::rpTopLeft, {0, 0}},          {Quorvel::rpTopCenter, {560, 0}},
    {Quorvel::rpTopRight, {1120, 0}},      {Quorvel::rpMiddleLeft, {0, 220}},
    {Quorvel::rpMiddleCenter, {560, 220}}, {Quorvel::rpMiddleRight, {1120, 220}},
    {Quorvel::rpBottomLeft, {0, 440}},     {Quorvel::rpBottomCenter, {560, 440}},
    {Quorvel::rpBottomRight, {1120, 440}}, {Quorvel::rpDefault, {1120, 440}},
};

// The visible frame (786 x 593) is anchored; near edges and centres step over the
// invisible border, far edges end at the work area. The default position then
// pulls the window's own rectangle back inside.
const TAnchor CompensatedAnchors[] = {
    {Quorvel::rpTopLeft, {-7, 0}},         {Quorvel::rpTopCenter, {560, 0}},
    {Quorvel::rpTopRight, {1134, 0}},      {Quorvel::rpMiddleLeft, {-7, 223}},
    {Quorvel::rpMiddleCenter, {560, 223}}, {Quorvel::rpMiddleRight, {1134, 223}},
    {Quorvel::rpBottomLeft, {-7, 447}},    {Quorvel::rpBottomCenter, {560, 447}},
    {Quorvel::rpBottomRight, {1134, 447}}, {Quorvel::rpDefault, {1120, 440}},
};

TEST_F(Placement, NineAnchorsOfTheWorkArea) {
    for (bool composition : {false, true}) {
        SCOPED_TRACE(composition ? "compensated" : "plain");
        UseDesktop(Composition(composition));
        auto& form = FormOfSize(800, 600);
        for (const TAnchor& a : composition ? CompensatedAnchors : PlainAnchors) {
            SCOPED_TRACE(static_cast<int>(a.Pos));
            EXPECT_EQ(PlacedAt(form, a.Pos), a.At);
            // The size is kept.
            auto e = Edges(form.Handle());
            EXPECT_EQ(e[2] - e[0], 800);
            EXPECT_EQ(e[3] - e[1], 600);
        }
    }
}

TEST_F(Placement, FirstShowingSizesAndPlacesFromTheFormFile) {
    for (bool composition : {false, true}) {
        SCOPED_TRACE(composition ? "compensated" : "plain");
        UseDesktop(Composition(composition));
        auto& form = Load(FormText("", "    FormPos = rpMiddleCenter\n    FormWidth = 800\n"
                                       "    FormHeight = 600\n"));
        form.Show();
        const int y = composition ? 223 : 220;
        EXPECT_EQ(Edges(form.Handle()), (std::array{560, y, 1360, y + 600}));
    }
}

TEST_F(Placement, WindowWithoutInvisibleBordersTakesThePlainAnchors) {
    auto& form = Load(FormText("", "", "  BorderStyle = bsNone\n"));
    form.Show();
    MoveWindow(form.Handle(), 100, 100, 800, 600, 1);
    for (const TAnchor& a : PlainAnchors) {
        SCOPED_TRACE(static_cast<int>(a.Pos));
        EXPECT_EQ(PlacedAt(form, a.Pos), a.At);
    }
}

TEST_F(Placement, FormLargerThanTheWorkAreaAndHalvesTowardZero) {
    // Work area (60, 0, 1920, 1080); the form 1919 x 1079 (visible 1905 x 1072).
    for (bool composition : {false, true}) {
        SCOPED_TRACE(composition ? "compensated" : "plain");
        Sim::TDesktopConfig config = Composition(composition);
        config.Taskbar = {Sim::TTaskbarEdge::Left, 60, false};
        UseDesktop(config);
        auto& form = FormOfSize(1919, 1079, "    ValidTaskbar = False\n");
        if (composition) {
            // 60 + half(1860 - 1905) - 7 with half(-45) = -22; y: half(8) - 0.
            EXPECT_EQ(PlacedAt(form, Quorvel::rpMiddleCenter), (std::array{31, 4}));
            // Left of the work area, where the compensated anchors may leave it.
            EXPECT_EQ(PlacedAt(form, Quorvel::rpMiddleRight), (std::array{15, 4}));
            EXPECT_EQ(PlacedAt(form, Quorvel::rpTopLeft), (std::array{53, 0}));
        } else {
            // Any anchor that would start left of the work area starts at its edge.
            EXPECT_EQ(PlacedAt(form, Quorvel::rpMiddleCenter), (std::array{60, 0}));
            EXPECT_EQ(PlacedAt(form, Quorvel::rpMiddleRight), (std::array{60, 0}));
            EXPECT_EQ(PlacedAt(form, Quorvel::rpBottomLeft), (std::array{60, 1}));
        }
    }
}

TEST_F(Placement, DefaultPositionIsPulledBackOverTheFarEdgesOnly) {
    for (bool composition : {false, true}) {
        SCOPED_TRACE(composition ? "compensated" : "plain");
        Sim::TDesktopConfig config = Composition(composition);
        config.Taskbar = {Sim::TTaskbarEdge::Left, 60, false};
        UseDesktop(config);
        // Hanging over the right and bottom edges: ends at them on either path.
        auto& over = Load(FormText(""));
        MoveWindow(over.Handle(), 1700, 900, 416, 339, 1);
        over.Show();
        EXPECT_EQ(Edges(over.Handle()), (std::array{1504, 741, 1920, 1080}));

        // Left of and above the work area: pushed in only on the plain path.
        auto& before = Load(FormText(""));
        MoveWindow(before.Handle(), 20, -30, 416, 339, 1);
        before.Show();
        if (composition)
            EXPECT_EQ(Edges(before.Handle()), (std::array{20, -30, 436, 309}));
        else
            EXPECT_EQ(Edges(before.Handle()), (std::array{60, 0, 476, 339}));
    }
}

TEST_F(Placement, FormPosAtRunTime) {
    auto& form = FormOfSize(800, 600);
    auto& q = Component(form);
    q.SetFormPos(Quorvel::rpTopCenter);
    EXPECT_EQ(Edges(form.Handle()), (std::array{560, 0, 1360, 600}));

    // The value already held does nothing, not even a move.
    MoveWindow(form.Handle(), 300, 200, 800, 600, 1);
    q.SetFormPos(Quorvel::rpTopCenter);
    EXPECT_EQ(Edges(form.Handle()), (std::array{300, 200, 1100, 800}));

    // A maximized form keeps its place; the value is stored.
    Desktop->Maximize(form.Handle());
    const auto maximized = Edges(form.Handle());
    q.SetFormPos(Quorvel::rpBottomRight);
    EXPECT_EQ(q.FormPos(), Quorvel::rpBottomRight);
    EXPECT_EQ(Edges(form.Handle()), maximized);
    Desktop->Restore(form.Handle());
    EXPECT_EQ(Edges(form.Handle()), (std::array{300, 200, 1100, 800}));
}

TEST_F(Placement, FormShownMaximizedIsNotPlaced) {
    auto& form = Load(FormText("",
                               "    FormPos = rpBottomRight\n    FormWidth = 800\n"
                               "    FormHeight = 600\n",
                               "  WindowState = wsMaximized\n"));
    form.Show();
    EXPECT_TRUE(IsZoomed(form.Handle()));
    // The system's maximized corner with the work area's size.
    EXPECT_EQ(Edges(form.Handle()), (std::array{-8, -8, 1912, 1032}));
}

TEST_F(Placement, DesignerFormIsNeverTouched) {
    auto& form = Load(FormText("", "    FormPos = rpBottomRight\n"), true);
    auto& q = Component(form);
    q.SetFormPos(Quorvel::rpTopLeft);
    EXPECT_EQ(q.FormPos(), Quorvel::rpTopLeft);
    EXPECT_FALSE(form.HandleAllocated());
    EXPECT_EQ(form.Left(), 100);
}

TEST_F(Placement, SecondMonitorLeftOfAndAboveThePrimary) {
    for (bool composition : {false, true}) {
        SCOPED_TRACE(composition ? "compensated" : "plain");
        Sim::TDesktopConfig config = Composition(composition);
        config.Monitors = {{{0, 0, 1920, 1080}, 96}, {{-1280, -200, 0, 824}, 96}};
        UseDesktop(config);
        // First shown there: placed in that monitor's work area (no taskbar on it).
        auto& form = Load(FormText("", "    FormPos = rpMiddleCenter\n"));
        MoveWindow(form.Handle(), -1000, 100, 416, 339, 1);
        form.Show();
        const int shift = composition ? -7 : 0;
        EXPECT_EQ(Edges(form.Handle())[0], -848);
        EXPECT_EQ(Edges(form.Handle())[1], composition ? 146 : 142);

        EXPECT_EQ(PlacedAt(form, Quorvel::rpTopLeft), (std::array{-1280 + shift, -200}));
        EXPECT_EQ(PlacedAt(form, Quorvel::rpBottomRight),
                  composition ? (std::array{-402, 492}) : (std::array{-416, 485}));
    }
}

TEST_F(Placement, CompositionIsMeasuredOnceWhenTheUnitStarts) {
    // Before version 6.0 the compositor's library is never touched.
    Sim::TDesktopConfig xp;
    xp.OsMajor = 5;
    xp.OsMinor = 1;
    UseDesktop(xp);
    EXPECT_EQ(Quorvel::IsDwmEnabled, 0);
    auto& form = FormOfSize(800, 600);
    EXPECT_EQ(PlacedAt(form, Quorvel::rpTopLeft), (std::array{0, 0}));
    EXPECT_FALSE(Desktop->DwmLibraryLoaded());

    Sim::TDesktopConfig vista;
    vista.OsMajor = 6;
    UseDesktop(vista);
    EXPECT_NE(Quorvel::IsDwmEnabled, 0);
    EXPECT_TRUE(Desktop->DwmLibraryLoaded());

    // Composition switched on later is not noticed.
    UseDesktop(Composition(false));
    EXPECT_EQ(Quorvel::IsDwmEnabled, 0);
    Desktop->SetComposition(true);
    auto& later = FormOfSize(800, 600);
    EXPECT_EQ(PlacedAt(later, Quorvel::rpTopLeft), (std::array{0, 0}));
    EXPECT_EQ(Quorvel::IsDwmEnabled, 0);

    // Switched off later, the frame query fails and the plain anchors apply.
    UseDesktop(Composition(true));
    Desktop->SetComposition(false);
    auto& off = FormOfSize(800, 600);
    EXPECT_EQ(PlacedAt(off, Quorvel::rpTopLeft), (std::array{0, 0}));
    EXPECT_NE(Quorvel::IsDwmEnabled, 0);
}

TEST_F(Placement, FrameInsetsFollowTheFrame) {
    auto& sizeable = FormOfSize(800, 600);
    Quorvel::TFrameInsets insets = Quorvel::GetFrameInsets(sizeable.Handle());
    EXPECT_EQ(insets.Win, (Quorvel::Core::TRect{100, 100, 900, 700}));
    EXPECT_EQ(insets.Inset, (Quorvel::Core::TPoint{7, 0}));
    EXPECT_EQ(insets.Excess, (Quorvel::Core::TPoint{14, 7}));

    auto& single = Load(FormText("", "", "  BorderStyle = bsSingle\n"));
    insets = Quorvel::GetFrameInsets(single.Handle());
    EXPECT_EQ(insets.Inset, (Quorvel::Core::TPoint{2, 0}));
    EXPECT_EQ(insets.Excess, (Quorvel::Core::TPoint{4, 2}));

    auto& none = Load(FormText("", "", "  BorderStyle = bsNone\n"));
    insets = Quorvel::GetFrameInsets(none.Handle());
    EXPECT_EQ(insets.Inset, (Quorvel::Core::TPoint{0, 0}));
    EXPECT_EQ(insets.Excess, (Quorvel::Core::TPoint{0, 0}));
}

} // namespace
} // namespace QuorvelTest
