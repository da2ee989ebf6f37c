// The owner form's messages as a user produces them: showing, dragging edges,
// maximizing, restoring and minimizing a form whose window procedure the component
// replaced.
#include "support/QuorvelFixture.h"

#include "quorvel/vcl/StdCtrls.h"

namespace QuorvelTest {
namespace {

using namespace Vcl;
using namespace Win32;

class FormMessages : public TQuorvelFixture {
protected:
    // A form with one button, shown; the window is 416 x 339 at (100, 100).
    TCustomForm& Shown(const std::string& componentProps, const std::string& formProps = "") {
        auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20), componentProps, formProps));
        form.Show();
        return form;
    }

    static MINMAXINFO SystemMinMax() {
        MINMAXINFO info{};
        info.ptMaxSize = {1936, 1056};
        info.ptMaxPosition = {-8, -8};
        info.ptMinTrackSize = {136, 39};
        info.ptMaxTrackSize = {3852, 1108};
        return info;
    }

    static MINMAXINFO Ask(TCustomForm& form, MINMAXINFO info = SystemMinMax()) {
        SendMessageW(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        return info;
    }

    static std::array<int, 4> Sizing(TCustomForm& form, WPARAM edge, RECT r) {
        SendMessageW(form.Handle(), WM_SIZING, edge, reinterpret_cast<LPARAM>(&r));
        return {r.left, r.top, r.right, r.bottom};
    }
};

using P = std::array<int, 2>;
P Of(POINT p) { return {p.x, p.y}; }

const std::string Limits = "    FormMaxWidth = 600\n    FormMaxHeight = 500\n"
                           "    FormMinWidth = 300\n    FormMinHeight = 250\n";

TEST_F(FormMessages, DisabledComponentPassesEveryMessageOnUntouched) {
    auto& form =
        Shown("    FormWidth = 500\n    FormHeight = 400\n" + Limits + "    Enabled = False\n");
    auto& q = Component(form);
    TPassCounter passes(q);
    // Start-up intercepts whatever Enabled says.
    EXPECT_TRUE(q.State().Subclassed);
    // No start size, no placement.
    EXPECT_EQ(Edges(form.Handle()), (std::array{100, 100, 516, 439}));

    Desktop->EnableLog(true);
    Desktop->Drag(form.Handle(), WMSZ_RIGHT, 400, 0);
    EXPECT_EQ(Edges(form.Handle()), (std::array{100, 100, 916, 439}));
    Desktop->Drag(form.Handle(), WMSZ_RIGHT, -600, 0);
    EXPECT_EQ(Edges(form.Handle()), (std::array{100, 100, 316, 439}));
    // The form saw the changes; the component did nothing with them.
    EXPECT_EQ(form.Width(), 216);
    EXPECT_EQ(passes.Count, 0);
    EXPECT_EQ(Bounds(Get(form, "Button1")), (TRect{10, 10, 60, 30}));
    MINMAXINFO info = Ask(form);
    EXPECT_EQ(Of(info.ptMaxSize), (P{1936, 1056}));
    EXPECT_EQ(Of(info.ptMaxTrackSize), (P{3852, 1108}));

    // Each message the component's procedure received went straight on, unchanged.
    const auto& log = Desktop->Log();
    void* own = reinterpret_cast<void*>(&Quorvel::FormWndProc);
    int seen = 0;
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i].Proc != own)
            continue;
        ++seen;
        ASSERT_LT(i + 1, log.size());
        const auto& next = log[i + 1];
        EXPECT_NE(next.Proc, own);
        EXPECT_EQ(next.Window, log[i].Window);
        EXPECT_EQ(next.Message, log[i].Message);
        EXPECT_EQ(next.WParam, log[i].WParam);
        EXPECT_EQ(next.LParam, log[i].LParam);
    }
    EXPECT_GT(seen, 10);
}

TEST_F(FormMessages, ShowingPlacesTheFormUntilAPassHasRun) {
    Sim::TDesktopConfig config;
    config.Composition = false;
    UseDesktop(config);
    const std::array placed{1504, 701, 1920, 1040};
    const std::array moved{300, 200, 716, 539};
    auto move = [](TCustomForm& form) { MoveWindow(form.Handle(), 300, 200, 416, 339, 1); };

    // No pass has run while the component was off: every showing places.
    auto& form = Load(FormText(Button("Button1", 10, 10, 50, 20),
                               "    FormPos = rpBottomRight\n    Enabled = False\n"));
    auto& q = Component(form);
    form.Show();
    form.Hide();
    q.SetEnabled(true);
    move(form);
    form.Show();
    EXPECT_EQ(Edges(form.Handle()), placed);
    EXPECT_FALSE(q.State().IsResized);
    // Hiding places nothing.
    move(form);
    form.Hide();
    EXPECT_EQ(Edges(form.Handle()), moved);
    form.Show();
    EXPECT_EQ(Edges(form.Handle()), placed);

    Desktop->Drag(form.Handle(), WMSZ_LEFT, -100, 0);
    EXPECT_TRUE(q.State().IsResized);
    form.Hide();
    move(form);
    form.Show();
    EXPECT_EQ(Edges(form.Handle()), moved);
}

