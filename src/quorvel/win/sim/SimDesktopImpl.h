// Internal state of the simulated desktop, shared by its source files. Nothing
// outside src/quorvel/win/sim includes this header.
#pragma once

#include "quorvel/win/sim/SimDesktop.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace Sim {

class TFontEngine;

template <typename THandle> THandle ToHandle(std::uintptr_t value) {
    return reinterpret_cast<THandle>(value);
}
template <typename THandle> std::uintptr_t FromHandle(THandle handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

// Win32.h leaves TRUE and FALSE to <windows.h>, where they are macros.
constexpr BOOL kTrue = 1;
constexpr BOOL kFalse = 0;

enum class TShowState { Restored, Maximized, Minimized };

struct TWindowClass {
    std::u16string Name;
    ATOM Atom = 0;
    WNDPROC Proc = nullptr;
    HINSTANCE Instance = nullptr;
    int WndExtra = 0;
    bool System = false;
    std::size_t WindowCount = 0;
};

// A window's subclasses (SimLayout.cpp).
struct TSubclass {
    SUBCLASSPROC Proc = nullptr; // null once removed while the chain runs
    UINT_PTR Id = 0;
    DWORD_PTR Data = 0;
};
struct TSubclassChain {
    WNDPROC Original = nullptr;
    std::vector<TSubclass> Entries; // oldest first
};

struct TWindow {
    HWND Handle = nullptr;
    TWindowClass* Class = nullptr;
    WNDPROC Proc = nullptr;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    HINSTANCE Instance = nullptr;
    LONG_PTR Id = 0;
    LONG_PTR UserData = 0;
    std::vector<unsigned char> Extra; // cbWndExtra bytes
    std::u16string Text;
    HFONT Font = nullptr;
    HWND Owner = nullptr;

    // Children in creation order; top-level windows form the same kind of list
    // in the desktop.
    TWindow* Parent = nullptr;
    TWindow* FirstChild = nullptr;
    TWindow* LastChild = nullptr;
    TWindow* Prev = nullptr;
    TWindow* Next = nullptr;

    RECT Rect{};       // in the parent's client coordinates; screen ones for top-level windows
    RECT NormalRect{}; // where a restore returns to
    // What WM_WINDOWPOSCHANGED last reported, to tell whether the client area moved
    // or changed size since.
    RECT LastClient{};
    TShowState LastState = TShowState::Restored;
    bool RestoreMaximized = false; // minimized from the maximized state
    bool Destroying = false;
    // The screen origin of its client area, as computed while the geometry of
    // the desktop was at that count of changes.
    mutable std::uint64_t OriginAt = 0;
    mutable POINT Origin{};
    // An overlapped window made hidden gets its first WM_SIZE and WM_MOVE when it is
    // first shown, unless a size change sent them before.
    bool NeedSize = false;
    // A top-level window of a per-monitor-aware program: the DPI it was last
    // told (its monitor's when made), and whether it is being told a new one.
    int Dpi = 0;
    bool DpiChanging = false;
    // A top-level window's menu, which it destroys with itself.
    HMENU Menu = nullptr;
    // Its subclass chain, held in TImpl::Subclasses: found here, every message
    // to a subclassed window goes without a lookup.
    TSubclassChain* Subclasses = nullptr;
};

struct THook {
    HHOOK Handle = nullptr;
    HOOKPROC Proc = nullptr;
    DWORD ThreadId = 0;
    std::uint64_t Rank = 0; // call order: thread hooks newest first, then global ones
};

// The hook now running, so that CallNextHookEx knows where the chain stands.
struct THookFrame {
    THookFrame* Outer = nullptr;
    std::uint64_t Rank = 0;
    const CWPSTRUCT* Message = nullptr; // what the chain was started for, for the log
};

struct TDesktop::TImpl {
    explicit TImpl(TDesktopConfig config);
    ~TImpl();

    // The desktop as configured, and as the program sees it: the same but for an
    // unaware program, which sees every monitor and the taskbar in its own
    // 96-DPI pixels (see the resolution awareness in SimDesktop.h).
    TDesktopConfig Given;
    TDesktopConfig Config;
    void TakeGiven();

    std::unordered_map<std::uintptr_t, std::unique_ptr<TWindow>> Windows;
    // The live windows by serial number, which makes their handles: a handle is
    // kWindowBase + kWindowStep * serial, and no serial comes twice.
    static constexpr std::uintptr_t kWindowBase = 0x00010000;
    static constexpr std::uintptr_t kWindowStep = 0x10;
    std::vector<TWindow*> BySerial{nullptr};
    // Counts every change to a rectangle, a style or a state: screen origins
    // computed under another count are computed again.
    std::uint64_t Geometry = 1;
    // Counts windows destroyed, for enumerations that must skip them.
    std::uint64_t Destroyed = 0;
    std::uintptr_t WindowSerial = 0;
    TWindow* FirstTop = nullptr;
    TWindow* LastTop = nullptr;
    int CascadeCount = 0;

    std::unordered_map<std::u16string, std::unique_ptr<TWindowClass>> Classes; // by folded name
    ATOM NextAtom = 0xC000;

    std::vector<THook> Hooks;
    std::uint64_t HookSerial = 0;
    THookFrame* HookFrame = nullptr;

    int Depth = 0; // SendMessageW calls in progress
    bool LogOn = false;
    std::vector<TLogEntry> Log;

    HWND Locked = nullptr;
    bool DwmLoaded = false;

    std::unordered_map<std::uintptr_t, LOGFONTW> Fonts;
    std::uintptr_t FontSerial = 0;
    std::unique_ptr<TFontEngine> FontEngine; // made on the first measurement
    // Each device context with the object selected into it (0: none of the program's).
    std::unordered_map<std::uintptr_t, std::uintptr_t> Dcs;
    std::uintptr_t DcSerial = 0;
    std::vector<std::pair<std::u16string, HMODULE>> Modules;

    // Menus (SimMenus.cpp): only their count of items is kept, which decides
    // whether a window shows a menu bar.
    struct TMenu {
        int Items = 0;
        std::vector<std::uintptr_t> Popups; // its submenus, which end with it
    };
    std::unordered_map<std::uintptr_t, TMenu> Menus;
    // A menu and its submenus leave the table; false when it was not there.
    bool DestroyMenuTree(std::uintptr_t menu);
    std::uintptr_t MenuSerial = 0;
    // SM_CYMENU at a DPI.
    int MenuRow(int dpi) const;
    // What the window's menu bar takes off its client area: one row at its DPI
    // (a bar that would wrap is not accounted for), none for a child window or
    // an empty menu.
    int MenuBarHeight(const TWindow& window) const;

    // Plain-window layout (SimLayout.cpp): subclass chains per window, the
    // subclass procedures now running, and deferred-move batches.
    using TSubclass = Sim::TSubclass;
    using TSubclassChain = Sim::TSubclassChain;
    // A running subclass procedure, on the stack of the call that runs it.
    struct TSubclassFrame {
        HWND Window = nullptr;
        int Index = 0;
        // The window's chain, which stays while any of its procedures runs.
        TSubclassChain* Chain = nullptr;
        TSubclassFrame* Outer = nullptr;
    };
    // The chains' home: a chain outlives its window's record while one of its
    // procedures still runs.
    std::unordered_map<std::uintptr_t, TSubclassChain> Subclasses;
    TSubclassFrame* SubclassFrames = nullptr; // the innermost
    // Open batches (rarely more than one), and lists of moves and of windows
    // kept for reuse, so that a pass allocates nothing once it ran.
    struct TDeferBatch {
        std::uintptr_t Key = 0;
        std::vector<WINDOWPOS> Moves; // filled in up to Next
        WINDOWPOS* Next = nullptr;    // in Moves, which ends at Limit
        WINDOWPOS* Limit = nullptr;
    };
    std::vector<TDeferBatch> Deferred;
    std::vector<std::vector<WINDOWPOS>> SpareMoves;
    std::vector<HWND> SpareEnum;
    std::uintptr_t DeferSerial = 0;
    // Subclasses removed so far: a chain is tidied only after one was.
    std::uint64_t SubclassRemovals = 0;

    // Dialogs made from templates (SimDialogs.cpp): each dialog's procedure and
    // the font it made.
    struct TDialog {
        DLGPROC Proc = nullptr;
        HFONT Font = nullptr; // made from the template, deleted with the dialog
    };
    std::unordered_map<std::uintptr_t, TDialog> Dialogs;

    // The controls modelled with their own windows (SimControls.cpp), by window.
    struct TControl {
        LONG Closed = 0;        // a combo box's closed height from its font
        LONG Field = 0;         // its field's height as CB_SETITEMHEIGHT(-1) set it; 0: none
        LONG List = 0;          // its dropped-down list's height
        int Items = 0;          // its strings
        HWND Edit = nullptr;    // a combo box's (or a ComboBoxEx32's) edit field
        HWND ListBox = nullptr; // a simple combo box's list
        HWND Inner =
            nullptr; // a ComboBoxEx32's combo box, a list view's header, a date picker's arrows
        HWND Buddy = nullptr;             // an up-down control's buddy
        std::vector<std::u16string> Tabs; // a tab control's captions
        LONG TabWidth = 0, TabHeight = 0; // and its TCM_SETITEMSIZE; 0: none
        // A combo box going back to its closed field: the sizes that move sends
        // are its own, not a dropped-down height (nor another refit, which a
        // rectangle at the end of the range could never satisfy).
        bool Fitting = false;
    };
    std::unordered_map<std::uintptr_t, TControl> Controls;
    void InstallControlClasses();
    void RegisterCommonControls();

    // Windows and classes (SimWindows.cpp).
    TWindow* Find(HWND window) const {
        const std::uintptr_t key = FromHandle(window);
        if (key < kWindowBase || (key - kWindowBase) % kWindowStep != 0)
            return nullptr;
        const std::uintptr_t serial = (key - kWindowBase) / kWindowStep;
        return serial < BySerial.size() ? BySerial[serial] : nullptr;
    }
    // A window leaves the tables.
    void Forget(HWND window) {
        const std::uintptr_t key = FromHandle(window);
        if (Find(window) != nullptr)
            BySerial[(key - kWindowBase) / kWindowStep] = nullptr;
        ++Destroyed;
        Windows.erase(key);
    }
    TWindowClass* FindClass(LPCWSTR name) const;
    void RegisterSystemClasses();
    // A class of the system's, unless one of the name exists.
    void AddSystemClass(const char16_t* name, WNDPROC proc);
    HWND Create(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
    BOOL Destroy(HWND window);
    void SendDestroyTree(HWND window);
    void FreeTree(HWND window);
    void Unlink(TWindow& window);

    // Message delivery (SimWindows.cpp).
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallProc(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                     int depth);
    void RunHooks(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    const THook* NextHook(std::uint64_t afterRank) const;
    LRESULT CallHook(const THook& hook, int code, WPARAM wParam, LPARAM lParam, int depth,
                     const CWPSTRUCT& message);
    LRESULT DefProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Geometry and window state (SimGeometry.cpp).
    // Inline: every window a layout pass reads comes here.
    RECT ScreenRect(const TWindow& window) const {
        if (window.Parent == nullptr)
            return window.Rect;
        const POINT origin = ScreenClientOrigin(*window.Parent);
        const RECT& r = window.Rect;
        // Where no sum (nor the width or height) overflows, nothing saturates:
        // plain sums.
        RECT out;
        LONG width = 0, height = 0;
        if (!__builtin_add_overflow(r.left, origin.x, &out.left) &&
            !__builtin_add_overflow(r.top, origin.y, &out.top) &&
            !__builtin_add_overflow(r.right, origin.x, &out.right) &&
            !__builtin_add_overflow(r.bottom, origin.y, &out.bottom) &&
            !__builtin_sub_overflow(r.right, r.left, &width) &&
            !__builtin_sub_overflow(r.bottom, r.top, &height))
            return out;
        return FarScreenRect(window, origin);
    }
    static RECT FarScreenRect(const TWindow& window, POINT origin);
    POINT ScreenClientOrigin(const TWindow& window) const {
        return window.OriginAt == Geometry ? window.Origin : ComputeClientOrigin(window);
    }
    POINT ComputeClientOrigin(const TWindow& window) const;
    RECT ClientInParent(const TWindow& window) const;
    TShowState State(const TWindow& window) const;
    MINMAXINFO DefaultMinMax(const TWindow& window) const;
    BOOL SetPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    // WM_SIZE and WM_MOVE for the window as it is now.
    void SendSizeAndMove(HWND window);
    // WM_SIZE with the size type of the window's state and its client size; WM_MOVE
    // with its client origin.
    void SendSize(HWND window);
    void SendMove(HWND window);
    BOOL Show(HWND window, int command);
    void ChangeState(HWND window, TShowState target, bool show, bool restoreToMaximized);
    void ClampForDefault(TWindow& window, WINDOWPOS& pos);
    // A per-monitor-aware program's top-level window now mostly on a monitor of
    // another DPI is told so (WM_GETDPISCALEDSIZE, WM_DPICHANGED).
    void FollowMonitorDpi(HWND window);

    // Resolution (SimSystem.cpp): what GetDeviceCaps answers, and the DPI a
    // monitor really has.
    int SystemDpi() const;
    int MonitorDpi(int monitor) const;
    int WindowDpi(const TWindow& window) const;

    // Monitors and work areas (SimSystem.cpp).
    RECT WorkArea(int monitor) const;
    RECT VirtualScreen() const;
    int MonitorFor(const RECT& rect, DWORD flags) const;
    int MonitorAt(POINT point, DWORD flags) const;
    int MonitorOf(const TWindow& window) const;

    // Text metrics (SimSystem.cpp).
    TFontEngine& Engine();
};

// The current desktop, or an abort naming the function that needed one.
extern TDesktop::TImpl* GCurrentImpl;
[[noreturn]] void NoDesktop(const char* function);
inline TDesktop::TImpl& Desk(const char* function) {
    if (GCurrentImpl == nullptr)
        NoDesktop(function);
    return *GCurrentImpl;
}

// Integer geometry that never overflows: results saturate at the 32-bit range.
inline LONG Saturate(long long value) {
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<LONG>(value);
}

// value * numerator / denominator rounded half away from zero, as Windows' MulDiv.
int MulDiv(int value, int numerator, int denominator);

inline RECT MakeRect(long long x, long long y, long long cx, long long cy) {
    return RECT{Saturate(x), Saturate(y), Saturate(x + cx), Saturate(y + cy)};
}
inline LONG Width(const RECT& r) { return Saturate(static_cast<long long>(r.right) - r.left); }
inline LONG Height(const RECT& r) { return Saturate(static_cast<long long>(r.bottom) - r.top); }

// The frame metrics' rules (SimDesktop.h), for the desktop's own geometry.
inline int BorderOf(const TFrameMetrics& metrics, DWORD style, DWORD exStyle) {
    if (style & WS_THICKFRAME)
        return metrics.SizeableBorder;
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        return metrics.FixedBorder;
    if (style & WS_BORDER)
        return metrics.ThinBorder;
    return 0;
}
inline int ClientEdgeOf(const TFrameMetrics& metrics, DWORD exStyle) {
    return (exStyle & WS_EX_CLIENTEDGE) ? metrics.ClientEdge : 0;
}
inline int CaptionOf(const TFrameMetrics& metrics, DWORD style, DWORD exStyle) {
    if ((style & WS_CAPTION) != WS_CAPTION)
        return 0;
    return (exStyle & WS_EX_TOOLWINDOW) ? metrics.SmallCaption : metrics.Caption;
}

} // namespace Sim
