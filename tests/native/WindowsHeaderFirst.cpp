// A program's own code includes <windows.h> first, then the public headers, and
// passes handles between the two without casts.
#include <windows.h>

#include "quorvel/component/Quorvel.h"
#include "quorvel/core/FormLimits.h"
#include "quorvel/core/Placement.h"
#include "quorvel/core/Rounding.h"
#include "quorvel/core/Scaling.h"
#include "quorvel/core/Startup.h"
#include "quorvel/core/Taskbar.h"
#include "quorvel/package/Package.h"
#include "quorvel/vcl/ComCtrls.h"
#include "quorvel/vcl/Dialogs.h"
#include "quorvel/vcl/ExtCtrls.h"
#include "quorvel/vcl/FormStreaming.h"
#include "quorvel/vcl/Menus.h"
#include "quorvel/vcl/StdCtrls.h"

#include "NativeCheck.h"

#include <type_traits>

static_assert(std::is_same_v<::HWND, Win32::HWND> && std::is_same_v<::HFONT, Win32::HFONT> &&
              std::is_same_v<::HDC, Win32::HDC> && std::is_same_v<::HMONITOR, Win32::HMONITOR>);

namespace {

NATIVE_TEST(AFormMadeInCodeBesideWindowsHeaders) {
    Vcl::TForm form(nullptr);
    form.SetName("HeaderFirstForm");
    form.SetClientWidth(300);
    form.SetClientHeight(200);
    auto* button = new Vcl::TButton(&form);
    button->SetName("Button");
    button->SetParent(&form);
    button->SetBounds(200, 150, 80, 30);
    Quorvel::TQuorvel::Attach(form, {300, 200, 96, 96},
                              [](Quorvel::TQuorvel& q) { q.SetResizeFont(false); });

    // The framework's handles are the real API's.
    HWND window = form.Handle();
    ::ShowWindow(window, SW_SHOWNORMAL);
    RECT client{};
    ::GetClientRect(window, &client);
    CHECK_EQ(client.right, 300);
    RECT outer{};
    ::GetWindowRect(window, &outer);
    ::SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + 300,
                   outer.bottom - outer.top + 200, SWP_NOMOVE | SWP_NOZORDER);
    CHECK_EQ(button->Left(), 400);
    CHECK_EQ(button->Top(), 300);
    CHECK(::IsWindow(button->Handle()));
}

} // namespace