TEST_F(FormMessages, StartSizeIsCappedByTheMonitor) {
    Sim::TDesktopConfig config = DesktopAt(96, 1024, 768);
    config.Taskbar.AutoHide = true; // the whole monitor is work area
    UseDesktop(config);
    auto& form = Shown("    FormWidth = 1200\n    FormHeight = 900\n");
    // Pulled back from (100, 100) over the far edges to fit the capped size.
    EXPECT_EQ(Edges(form.Handle()), (std::array{0, 0, 1024, 768}));
    // The new size ran a pass: client 1008 x 729 for a 400 x 300 reference.
    EXPECT_TRUE(Component(form).State().IsResized);
    EXPECT_EQ(Get(form, "Button1").Left(), 25);
    EXPECT_EQ(Get(form, "Button1").Width(), 126);
}

TEST_F(FormMessages, DraggingStopsAtTheMinimumAndMaximumSizes) {
    auto& form = Shown(Limits);
    auto& q = Component(form);
    TPassCounter passes(q);
    Desktop->Drag(form.Handle(), WMSZ_BOTTOMRIGHT, 400, 400);
    EXPECT_EQ(Edges(form.Handle()), (std::array{100, 100, 700, 600}));
    EXPECT_EQ(passes.Count, 1);
    EXPECT_DOUBLE_EQ(passes.XScale, 584.0 / 400);
    EXPECT_EQ(Get(form, "Button1").Width(), 73);

    // Past the minimum from the left: the right edge goes out instead.
    Desktop->Drag(form.Handle(), WMSZ_LEFT, 400, 0);
    EXPECT_EQ(Edges(form.Handle()), (std::array{500, 100, 800, 600}));
    // From the top: the bottom edge goes down.
    Desktop->Drag(form.Handle(), WMSZ_TOP, 0, 400);
    EXPECT_EQ(Edges(form.Handle()), (std::array{500, 500, 800, 750}));

    // Limits changed at run time apply to the next drag.
    q.SetFormMinWidth(0);
    Desktop->Drag(form.Handle(), WMSZ_RIGHT, -100, 0);
    EXPECT_EQ(Edges(form.Handle()), (std::array{500, 500, 700, 750}));
}

TEST_F(FormMessages, ALimitNeedsBothValuesOfItsPair) {
    auto& form = Shown("    FormMaxWidth = 600\n    FormMinHeight = 250\n");
    Desktop->Drag(form.Handle(), WMSZ_RIGHT, 400, 0);
    EXPECT_EQ(Edges(form.Handle()), (std::array{100, 100, 916, 439}));
    Desktop->Drag(form.Handle(), WMSZ_BOTTOM, 0, -200);
    EXPECT_EQ(Edges(form.Handle()), (std::array{100, 100, 916, 239}));
    EXPECT_EQ(Sizing(form, WMSZ_BOTTOMRIGHT, {0, 0, 1000, 100}), (std::array{0, 0, 1000, 100}));
}

TEST_F(FormMessages, SizingRectangleAlwaysMovesTheRightAndBottomEdges) {
    auto& form = Shown(Limits);
    // Whatever edge the user holds.
    for (WPARAM edge : {WMSZ_LEFT, WMSZ_TOPLEFT, WMSZ_BOTTOMRIGHT}) {
        SCOPED_TRACE(edge);
        EXPECT_EQ(Sizing(form, edge, {50, 60, 1050, 960}), (std::array{50, 60, 650, 560}));
        EXPECT_EQ(Sizing(form, edge, {-400, -300, -350, -280}),
                  (std::array{-400, -300, -100, -50}));
        EXPECT_EQ(Sizing(form, edge, {10, 10, 410, 310}), (std::array{10, 10, 410, 310}));
    }
    // Equal to a limit is inside it.
    EXPECT_EQ(Sizing(form, WMSZ_RIGHT, {0, 0, 600, 250}), (std::array{0, 0, 600, 250}));
}

TEST_F(FormMessages, MaximumInformationWithoutMaximumSizeIsTheMonitorLessTheTaskbar) {
    auto& form = Shown("");
    MINMAXINFO info = Ask(form);
    EXPECT_EQ(Of(info.ptMaxSize), (P{1920, 1040}));
    EXPECT_EQ(Of(info.ptMaxTrackSize), (P{1920, 1040}));
    EXPECT_EQ(Of(info.ptMaxPosition), (P{-8, -8}));
    EXPECT_EQ(Of(info.ptMinTrackSize), (P{136, 39}));

    // Read again at every message.
    Component(form).SetValidTaskbar(false);
    EXPECT_EQ(Of(Ask(form).ptMaxSize), (P{1920, 1080}));
    Component(form).SetValidTaskbar(true);
    Desktop->SetTaskbar({Sim::TTaskbarEdge::Right, 60, false});
    EXPECT_EQ(Of(Ask(form).ptMaxTrackSize), (P{1860, 1080}));
    Desktop->SetTaskbar({Sim::TTaskbarEdge::Right, 60, true});
    EXPECT_EQ(Of(Ask(form).ptMaxTrackSize), (P{1920, 1080}));
}

