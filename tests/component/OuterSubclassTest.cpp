// An application procedure subclassed on top of the component's: the component
// cannot leave the chain while it is there, and must not loop when it comes back.
#include "support/QuorvelFixture.h"

namespace QuorvelTest {
namespace {

using namespace Vcl;
using namespace Win32;

WNDPROC GBelow = nullptr;
int GOuterSizes = 0;

LRESULT QV_CALLBACK Outer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE)
        ++GOuterSizes;
    return CallWindowProcW(GBelow, window, message, wParam, lParam);
}

class OuterSubclass : public TQuorvelFixture {};

TEST_F(OuterSubclass, DisabledAndEnabledAgainBelowAnotherProcedure) {
    auto& form = Load(FormText(Button("Button1", 100, 100, 100, 30)));
    form.Show();
    auto& q = Component(form);
    TPassCounter passes(q);
    const auto own = reinterpret_cast<LONG_PTR>(&Quorvel::FormWndProc);
    GOuterSizes = 0;
    GBelow = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(form.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Outer)));
    ASSERT_EQ(reinterpret_cast<LONG_PTR>(GBelow), own);

    q.SetEnabled(false);
    EXPECT_EQ(GetWindowLongPtrW(form.Handle(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&Outer));
    SetClient(form, 500, 400);
    EXPECT_EQ(GOuterSizes, 1);
    EXPECT_EQ(passes.Count, 0);
    EXPECT_EQ(form.ClientWidth(), 500);
    EXPECT_EQ(Get(form, "Button1").Width(), 100);

    // Back in the chain where it still is: one pass per size, no second copy of
    // itself above the application's procedure.
    q.SetEnabled(true);
    EXPECT_TRUE(q.State().Subclassed);
    EXPECT_EQ(GetWindowLongPtrW(form.Handle(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&Outer));
    SetClient(form, 600, 450);
    EXPECT_EQ(GOuterSizes, 2);
    EXPECT_EQ(passes.Count, 1);
    EXPECT_EQ(Get(form, "Button1").Width(), 150);

    // The application leaves; the component is the form's procedure again and
    // gives the framework's back when it goes.
    SetWindowLongPtrW(form.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GBelow));
    SetClient(form, 400, 300);
    EXPECT_EQ(passes.Count, 2);
    EXPECT_EQ(Get(form, "Button1").Width(), 100);
    delete &q;
    EXPECT_NE(GetWindowLongPtrW(form.Handle(), GWLP_WNDPROC), own);
    SetClient(form, 500, 400);
    EXPECT_EQ(GOuterSizes, 2);
    EXPECT_EQ(form.ClientWidth(), 500);
}

} // namespace
} // namespace QuorvelTest
