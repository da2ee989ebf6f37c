// A real top-level window for the native tests: created through the seam, it
// records every message its class procedure receives and lets a test answer some
// of them itself.
#pragma once

#include "quorvel/win/Win32.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct TMessage {
    Win32::UINT Message;
    Win32::WPARAM WParam;
    Win32::LPARAM LParam;
};

class TTestWindow {
public:
    // Returns a result to answer the message, or nothing to pass it to DefWindowProcW.
    using THandler = std::function<std::optional<Win32::LRESULT>(Win32::HWND, Win32::UINT,
                                                                 Win32::WPARAM, Win32::LPARAM)>;

    TTestWindow(Win32::DWORD style, Win32::DWORD exStyle, Win32::RECT bounds,
                THandler handler = {});
    ~TTestWindow();
    TTestWindow(const TTestWindow&) = delete;
    TTestWindow& operator=(const TTestWindow&) = delete;

    Win32::HWND Handle() const { return FHandle; }
    Win32::RECT WindowRect() const;
    Win32::RECT ClientRect() const;

    std::vector<TMessage> Messages;
    THandler Handler;
    // The creation parameters as WM_CREATE saw them.
    Win32::CREATESTRUCTW Created{};

    static Win32::LPCWSTR ClassName();
    static Win32::WNDPROC ClassProcedure();

private:
    static Win32::LRESULT QV_CALLBACK Procedure(Win32::HWND window, Win32::UINT message,
                                                Win32::WPARAM wParam, Win32::LPARAM lParam);

    Win32::HWND FHandle = nullptr;
};

// Names of the messages the seam knows, hex for the others.
std::string MessageName(Win32::UINT message);
// The messages in order, named, each type once per run of repeats.
std::string MessageTrace(const std::vector<TMessage>& messages);
// Only the messages of one type.
std::vector<TMessage> Only(const std::vector<TMessage>& messages, Win32::UINT message);

std::string ShowRect(const Win32::RECT& rect);
inline int Width(const Win32::RECT& rect) { return rect.right - rect.left; }
inline int Height(const Win32::RECT& rect) { return rect.bottom - rect.top; }