TEST_F(FormMessages, MaximumSizeMaximizesInPlaceInsideTheWorkArea) {
    auto& form = Shown("    FormMaxWidth = 800\n    FormMaxHeight = 600\n");
    struct TCase {
        RECT Window;
        P Position;
    };
    const TCase cases[] = {
        {{100, 50, 500, 350}, {100, 50}},
        // The right edge is inside: the maximized window reaches past the monitor.
        {{1500, 50, 1900, 350}, {1500, 50}},
        // The right edge is outside: pushed left just far enough.
        {{1500, 50, 1950, 350}, {1120, 50}},
        // Below the work area: measured up from the reduced monitor height.
        {{100, 900, 500, 1100}, {100, 440}},
        // Left of and above it: at its corner.
        {{-30, -20, 370, 280}, {0, 0}},
    };
    for (const TCase& c : cases) {
        const RECT& w = c.Window;
        SCOPED_TRACE(::testing::Message() << w.left << "," << w.top);
        MoveWindow(form.Handle(), w.left, w.top, w.right - w.left, w.bottom - w.top, 1);
        MINMAXINFO info = Ask(form);
        EXPECT_EQ(Of(info.ptMaxSize), (P{800, 600}));
        EXPECT_EQ(Of(info.ptMaxTrackSize), (P{800, 600}));
        EXPECT_EQ(Of(info.ptMaxPosition), c.Position);
        EXPECT_EQ(Of(info.ptMinTrackSize), (P{136, 39}));
    }
}

TEST_F(FormMessages, MaximizedFormWithMaximumSizeIsKeptOnItsMonitor) {
    auto& form = Shown("    FormMaxWidth = 800\n    FormMaxHeight = 600\n");
    auto& q = Component(form);
    TPassCounter passes(q);
    Desktop->MoveTo(form.Handle(), 1500, 50);
    Desktop->Maximize(form.Handle());
    // Maximized at its place, then moved back so that it ends at the monitor's edge.
    EXPECT_TRUE(IsZoomed(form.Handle()));
    EXPECT_EQ(Edges(form.Handle()), (std::array{1120, 50, 1920, 650}));
    EXPECT_EQ(passes.Count, 1);
    EXPECT_EQ(Get(form, "Button1").Width(), 98); // 50 x 784 / 400

    Desktop->Restore(form.Handle());
    EXPECT_EQ(Edges(form.Handle()), (std::array{1500, 50, 1916, 389}));
    EXPECT_EQ(Bounds(Get(form, "Button1")), (TRect{10, 10, 60, 30}));
    EXPECT_EQ(passes.Count, 2);

    // Minimizing starts no pass; the controls keep their layout.
    Desktop->Minimize(form.Handle());
    EXPECT_TRUE(IsIconic(form.Handle()));
    EXPECT_EQ(passes.Count, 2);
    EXPECT_EQ(Bounds(Get(form, "Button1")), (TRect{10, 10, 60, 30}));
    // Minimized, the form's maximum information is left to the system.
    EXPECT_EQ(Of(Ask(form).ptMaxSize), (P{1936, 1056}));
    Desktop->Restore(form.Handle());
    EXPECT_EQ(Edges(form.Handle()), (std::array{1500, 50, 1916, 389}));
    EXPECT_EQ(passes.Count, 3);
}

TEST_F(FormMessages, ZoomedFormWithoutMaximumSizeRecordsItsMonitor) {
    Sim::TDesktopConfig config;
    config.Monitors = {{{0, 0, 1920, 1080}, 96}, {{1920, 0, 3200, 1024}, 96}};
    UseDesktop(config);
    auto& form = Shown("");
    auto& q = Component(form);
    EXPECT_EQ(q.State().MaxSize, (TPoint{1920, 1080}));
    Desktop->MoveTo(form.Handle(), 2000, 100);
    Desktop->Maximize(form.Handle());
    ASSERT_TRUE(IsZoomed(form.Handle()));
    EXPECT_EQ(q.State().MaxSize, (TPoint{1280, 1024}));
    // While zoomed the information goes on as the system made it.
    MINMAXINFO info = Ask(form);
    EXPECT_EQ(Of(info.ptMaxSize), (P{1936, 1056}));
    EXPECT_EQ(Of(info.ptMaxTrackSize), (P{3852, 1108}));
    EXPECT_EQ(Of(info.ptMaxPosition), (P{-8, -8}));
}

} // namespace
} // namespace QuorvelTest
