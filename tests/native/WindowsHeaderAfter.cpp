// The public headers first, then <windows.h>: both keep their meaning.
#include "quorvel/component/Quorvel.h"
#include "quorvel/vcl/ExtCtrls.h"
#include "quorvel/vcl/StdCtrls.h"

#include <windows.h>

#include "NativeCheck.h"

#include <type_traits>

static_assert(std::is_same_v<::HWND, Win32::HWND>);

namespace {

NATIVE_TEST(TheSeamsConstantsBesideWindowsMacros) {
    Vcl::TForm form(nullptr);
    HWND window = form.Handle();
    CHECK(::IsWindow(window));
    CHECK_EQ(::SendMessageW(window, WM_NULL, 0, 0), 0);
}

} // namespace
