// Window classes, windows, message delivery, hooks and the default window
// procedure of the simulated desktop.
#include "quorvel/win/sim/SimDesktopImpl.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace Sim {

namespace {

constexpr std::uintptr_t kHookBase = 0x00050000;
constexpr std::uintptr_t kHookStep = 0x10;
constexpr DWORD kThreadId = 0x00001F4C;
constexpr std::uintptr_t kModuleBase = 0x00400000;
constexpr ATOM kDialogAtom = 0x8002; // "#32770" is the integer atom 32770

bool IsAtom(LPCWSTR name) { return FromHandle(name) <= 0xFFFF; }

char16_t Fold(char16_t c) {
    if (c >= u'a' && c <= u'z')
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<char16_t>(c - 0x20);
    return c;
}

std::u16string Folded(LPCWSTR name) {
    std::u16string result;
    for (; *name != 0; ++name)
        result.push_back(Fold(*name));
    return result;
}

std::uintptr_t Serial(std::uintptr_t base, std::uintptr_t step, std::uintptr_t& counter) {
    return base + step * ++counter;
}

// Runs a hook as the current one and makes sure the chain position is restored
// even when the hook throws.
class THookScope {
public:
    THookScope(THookFrame*& top, std::uint64_t rank, const CWPSTRUCT& message)
        : FTop(top), FFrame{top, rank, &message} {
        FTop = &FFrame;
    }
    ~THookScope() { FTop = FFrame.Outer; }
    THookScope(const THookScope&) = delete;
    THookScope& operator=(const THookScope&) = delete;

private:
    THookFrame*& FTop;
    THookFrame FFrame;
};

class TDepthScope {
public:
    explicit TDepthScope(int& depth) : FDepth(depth) { ++FDepth; }
    ~TDepthScope() { --FDepth; }
    TDepthScope(const TDepthScope&) = delete;
    TDepthScope& operator=(const TDepthScope&) = delete;

private:
    int& FDepth;
};

void* ProcAddress(WNDPROC proc) {
    return reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(proc));
}
void* ProcAddress(HOOKPROC proc) {
    return reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(proc));
}

// Depth of the message a handler is working on, for calls that forward it.
int CurrentDepth(const TDesktop::TImpl& d) { return d.Depth > 0 ? d.Depth - 1 : 0; }

HINSTANCE ExeModule() { return ToHandle<HINSTANCE>(kModuleBase); }

} // namespace

// ---- Classes ------------------------------------------------------------------------

void TDesktop::TImpl::RegisterSystemClasses() {
    for (const char16_t* name :
         {u"BUTTON", u"EDIT", u"STATIC", u"LISTBOX", u"COMBOBOX", u"SCROLLBAR", u"#32770"}) {
        auto cls = std::make_unique<TWindowClass>();
        cls->Name = name;
        cls->Proc = &Win32::DefWindowProcW;
        cls->System = true;
        cls->Atom = cls->Name == u"#32770" ? kDialogAtom : NextAtom++;
        Classes.emplace(Folded(name), std::move(cls));
    }
}

void TDesktop::TImpl::AddSystemClass(const char16_t* name, WNDPROC proc) {
    if (FindClass(name) != nullptr)
        return;
    auto cls = std::make_unique<TWindowClass>();
    cls->Name = name;
    cls->Proc = proc;
    cls->System = true;
    cls->Atom = NextAtom++;
    Classes.emplace(Folded(name), std::move(cls));
}

TWindowClass* TDesktop::TImpl::FindClass(LPCWSTR name) const {
    if (name == nullptr)
        return nullptr;
    if (IsAtom(name)) {
        const auto atom = static_cast<ATOM>(FromHandle(name));
        for (const auto& [key, cls] : Classes)
            if (cls->Atom == atom)
                return cls.get();
        return nullptr;
    }
    auto it = Classes.find(Folded(name));
    return it == Classes.end() ? nullptr : it->second.get();
}

// ---- Windows --------------------------------------------------------------------------

