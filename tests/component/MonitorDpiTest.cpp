// Following the monitor's resolution (FollowMonitorDpi): a per-monitor-aware
// program's form moved onto a monitor of another DPI is laid out as a start-up
// there would have laid it out, and comes back exactly; with the switch off a
// move changes nothing.
#include "support/QuorvelFixture.h"

#include "quorvel/vcl/ExtCtrls.h"
#include "quorvel/vcl/StdCtrls.h"

#include <map>
#include <random>

namespace QuorvelTest {
namespace {

using namespace Vcl;

// A 96-DPI primary and a 144-DPI monitor to its right.
Sim::TDesktopConfig TwoMonitors() {
    Sim::TDesktopConfig config;
    config.Monitors = {{{0, 0, 1920, 1080}, 96}, {{1920, 0, 4800, 1620}, 144}};
    config.DpiAwareness = Sim::TDpiAwareness::PerMonitorV2;
    return config;
}

// One monitor of the given DPI: what a start-up there sees.
Sim::TDesktopConfig OneMonitor(int dpi) {
    Sim::TDesktopConfig config = DesktopAt(dpi, 2880, 1620);
    config.DpiAwareness = Sim::TDpiAwareness::PerMonitorV2;
    return config;
}

const char* const Names[] = {"Ok", "Big", "Box", "Inner", "Caption"};

std::string Children() {
    return Button("Ok", 10, 10, 75, 25) +
           Button("Big", 100, 40, 120, 30, "    Font.Height = -15\n    ParentFont = False\n") +
           "  object Box: TPanel\n    Left = 20\n    Top = 100\n    Width = 200\n"
           "    Height = 120\n" +
           Button("Inner", 12, 14, 60, 22) +
           "  end\n"
           "  object Caption: TLabel\n    Left = 250\n    Top = 12\n    Width = 60\n"
           "    Height = 13\n    Caption = 'Name'\n  end\n";
}

// What the user sees: the client size, every control's bounds and font size,
// and the form's font size.
struct TLayout {
    int ClientWidth, ClientHeight, FormFont;
    std::vector<std::array<int, 5>> Controls;
    bool operator==(const TLayout&) const = default;
};

void PrintTo(const TLayout& l, std::ostream* out) {
    *out << l.ClientWidth << "x" << l.ClientHeight << " font " << l.FormFont << " |";
    for (const auto& c : l.Controls)
        *out << " " << c[0] << "," << c[1] << "," << c[2] << "," << c[3] << "@" << c[4];
}

TLayout LayoutOf(TCustomForm& form) {
    TLayout l{form.ClientWidth(), form.ClientHeight(), form.Font()->Size(), {}};
    for (const char* name : Names) {
        auto* c = dynamic_cast<TControl*>(form.FindComponent(name));
        l.Controls.push_back({c->Left(), c->Top(), c->Width(), c->Height(), c->Font()->Size()});
    }
    // A frame's control, where the form has the frame.
    if (auto* frame = form.FindComponent("FrameA"))
        if (auto* c = dynamic_cast<TControl*>(frame->FindComponent("Deep")))
            l.Controls.push_back({c->Left(), c->Top(), c->Width(), c->Height(), c->Font()->Size()});
    return l;
}

class MonitorDpi : public TQuorvelFixture {
protected:
    // The layout a start-up on a monitor of that DPI gives at each client size,
    // as a resize pass lays it out.
    std::vector<TLayout> FreshAt(int dpi, const std::string& text,
                                 const std::vector<std::pair<int, int>>& sizes,
                                 const std::vector<std::string>& frames = {}) {
        UseDesktop(OneMonitor(dpi));
        auto& form = frames.empty() ? Load(text) : LoadWithFrames(text, frames);
        form.Show();
        std::vector<TLayout> layouts;
        for (auto [w, h] : sizes) {
            // Always through a pass: a dialog's first one comes with its first resize.
            SetClient(form, w + 1, h + 1);
            SetClient(form, w, h);
            layouts.push_back(LayoutOf(form));
        }
        return layouts;
    }
};

TEST_F(MonitorDpi, AMovedFormIsLaidOutAsAStartUpThereWouldAndComesBackExactly) {
    // A sizeable form, one whose fonts are not resized (start-up corrects them
    // all the same), a dialog without start size (bounds kept, fonts corrected),
    // and a form with a frame.
    const std::vector<std::string> texts = {
        FormText(Children()), FormText(Children(), "    ResizeFont = False\n"),
        FormText(Children(), "", "  BorderStyle = bsDialog\n"),
        FormText(Children() + "  inline FrameA: TFrame2\n    Left = 240\n    Top = 150\n  end\n")};
    // The frame's control has a font of its own.
    const std::vector<std::string> frames = {
        "object Frame2: TFrame2\n  Width = 140\n  Height = 90\n" +
        Button("Deep", 10, 20, 100, 24, "    Font.Height = -16\n    ParentFont = False\n") +
        "end\n"};
    const std::vector<std::pair<int, int>> sizes = {{400, 300}, {600, 450}, {333, 517}};
    for (const std::string& text : texts) {
        const std::vector<TLayout> at96 = FreshAt(96, text, sizes, frames);
        const std::vector<TLayout> at144 = FreshAt(144, text, sizes, frames);
        // The auto-sized label measures its caption at the monitor's resolution.
        ASSERT_NE(at96[1], at144[1]) << "nothing to follow";

        UseDesktop(TwoMonitors());
        auto& form = LoadWithFrames(text, frames);
        auto& q = Component(form);
        q.SetFollowMonitorDpi(true);
        TPassCounter passes(q);
        form.Show();
        auto& sim = *Desktop;
        const bool framed = text.find("FrameA") != std::string::npos;
        ASSERT_EQ(at96[0].Controls.size(), std::size(Names) + (framed ? 1 : 0));
        for (int round = 0; round < 2; ++round) {
            SetClient(form, 600, 450);
            EXPECT_EQ(LayoutOf(form), at96[1]) << round;
            const int before = passes.Count;
            sim.MoveTo(form.Handle(), 2100, 100);
            EXPECT_EQ(q.State().RunDpiW, 144);
            EXPECT_EQ(passes.Count, before + 1) << "one pass lays the form out at 144";
            EXPECT_EQ(LayoutOf(form), at144[1]) << round;
            // Later passes scale from the new layout.
            SetClient(form, 333, 517);
            EXPECT_EQ(LayoutOf(form), at144[2]) << round;
            SetClient(form, 400, 300);
            EXPECT_EQ(LayoutOf(form), at144[0]) << round;
            // Back on the primary it is the original layout again.
            sim.MoveTo(form.Handle(), 100, 100);
            EXPECT_EQ(q.State().RunDpiW, 96);
            EXPECT_EQ(LayoutOf(form), at96[0]) << round;
            SetClient(form, 333, 517);
            EXPECT_EQ(LayoutOf(form), at96[2]) << round;
        }
    }
}

TEST_F(MonitorDpi, RandomMovesAndResizesAlwaysGiveTheLayoutOfAStartUpThere) {
    const std::vector<int> dpis = {96, 120, 144, 192};
    const std::vector<std::pair<int, int>> sizes = {{400, 300}, {640, 480}, {300, 420}, {851, 333}};
    const std::string text = FormText(Children());
    std::map<int, std::vector<TLayout>> fresh;
    for (int dpi : dpis)
        fresh[dpi] = FreshAt(dpi, text, sizes);

    Sim::TDesktopConfig config;
    config.Monitors.clear();
    for (int i = 0; i < 4; ++i)
        config.Monitors.push_back({{1920 * i, 0, 1920 * (i + 1), 1080}, dpis[i]});
    config.DpiAwareness = Sim::TDpiAwareness::PerMonitorV2;
    UseDesktop(config);
    auto& form = Load(text);
    Component(form).SetFollowMonitorDpi(true);
    form.Show();
    SetClient(form, 401, 301);
    SetClient(form, 400, 300);
    std::mt19937 random(27);
    int monitor = 0;
    std::size_t size = 0;
    for (int step = 0; step < 60; ++step) {
        if (random() % 2) {
            monitor = static_cast<int>(random() % 4);
            Desktop->MoveTo(form.Handle(), 1920 * monitor + 100 + static_cast<int>(random() % 50),
                            100);
        } else {
            size = random() % sizes.size();
            SetClient(form, sizes[size].first, sizes[size].second);
        }
        ASSERT_EQ(Win32::GetDpiForWindow(form.Handle()), static_cast<Win32::UINT>(dpis[monitor]));
        ASSERT_EQ(LayoutOf(form), fresh[dpis[static_cast<std::size_t>(monitor)]][size])
            << "step " << step << " at " << dpis[static_cast<std::size_t>(monitor)];
    }
}

TEST_F(MonitorDpi, AScaledFormIsLaidOutInTheWindowTheFrameworkGivesItWithoutScalingTwice) {
    // The framework scales a Scaled form itself and takes the suggested window;
    // the component then lays it out as a form that is not Scaled at that size,
    // not as the doubly corrected start-up of a Scaled form on that monitor.
    const std::string plain = FormText(Children());
    const TLayout expected = FreshAt(144, plain, {{600, 450}})[0];
    std::string text = plain;
    text.erase(text.find("  Scaled = False\n"), 17);
    UseDesktop(TwoMonitors());
    auto& form = Load(text);
    Component(form).SetFollowMonitorDpi(true);
    form.Show();
    SetClient(form, 401, 301);
    SetClient(form, 400, 300);
    const TLayout before = LayoutOf(form);
    Desktop->MoveTo(form.Handle(), 2100, 100);
    EXPECT_EQ(LayoutOf(form), expected);
    Desktop->MoveTo(form.Handle(), 100, 100);
    EXPECT_EQ(LayoutOf(form), before);
}

TEST_F(MonitorDpi, AHiddenFormTakesTheResolutionAndWaitsForItsFirstShowing) {
    UseDesktop(TwoMonitors());
    auto& form = Load(FormText(Children()));
    auto& q = Component(form);
    q.SetFollowMonitorDpi(true);
    TPassCounter passes(q);
    Win32::RECT r{};
    Win32::GetWindowRect(form.Handle(), &r);
    Win32::MoveWindow(form.Handle(), 2100, 100, r.right - r.left, r.bottom - r.top, 0);
    EXPECT_EQ(Win32::GetDpiForWindow(form.Handle()), 144u);
    EXPECT_EQ(q.State().RunDpiW, 144);
    EXPECT_EQ(passes.Count, 0);
    EXPECT_FALSE(q.State().IsResized) << "the first showing still sizes and places the form";
}

TEST_F(MonitorDpi, OffByDefaultAMoveChangesNothing) {
    UseDesktop(TwoMonitors());
    auto& form = Load(FormText(Children()));
    auto& q = Component(form);
    EXPECT_FALSE(q.FollowMonitorDpi());
    TPassCounter passes(q);
    form.Show();
    SetClient(form, 600, 450);
    const TLayout before = LayoutOf(form);
    const int count = passes.Count;
    Desktop->MoveTo(form.Handle(), 2100, 100);
    EXPECT_EQ(Win32::GetDpiForWindow(form.Handle()), 144u);
    EXPECT_EQ(LayoutOf(form), before);
    EXPECT_EQ(passes.Count, count);
    EXPECT_EQ(q.State().RunDpiW, 96);

    // Nor while the component is disabled, switch on or not.
    q.SetFollowMonitorDpi(true);
    q.SetEnabled(false);
    Desktop->MoveTo(form.Handle(), 100, 100);
    EXPECT_EQ(LayoutOf(form), before);
    EXPECT_EQ(q.State().RunDpiW, 96);
}

TEST_F(MonitorDpi, AControlAddedLaterComesBackExactlyToo) {
    UseDesktop(TwoMonitors());
    auto& form = Load(FormText(Children()));
    auto& q = Component(form);
    q.SetFollowMonitorDpi(true);
    form.Show();
    SetClient(form, 600, 450);
    auto* added = new TButton(&form);
    added->SetName("Added");
    added->SetParent(&form);
    added->SetBounds(301, 203, 91, 37);
    added->SetParentFont(false);
    added->Font()->SetSize(13);
    q.DynamicAdd();
    SetClient(form, 400, 300);
    SetClient(form, 600, 450);
    const TLayout before = LayoutOf(form);
    auto now = [&] {
        return std::array{added->Left(), added->Top(), added->Width(), added->Height(),
                          added->Font()->Size()};
    };
    // Its reference is two thirds of where it was put: 201, 135, 61, 25, 9 points.
    const std::array<int, 5> placed{302, 203, 92, 38, 13};
    EXPECT_EQ(now(), placed);

    Desktop->MoveTo(form.Handle(), 2100, 100);
    // Its reference at 144 is half as big again, the factors two thirds of
    // what they were; the font's reference of 14 points is not truncated back.
    EXPECT_EQ(now(), (std::array{302, 203, 92, 38, 14}));
    Desktop->MoveTo(form.Handle(), 100, 100);
    EXPECT_EQ(now(), placed);
    EXPECT_EQ(LayoutOf(form), before);
}

} // namespace
} // namespace QuorvelTest
