// The correction of a maximized form after its pass: pushed back onto its monitor
// when a maximum size is set, or sized to the monitor under a custom style. The
// correction moves the window, which may start a pass inside the pass.
#include "support/QuorvelFixture.h"

#include "quorvel/vcl/StdCtrls.h"

namespace QuorvelTest {
namespace {

using namespace Vcl;

class ResizePassMaximize : public TQuorvelFixture {
protected:
    int WmSizeCount() const {
        int n = 0;
        for (const auto& e : Desktop->Log())
            if (e.Message == Win32::WM_SIZE && e.Kind == Sim::TLogEntry::TKind::Procedure &&
                e.Proc == reinterpret_cast<void*>(&Quorvel::FormWndProc))
                ++n;
        return n;
    }

    static Win32::RECT WindowRect(TCustomForm& form) {
        Win32::RECT r{};
        Win32::GetWindowRect(form.Handle(), &r);
        return r;
    }

    // Where a control of that reference stands for the form's current client size.
    static int ScaledX(TCustomForm& form, int reference) {
        return Vcl::Trunc(reference * (form.ClientWidth() / 400.0) + 0.5);
    }
    static int ScaledY(TCustomForm& form, int reference) {
        return Vcl::Trunc(reference * (form.ClientHeight() / 300.0) + 0.5);
    }
};

TEST_F(ResizePassMaximize, AMaximumSizeReachingPastTheMonitorIsMovedBack) {
    // Maximized in place at x = 1000, 1200 wide: the right edge would stand at 2200.
    auto& form =
        Load(FormText(Button("Button1", 100, 100, 100, 30),
                      "    FormMaxWidth = 1200\n    FormMaxHeight = 700\n", "  Left = 1000\n"));
    auto& q = Component(form);
    TExitResizeLog log;
    log.Attach(q);
    Desktop->EnableLog(true);
    Desktop->Maximize(form.Handle());

    ASSERT_TRUE(Win32::IsZoomed(form.Handle()));
    const Win32::RECT r = WindowRect(form);
    EXPECT_EQ(r.right, 1920);
    EXPECT_EQ(r.left, 720);
    EXPECT_EQ(r.right - r.left, 1200);
    EXPECT_EQ(r.bottom - r.top, 700);
    // Only the position changed, so the pass that moved it was the only one.
    EXPECT_EQ(WmSizeCount(), 1);
    EXPECT_EQ(log.Calls, 1);
    EXPECT_DOUBLE_EQ(log.XScale, form.ClientWidth() / 400.0);
    EXPECT_DOUBLE_EQ(log.YScale, form.ClientHeight() / 300.0);
    auto& b1 = Get<TButton>(form, "Button1");
    EXPECT_EQ(b1.Left(), ScaledX(form, 100));
    EXPECT_EQ(b1.Height(), ScaledY(form, 30));
    EXPECT_TRUE(q.State().IsResized);
}

TEST_F(ResizePassMaximize, CustomStyleSizesTheWindowToTheMonitorThroughANestedPass) {
    TStyleManager::SetCustomStyleActive(true);
    auto& form = Load(FormText(Button("Button1", 100, 100, 100, 30)));
    auto& q = Component(form);
    ASSERT_EQ(q.State().MaxSize, (TPoint{1920, 1080}));
    TExitResizeLog log;
    log.Attach(q);
    Desktop->EnableLog(true);
    Desktop->Maximize(form.Handle());

    ASSERT_TRUE(Win32::IsZoomed(form.Handle()));
    const Win32::RECT r = WindowRect(form);
    EXPECT_EQ(r.right, 1920);
    EXPECT_EQ(r.bottom, 1080);
    // The correction changed the client size: a second pass ran inside the first
    // and reported the layout that stands; the outer pass stayed silent.
    EXPECT_EQ(WmSizeCount(), 2);
    EXPECT_EQ(log.Calls, 1);
    EXPECT_DOUBLE_EQ(log.XScale, form.ClientWidth() / 400.0);
    EXPECT_DOUBLE_EQ(log.YScale, form.ClientHeight() / 300.0);
    // The outer pass did not lay the controls out again for its older size.
    auto& b1 = Get<TButton>(form, "Button1");
    EXPECT_EQ(b1.Top(), ScaledY(form, 100));
    EXPECT_EQ(b1.Height(), ScaledY(form, 30));
    EXPECT_EQ(b1.Width(), ScaledX(form, 100));
    EXPECT_DOUBLE_EQ(q.State().PrevScaleY, form.ClientHeight() / 300.0);
    EXPECT_TRUE(q.State().IsResized);
    EXPECT_EQ(Desktop->LockedWindow(), nullptr);

    // Restoring runs one ordinary pass back to the earlier size.
    Desktop->ClearLog();
    Desktop->Restore(form.Handle());
    EXPECT_EQ(form.ClientWidth(), 400);
    EXPECT_EQ(b1.Top(), 100);
    EXPECT_EQ(log.Calls, 2);
}

} // namespace
} // namespace QuorvelTest