HWND TDesktop::TImpl::Create(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                             int x, int y, int width, int height, HWND parent, HMENU menu,
                             HINSTANCE instance, void* param) {
    TWindowClass* cls = FindClass(className);
    if (cls == nullptr)
        return nullptr;
    TWindow* parentWindow = nullptr;
    HWND owner = nullptr;
    if (style & WS_CHILD) {
        parentWindow = Find(parent);
        if (parentWindow == nullptr)
            return nullptr;
    } else {
        // Windows keeps overlapped windows captioned and top-level ones clipped.
        style |= WS_CLIPSIBLINGS;
        if ((style & WS_POPUP) == 0)
            style |= WS_CAPTION;
        if (parent != nullptr) {
            TWindow* ownerWindow = Find(parent);
            if (ownerWindow == nullptr)
                return nullptr;
            while (ownerWindow->Parent != nullptr)
                ownerWindow = ownerWindow->Parent;
            owner = ownerWindow->Handle;
        }
    }

    // Overlapped windows get a cascade position and half the work area; child
    // and pop-up windows get zeros, as on Windows.
    const bool overlapped = (style & (WS_CHILD | WS_POPUP)) == 0;
    if (x == CW_USEDEFAULT) {
        if (overlapped) {
            const RECT work = WorkArea(0);
            const int step = 26 * (CascadeCount++ % 8 + 1);
            x = work.left + step;
            y = work.top + step;
        } else {
            x = 0;
            y = 0;
        }
    }
    if (width == CW_USEDEFAULT) {
        if (overlapped) {
            const RECT work = WorkArea(0);
            width = Width(work) / 2;
            height = Height(work) / 2;
        } else {
            width = 0;
            height = 0;
        }
    }
    width = std::max(width, 0);
    height = std::max(height, 0);

    auto owned = std::make_unique<TWindow>();
    TWindow& w = *owned;
    const std::uintptr_t key = Serial(kWindowBase, kWindowStep, WindowSerial);
    BySerial.resize(WindowSerial + 1, nullptr);
    BySerial[WindowSerial] = owned.get();
    const HWND handle = ToHandle<HWND>(key);
    w.Handle = handle;
    w.Class = cls;
    w.Proc = cls->Proc;
    w.Style = style & ~(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
    w.ExStyle = exStyle;
    w.Instance = instance;
    w.Id = static_cast<LONG_PTR>(FromHandle(menu)); // a top-level window's menu
    w.Extra.assign(static_cast<std::size_t>(cls->WndExtra), 0);
    w.Owner = owner;
    w.Rect = MakeRect(x, y, width, height);
    w.NormalRect = w.Rect;
    w.Parent = parentWindow;
    if (parentWindow == nullptr) {
        w.Dpi = MonitorDpi(MonitorFor(w.Rect, MONITOR_DEFAULTTONEAREST));
        // An unknown handle is taken as no menu.
        if (menu != nullptr && Menus.count(FromHandle(menu)) != 0)
            w.Menu = menu;
    }
    w.LastClient = ClientInParent(w);
    TWindow*& first = parentWindow ? parentWindow->FirstChild : FirstTop;
    TWindow*& last = parentWindow ? parentWindow->LastChild : LastTop;
    w.Prev = last;
    if (last != nullptr)
        last->Next = &w;
    else
        first = &w;
    last = &w;
    ++cls->WindowCount;
    Windows.emplace(key, std::move(owned));

    CREATESTRUCTW cs{
        param,      instance,  menu,   parent, height, width, y, x, static_cast<LONG>(style),
        windowName, className, exStyle};
    const LRESULT nc = Send(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs));
    TWindow* created = Find(handle);
    if (created == nullptr)
        return nullptr;
    if (nc == 0) {
        created->Destroying = true;
        FreeTree(handle);
        return nullptr;
    }
    if (Send(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        Destroy(handle);
        return nullptr;
    }
    if ((created = Find(handle)) == nullptr)
        return nullptr;
    // WM_CREATE may have changed the style or the rectangle: report what is. An
    // overlapped window that is not visible yet hears of its size when first shown.
    RECT client = created->LastClient = ClientInParent(*created);
    if (!(style & (WS_CHILD | WS_POPUP)) && !(style & WS_VISIBLE)) {
        created->NeedSize = true;
    } else {
        SendSizeAndMove(handle);
        if (Find(handle) == nullptr)
            return nullptr;
    }
    (void)client;

    if (style & WS_MAXIMIZE)
        ChangeState(handle, TShowState::Maximized, false, false);
    else if (style & WS_MINIMIZE)
        ChangeState(handle, TShowState::Minimized, false, false);
    if ((style & WS_VISIBLE) && Find(handle) != nullptr)
        Show(handle, SW_SHOW);
    return Find(handle) ? handle : nullptr;
}

BOOL TDesktop::TImpl::Destroy(HWND window) {
    TWindow* w = Find(window);
    if (w == nullptr || w->Destroying)
        return kFalse;
    // Owned windows go first, each completely.
    if (w->Parent == nullptr) {
        std::vector<HWND> owned;
        for (TWindow* t = FirstTop; t != nullptr; t = t->Next)
            if (t->Owner == window)
                owned.push_back(t->Handle);
        for (HWND o : owned)
            Destroy(o);
        w = Find(window);
        if (w == nullptr || w->Destroying)
            return kTrue;
    }
    SendDestroyTree(window);
    FreeTree(window);
    return kTrue;
}

// WM_DESTROY goes to the parent first, then to its children. Handlers may destroy
// windows themselves, so everything is looked up again after each message.
void TDesktop::TImpl::SendDestroyTree(HWND window) {
    TWindow* w = Find(window);
    if (w == nullptr)
        return;
    w->Destroying = true;
    Send(window, WM_DESTROY, 0, 0);
    if ((w = Find(window)) == nullptr || w->FirstChild == nullptr)
        return;
    std::vector<HWND> children;
    for (TWindow* c = w->FirstChild; c != nullptr; c = c->Next)
        children.push_back(c->Handle);
    for (HWND c : children) {
        TWindow* child = Find(c);
        if (child != nullptr && !child->Destroying)
            SendDestroyTree(c);
    }
}

// WM_NCDESTROY goes to the children first; then the window is gone.
void TDesktop::TImpl::FreeTree(HWND window) {
    TWindow* w = Find(window);
    if (w == nullptr)
        return;
    if (!w->Destroying)
        SendDestroyTree(window);
    while ((w = Find(window)) != nullptr && w->FirstChild != nullptr)
        FreeTree(w->FirstChild->Handle);
    if (w == nullptr)
        return;
    Send(window, WM_NCDESTROY, 0, 0);
    if ((w = Find(window)) == nullptr)
        return;
    // Children created by a WM_NCDESTROY handler go without messages.
    while (w->FirstChild != nullptr) {
        TWindow* c = w->FirstChild;
        while (c->FirstChild != nullptr)
            c = c->FirstChild;
        const HWND h = c->Handle;
        Unlink(*c);
        Forget(h);
    }
    if (Locked == window)
        Locked = nullptr;
    if (w->Menu != nullptr)
        DestroyMenuTree(FromHandle(w->Menu));
    Unlink(*w);
    Forget(window);
}

void TDesktop::TImpl::Unlink(TWindow& window) {
    TWindow*& first = window.Parent ? window.Parent->FirstChild : FirstTop;
    TWindow*& last = window.Parent ? window.Parent->LastChild : LastTop;
    if (window.Prev != nullptr)
        window.Prev->Next = window.Next;
    else
        first = window.Next;
    if (window.Next != nullptr)
        window.Next->Prev = window.Prev;
    else
        last = window.Prev;
    window.Prev = window.Next = nullptr;
    --window.Class->WindowCount;
}

// ---- Message delivery ------------------------------------------------------------------

LRESULT TDesktop::TImpl::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Find(window) == nullptr)
        return 0;
    const int depth = Depth;
    TDepthScope scope(Depth);
    if (!Hooks.empty()) {
        RunHooks(window, message, wParam, lParam);
        if (Find(window) == nullptr)
            return 0;
    }
    // A hook may have subclassed the window, so the procedure is read afterwards.
    return CallProc(Find(window)->Proc, window, message, wParam, lParam, depth);
}

