#include "TestWindow.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

using namespace Win32;

namespace {

// Messages that arrive before WM_NCCREATE (WM_GETMINMAXINFO on some systems) have
// no window long yet; they go to the window being created.
TTestWindow* GCreating = nullptr;

ATOM RegisterOnce() {
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = TTestWindow::ClassProcedure();
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = TTestWindow::ClassName();
        return RegisterClassExW(&wc);
    }();
    if (atom == 0) {
        std::printf("RegisterClassExW failed\n");
        std::abort();
    }
    return atom;
}

} // namespace

LPCWSTR TTestWindow::ClassName() { return u"QuorvelNativeTest"; }

WNDPROC TTestWindow::ClassProcedure() { return &Procedure; }

TTestWindow::TTestWindow(DWORD style, DWORD exStyle, RECT bounds, THandler handler)
    : Handler(std::move(handler)) {
    RegisterOnce();
    GCreating = this;
    FHandle = CreateWindowExW(exStyle, ClassName(), u"Quorvel native test", style, bounds.left,
                              bounds.top, Width(bounds), Height(bounds), nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    GCreating = nullptr;
    if (FHandle == nullptr) {
        std::printf("CreateWindowExW failed\n");
        std::abort();
    }
}

TTestWindow::~TTestWindow() {
    if (IsWindow(FHandle))
        DestroyWindow(FHandle);
}

RECT TTestWindow::WindowRect() const {
    RECT r{};
    GetWindowRect(FHandle, &r);
    return r;
}

RECT TTestWindow::ClientRect() const {
    RECT r{};
    GetClientRect(FHandle, &r);
    return r;
}

LRESULT QV_CALLBACK TTestWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    auto* self = reinterpret_cast<TTestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<TTestWindow*>(create->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (self == nullptr)
        self = GCreating;
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);

    if (message == WM_CREATE)
        self->Created = *reinterpret_cast<CREATESTRUCTW*>(lParam);
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->Messages.push_back({message, wParam, lParam});
    if (self->Handler) {
        if (auto result = self->Handler(window, message, wParam, lParam))
            return *result;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::string MessageName(UINT message) {
    static const std::pair<UINT, const char*> names[] = {
        {WM_CREATE, "CREATE"},
        {WM_DESTROY, "DESTROY"},
        {WM_MOVE, "MOVE"},
        {WM_SIZE, "SIZE"},
        {WM_SETTEXT, "SETTEXT"},
        {WM_GETTEXT, "GETTEXT"},
        {WM_GETTEXTLENGTH, "GETTEXTLENGTH"},
        {WM_PAINT, "PAINT"},
        {WM_SHOWWINDOW, "SHOWWINDOW"},
        {WM_GETMINMAXINFO, "GETMINMAXINFO"},
        {WM_SETFONT, "SETFONT"},
        {WM_WINDOWPOSCHANGING, "WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WINDOWPOSCHANGED"},
        {WM_NCCREATE, "NCCREATE"},
        {WM_NCDESTROY, "NCDESTROY"},
        {WM_NCCALCSIZE, "NCCALCSIZE"},
        {WM_SYSCOMMAND, "SYSCOMMAND"},
        {WM_SIZING, "SIZING"},
    };
    for (const auto& [value, name] : names) {
        if (value == message)
            return name;
    }
    char hex[16];
    std::snprintf(hex, sizeof(hex), "0x%04X", message);
    return hex;
}

std::string MessageTrace(const std::vector<TMessage>& messages) {
    std::string trace;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        if (i > 0 && messages[i].Message == messages[i - 1].Message)
            continue;
        if (!trace.empty())
            trace += ' ';
        trace += MessageName(messages[i].Message);
    }
    return trace;
}

std::vector<TMessage> Only(const std::vector<TMessage>& messages, UINT message) {
    std::vector<TMessage> found;
    for (const TMessage& m : messages) {
        if (m.Message == message)
            found.push_back(m);
    }
    return found;
}

std::string ShowRect(const RECT& rect) {
    char text[96];
    std::snprintf(text, sizeof(text), "(%ld,%ld)-(%ld,%ld) %ldx%ld", static_cast<long>(rect.left),
                  static_cast<long>(rect.top), static_cast<long>(rect.right),
                  static_cast<long>(rect.bottom), static_cast<long>(rect.right - rect.left),
                  static_cast<long>(rect.bottom - rect.top));
    return text;
}
