// Shared pieces of the simulated-desktop tests: a fresh desktop per test and
// windows whose procedure records every message and can answer some itself.
#pragma once

#include "quorvel/win/sim/SimDesktop.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

// Found by argument-dependent lookup from the assertions.
namespace Win32 {
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
} // namespace Win32

namespace SimTest {

using namespace Win32;

// Win32.h leaves TRUE and FALSE to <windows.h>, where they are macros.
constexpr BOOL kTrue = 1;
constexpr BOOL kFalse = 0;

struct TMessage {
    HWND Window;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
};

// What a test window does: record, then let the handler answer or fall through
// to DefWindowProcW.
struct TProbe {
    std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)> Handler;
    std::vector<TMessage> Messages;

    std::vector<UINT> Ids() const {
        std::vector<UINT> ids;
        for (const TMessage& m : Messages)
            ids.push_back(m.Message);
        return ids;
    }
    std::vector<TMessage> Only(UINT message) const {
        std::vector<TMessage> result;
        for (const TMessage& m : Messages)
            if (m.Message == message)
                result.push_back(m);
        return result;
    }
};

inline LRESULT QV_CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* probe = reinterpret_cast<TProbe*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        probe = static_cast<TProbe*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(probe));
    }
    if (probe != nullptr) {
        probe->Messages.push_back(TMessage{window, message, wParam, lParam});
        if (probe->Handler)
            if (std::optional<LRESULT> result = probe->Handler(window, message, wParam, lParam))
                return *result;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

inline constexpr char16_t kProbeClass[] = u"QvSimProbe";

inline RECT WindowRect(HWND window) {
    RECT r{};
    EXPECT_TRUE(GetWindowRect(window, &r));
    return r;
}

inline RECT ClientRect(HWND window) {
    RECT r{};
    EXPECT_TRUE(GetClientRect(window, &r));
    return r;
}

class TSimTest : public ::testing::Test {
protected:
    explicit TSimTest(Sim::TDesktopConfig config = {})
        : FDesktop(std::make_unique<Sim::TDesktop>(std::move(config))) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &ProbeProc;
        wc.lpszClassName = kProbeClass;
        EXPECT_NE(RegisterClassExW(&wc), 0);
    }

    Sim::TDesktop& Desktop() { return *FDesktop; }

    TProbe& NewProbe() { return FProbes.emplace_back(); }

    HWND Create(TProbe& probe, DWORD style, RECT r, HWND parent = nullptr, DWORD exStyle = 0) {
        return CreateWindowExW(exStyle, kProbeClass, u"probe", style, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, parent, nullptr, nullptr,
                               &probe);
    }

private:
    std::deque<TProbe> FProbes; // outlives the desktop, which sends nothing when it goes
    std::unique_ptr<Sim::TDesktop> FDesktop;
};

} // namespace SimTest