LRESULT TDesktop::TImpl::CallProc(WNDPROC proc, HWND window, UINT message, WPARAM wParam,
                                  LPARAM lParam, int depth) {
    if (proc == nullptr)
        return 0;
    if (LogOn)
        Log.push_back(TLogEntry{TLogEntry::TKind::Procedure, window, message, wParam, lParam, depth,
                                ProcAddress(proc)});
    return proc(window, message, wParam, lParam);
}

// WH_CALLWNDPROC cannot change or block the message: the procedure runs whatever
// the hooks do, and sees what they wrote into records that lParam points to.
void TDesktop::TImpl::RunHooks(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const THook* first = NextHook(0);
    if (first == nullptr)
        return;
    CWPSTRUCT cwp{lParam, wParam, message, window};
    CallHook(*first, HC_ACTION, 1, reinterpret_cast<LPARAM>(&cwp), Depth - 1, cwp);
}

const THook* TDesktop::TImpl::NextHook(std::uint64_t afterRank) const {
    const THook* best = nullptr;
    for (const THook& hook : Hooks) {
        if (hook.ThreadId != kThreadId && hook.ThreadId != 0)
            continue;
        if (hook.Rank > afterRank && (best == nullptr || hook.Rank < best->Rank))
            best = &hook;
    }
    return best;
}

