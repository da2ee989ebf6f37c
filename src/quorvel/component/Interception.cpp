// The instance registry, interception of the owner form's window and the shared
// legacy hook.
#include "quorvel/component/Interception.h"

#include "quorvel/vcl/ClassRegistry.h"
#include "quorvel/vcl/SysInfo.h"

#include <unordered_map>

namespace Quorvel {

using namespace Vcl;
using namespace Win32;

Vcl::TList* InstanceList = nullptr;
Win32::HHOOK HookHandle = nullptr;
Win32::BOOL IsDwmEnabled = 0;
bool IsJapanese = false;

namespace {

bool UnitEverStarted = false;
int HookUsers = 0;

// Windows whose procedure could not be given back because another procedure was
// installed on top of the component's: where their messages go once no instance
// claims them.
std::unordered_map<HWND, LONG_PTR>& Orphans() {
    static std::unordered_map<HWND, LONG_PTR> orphans;
    return orphans;
}

LONG_PTR OwnProc() { return reinterpret_cast<LONG_PTR>(&FormWndProc); }

TQuorvel* AsInstance(const TComponent* component) {
    return const_cast<TQuorvel*>(static_cast<const TQuorvel*>(component));
}

} // namespace

std::unordered_set<const Vcl::TComponent*>& LiveInstances() {
    static std::unordered_set<const Vcl::TComponent*> live;
    return live;
}

void UnitInitialization() {
    UnitEverStarted = true;
    if (!InstanceList)
        InstanceList = new TList;
    IsDwmEnabled = 0;
    if (CheckWin32Version(6, 0))
        DwmIsCompositionEnabled(&IsDwmEnabled);
    // Form files name the class; a form class's field of this type makes it known
    // to the reader, which here is the class registry.
    RegisterClass(TQuorvel::StaticClass());
}

void UnitFinalization() {
    delete InstanceList;
    InstanceList = nullptr;
}

void EnsureUnitStarted() {
    if (!UnitEverStarted)
        UnitInitialization();
}

TQuorvel* FindInstance(HWND Window) {
    if (!InstanceList)
        return nullptr;
    const auto& live = LiveInstances();
    for (void* item : *InstanceList) {
        auto** slot = static_cast<TComponent**>(item);
        TComponent* component = *slot;
        // A field that no longer refers to a live instance is skipped.
        if (!component || !live.count(component))
            continue;
        TQuorvel* instance = AsInstance(component);
        if (instance->FOwnerHandle == Window)
            return instance;
    }
    return nullptr;
}

bool AcquireHook() {
    if (!HookHandle) {
        HookHandle =
            SetWindowsHookExW(WH_CALLWNDPROC, &FormHookProc, nullptr, GetCurrentThreadId());
        if (!HookHandle)
            return false; // a later Enabled := True tries again
        HookUsers = 0;
    }
    ++HookUsers;
    return true;
}

void ReleaseHook() {
    if (HookUsers > 0 && --HookUsers == 0 && HookHandle) {
        UnhookWindowsHookEx(HookHandle);
        HookHandle = nullptr;
    }
}

LRESULT Forward(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto usable = [](LONG_PTR proc) { return proc != 0 && proc != OwnProc(); };
    LONG_PTR target = 0;
    if (TQuorvel* instance = FindInstance(window); instance && usable(instance->lpPrevWndProc))
        target = instance->lpPrevWndProc;
    if (!target && InstanceList) {
        // The instance found may have saved the component's own procedure (it came
        // second); another instance of the window knows the form's real one.
        const auto& live = LiveInstances();
        for (void* item : *InstanceList) {
            TComponent* component = *static_cast<TComponent**>(item);
            if (!component || !live.count(component))
                continue;
            TQuorvel* other = AsInstance(component);
            if (other->FOwnerHandle == window && usable(other->lpPrevWndProc)) {
                target = other->lpPrevWndProc;
                break;
            }
        }
    }
    if (!target) {
        // An instance the registry no longer leads to (its form field was reassigned,
        // or the unit has shut down) still knows the form's own procedure.
        for (const TComponent* component : LiveInstances()) {
            TQuorvel* other = AsInstance(component);
            if (other->FOwnerHandle == window && usable(other->lpPrevWndProc)) {
                target = other->lpPrevWndProc;
                break;
            }
        }
    }
    if (!target) {
        auto it = Orphans().find(window);
        if (it != Orphans().end())
            target = it->second;
    }
    LRESULT result =
        target ? CallWindowProcW(reinterpret_cast<WNDPROC>(target), window, msg, wParam, lParam)
               : DefWindowProcW(window, msg, wParam, lParam);
    if (msg == WM_NCDESTROY)
        Orphans().erase(window);
    return result;
}

void TQuorvel::InstallWndProc(HWND Window) {
    // The component's procedure may still be in the window's chain, below one
    // that was installed after it and kept it from leaving: it takes back the
    // procedure it forwarded to, since installing it on top again would make the
    // chain a loop.
    if (auto it = Orphans().find(Window); it != Orphans().end()) {
        lpPrevWndProc = it->second;
        Orphans().erase(it);
        return;
    }
    lpPrevWndProc = SetWindowLongPtrW(Window, GWLP_WNDPROC, OwnProc());
}

void TQuorvel::RestoreWndProc() {
    if (lpPrevWndProc == 0)
        return;
    const LONG_PTR prev = lpPrevWndProc;
    lpPrevWndProc = 0;
    HWND window = FOwnerHandle;
    if (!window || !IsWindow(window))
        return;
    const bool prevIsOwn = prev == OwnProc();
    // Another instance of the same window that saved the component's own procedure
    // takes over this one's, so the chain never leads back into itself.
    bool stillIntercepted = false;
    for (const TComponent* component : LiveInstances()) {
        TQuorvel* other = AsInstance(component);
        if (other == this || other->FOwnerHandle != window || other->lpPrevWndProc == 0)
            continue;
        if (other->lpPrevWndProc == OwnProc() && !prevIsOwn)
            other->lpPrevWndProc = prev;
        stillIntercepted = true;
    }
    if (stillIntercepted || prevIsOwn)
        return;
    if (GetWindowLongPtrW(window, GWLP_WNDPROC) == OwnProc())
        SetWindowLongPtrW(window, GWLP_WNDPROC, prev);
    else
        Orphans()[window] = prev; // someone subclassed after us: keep forwarding there
}

} // namespace Quorvel