LRESULT TDesktop::TImpl::CallHook(const THook& hook, int code, WPARAM wParam, LPARAM lParam,
                                  int depth, const CWPSTRUCT& message) {
    const HOOKPROC proc = hook.Proc;
    THookScope scope(HookFrame, hook.Rank, message);
    if (LogOn)
        Log.push_back(TLogEntry{TLogEntry::TKind::Hook, message.hwnd, message.message,
                                message.wParam, message.lParam, depth, ProcAddress(proc)});
    return proc(code, wParam, lParam);
}

// ---- The default window procedure ---------------------------------------------------------

LRESULT TDesktop::TImpl::DefProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: {
        TWindow* w = Find(window);
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (w != nullptr && cs != nullptr && cs->lpszName != nullptr && !IsAtom(cs->lpszName))
            w->Text = cs->lpszName;
        return kTrue;
    }
    case WM_SETTEXT: {
        TWindow* w = Find(window);
        if (w == nullptr)
            return kFalse;
        const auto* text = reinterpret_cast<LPCWSTR>(lParam);
        w->Text = text ? text : u"";
        return kTrue;
    }
    case WM_GETTEXT: {
        TWindow* w = Find(window);
        auto* buffer = reinterpret_cast<LPWSTR>(lParam);
        if (w == nullptr || buffer == nullptr || wParam == 0)
            return 0;
        const std::size_t count = std::min<std::size_t>(w->Text.size(), wParam - 1);
        std::copy_n(w->Text.data(), count, buffer);
        buffer[count] = 0;
        return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH: {
        TWindow* w = Find(window);
        return w ? static_cast<LRESULT>(w->Text.size()) : 0;
    }
    case WM_SETFONT:
        if (TWindow* w = Find(window))
            w->Font = ToHandle<HFONT>(wParam);
        return 0;
    case WM_GETFONT: {
        TWindow* w = Find(window);
        return w ? static_cast<LRESULT>(FromHandle(w->Font)) : 0;
    }
    case WM_CLOSE: Destroy(window); return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MAXIMIZE: Show(window, SW_MAXIMIZE); break;
        case SC_MINIMIZE: Show(window, SW_MINIMIZE); break;
        case SC_RESTORE: Show(window, SW_RESTORE); break;
        default: break;
        }
        return 0;
    case WM_WINDOWPOSCHANGING: {
        TWindow* w = Find(window);
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (w != nullptr && pos != nullptr)
            ClampForDefault(*w, *pos);
        return 0;
    }
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (pos == nullptr)
            return 0;
        const UINT flags = pos->flags;
        if (!(flags & SWP_NOCLIENTMOVE))
            SendMove(window);
        if (TWindow* w = Find(window); w != nullptr && !(flags & SWP_NOCLIENTSIZE)) {
            if (!Config.FirstShowAlwaysSizes)
                w->NeedSize = false;
            SendSize(window);
        }
        return 0;
    }
    default: return 0;
    }
}

} // namespace Sim

// ---- Win32 functions ----------------------------------------------------------------------

namespace Win32 {

using Sim::Desk;
using Sim::FromHandle;
using Sim::kFalse;
using Sim::kTrue;
using Sim::ToHandle;

ATOM RegisterClassExW(const WNDCLASSEXW* wc) {
    auto& d = Desk(__func__);
    if (wc == nullptr || wc->cbSize != sizeof(WNDCLASSEXW) || wc->lpfnWndProc == nullptr ||
        wc->lpszClassName == nullptr || Sim::IsAtom(wc->lpszClassName) ||
        wc->lpszClassName[0] == 0 || wc->cbWndExtra < 0)
        return 0;
    std::u16string key = Sim::Folded(wc->lpszClassName);
    if (d.Classes.count(key) != 0)
        return 0;
    auto cls = std::make_unique<Sim::TWindowClass>();
    cls->Name = wc->lpszClassName;
    cls->Atom = d.NextAtom++;
    cls->Proc = wc->lpfnWndProc;
    cls->Instance = wc->hInstance ? wc->hInstance : Sim::ExeModule();
    cls->WndExtra = wc->cbWndExtra;
    const ATOM atom = cls->Atom;
    d.Classes.emplace(std::move(key), std::move(cls));
    return atom;
}

// Refused for system classes, for classes that still have windows and for
// another module's class.
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance) {
    auto& d = Desk(__func__);
    Sim::TWindowClass* cls = d.FindClass(className);
    if (cls == nullptr || cls->System || cls->WindowCount != 0 ||
        cls->Instance != (instance ? instance : Sim::ExeModule()))
        return kFalse;
    d.Classes.erase(Sim::Folded(cls->Name.c_str()));
    return kTrue;
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* param) {
    return Desk(__func__).Create(exStyle, className, windowName, style, x, y, width, height, parent,
                                 menu, instance, param);
}

BOOL DestroyWindow(HWND window) { return Desk(__func__).Destroy(window); }

BOOL IsWindow(HWND window) { return Desk(__func__).Find(window) != nullptr; }

HWND GetParent(HWND window) {
    const Sim::TWindow* w = Desk(__func__).Find(window);
    if (w == nullptr)
        return nullptr;
    if (w->Style & WS_CHILD)
        return w->Parent ? w->Parent->Handle : nullptr;
    return (w->Style & WS_POPUP) ? w->Owner : nullptr;
}

// Every module a program asks for is taken as loaded, except the compositor
// library before the first compositor call (and on systems that lack it).
HMODULE GetModuleHandleW(LPCWSTR moduleName) {
    auto& d = Desk(__func__);
    if (moduleName == nullptr)
        return Sim::ExeModule();
    std::u16string key = Sim::Folded(moduleName);
    if (key == u"DWMAPI.DLL" || key == u"DWMAPI")
        if (!d.DwmLoaded || d.Config.OsMajor < 6)
            return nullptr;
    if (key.size() < 4 || key.compare(key.size() - 4, 4, u".DLL") != 0)
        key += u".DLL";
    for (const auto& [name, module] : d.Modules)
        if (name == key)
            return module;
    const HMODULE module = ToHandle<HMODULE>(0x10000000 + 0x01000000 * (d.Modules.size() + 1));
    d.Modules.emplace_back(std::move(key), module);
    return module;
}

LRESULT QV_CALLBACK DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Desk(__func__).DefProc(window, message, wParam, lParam);
}

LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& d = Desk(__func__);
    return d.CallProc(proc, window, message, wParam, lParam, Sim::CurrentDepth(d));
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Desk(__func__).Send(window, message, wParam, lParam);
}

LONG_PTR GetWindowLongPtrW(HWND window, int index) {
    const Sim::TWindow* w = Desk(__func__).Find(window);
    if (w == nullptr)
        return 0;
    switch (index) {
    case GWLP_WNDPROC: return static_cast<LONG_PTR>(reinterpret_cast<std::uintptr_t>(w->Proc));
    case GWLP_HINSTANCE: return static_cast<LONG_PTR>(FromHandle(w->Instance));
    case GWLP_ID: return w->Id;
    case GWL_STYLE: // a LONG, sign-extended as by Windows
        return static_cast<LONG>(w->Style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->ExStyle);
    case GWLP_USERDATA: return w->UserData;
    default: break;
    }
    if (index < 0 || static_cast<std::size_t>(index) + sizeof(LONG_PTR) > w->Extra.size())
        return 0;
    LONG_PTR value = 0;
    std::memcpy(&value, w->Extra.data() + index, sizeof value);
    return value;
}

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
    Sim::TWindow* w = Desk(__func__).Find(window);
    if (w == nullptr)
        return 0;
    const LONG_PTR previous = GetWindowLongPtrW(window, index);
    switch (index) {
    case GWLP_WNDPROC:
        // A window without a procedure could not take any message.
        if (value == 0)
            return 0;
        w->Proc = reinterpret_cast<WNDPROC>(static_cast<std::uintptr_t>(value));
        return previous;
    case GWLP_HINSTANCE:
        w->Instance = ToHandle<HINSTANCE>(static_cast<std::uintptr_t>(value));
        return previous;
    case GWLP_ID: w->Id = value; return previous;
    case GWL_STYLE:
        w->Style = static_cast<DWORD>(value);
        ++Desk(__func__).Geometry;
        return previous;
    case GWL_EXSTYLE:
        w->ExStyle = static_cast<DWORD>(value);
        ++Desk(__func__).Geometry;
        return previous;
    case GWLP_USERDATA: w->UserData = value; return previous;
    default: break;
    }
    if (index < 0 || static_cast<std::size_t>(index) + sizeof(LONG_PTR) > w->Extra.size())
        return 0;
    std::memcpy(w->Extra.data() + index, &value, sizeof value);
    return previous;
}

HHOOK SetWindowsHookExW(int hookType, HOOKPROC proc, HINSTANCE module, DWORD threadId) {
    auto& d = Desk(__func__);
    // A global hook needs the module that holds its procedure.
    if (hookType != WH_CALLWNDPROC || proc == nullptr || (threadId == 0 && module == nullptr))
        return nullptr;
    const std::uintptr_t serial = ++d.HookSerial;
    Sim::THook hook;
    hook.Handle = ToHandle<HHOOK>(Sim::kHookBase + Sim::kHookStep * serial);
    hook.Proc = proc;
    hook.ThreadId = threadId;
    // Smaller ranks run first: thread hooks before global ones, newest first.
    const std::uint64_t newest = UINT32_MAX - serial;
    hook.Rank = (threadId == 0 ? (std::uint64_t{1} << 40) : 0) + newest;
    d.Hooks.push_back(hook);
    return hook.Handle;
}

// The chain position is a rank, not a pointer, so removing hooks while they run
// is safe.
BOOL UnhookWindowsHookEx(HHOOK hook) {
    auto& d = Desk(__func__);
    auto it = std::find_if(d.Hooks.begin(), d.Hooks.end(),
                           [hook](const Sim::THook& h) { return h.Handle == hook; });
    if (it == d.Hooks.end())
        return kFalse;
    d.Hooks.erase(it);
    return kTrue;
}

// The hook handle is not needed to find the next hook: the running one is known.
LRESULT CallNextHookEx(HHOOK, int code, WPARAM wParam, LPARAM lParam) {
    auto& d = Desk(__func__);
    if (d.HookFrame == nullptr)
        return 0;
    const Sim::THook* next = d.NextHook(d.HookFrame->Rank);
    if (next == nullptr)
        return 0;
    const Sim::THook copy = *next;
    return d.CallHook(copy, code, wParam, lParam, Sim::CurrentDepth(d), *d.HookFrame->Message);
}

DWORD GetCurrentThreadId() {
    Desk(__func__);
    return Sim::kThreadId;
}

BOOL SetWindowTextW(HWND window, LPCWSTR text) {
    return SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

int GetWindowTextW(HWND window, LPWSTR buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) {
        Desk(__func__);
        return 0;
    }
    buffer[0] = 0;
    return static_cast<int>(SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(capacity),
                                         reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND window) {
    return static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
}

} // namespace Win32
