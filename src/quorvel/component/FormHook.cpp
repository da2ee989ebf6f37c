// The instance registry, the interception of the owner form's window and the
// shared legacy hook.
#include "quorvel/component/FormHook.h"

#include "quorvel/component/Quorvel.h"
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

// Every TQuorvel alive now, with its hook; a registry item is only followed to
// an instance found here, so a form field that no longer refers to a live
// instance is never read through.
std::unordered_map<const TComponent*, TFormHook*>& LiveHooks() {
    static std::unordered_map<const TComponent*, TFormHook*> live;
    return live;
}

// Windows whose procedure could not be given back because another procedure was
// installed on top of the component's: where their messages go once no instance
// claims them.
std::unordered_map<HWND, LONG_PTR>& Orphans() {
    static std::unordered_map<HWND, LONG_PTR> orphans;
    return orphans;
}

LONG_PTR OwnProc() { return reinterpret_cast<LONG_PTR>(&FormWndProc); }

// The hook of the first registered instance, in registry order, that satisfies
// Pick; null when none does.
template <class TPick> TFormHook* FirstRegistered(TPick&& Pick) {
    if (!InstanceList)
        return nullptr;
    const auto& live = LiveHooks();
    for (void* item : *InstanceList) {
        const TComponent* component = *static_cast<TComponent**>(item);
        auto it = component ? live.find(component) : live.end();
        if (it != live.end() && Pick(*it->second))
            return it->second;
    }
    return nullptr;
}

TFormHook* FindHook(HWND Window) {
    return FirstRegistered([&](const TFormHook& hook) { return hook.Window() == Window; });
}

} // namespace

// ---- Unit start-up and shut-down ----

void UnitInitialization() {
    UnitEverStarted = true;
    if (!InstanceList)
        InstanceList = new TList;
    IsDwmEnabled = 0;
    if (CheckWin32Version(6, 0))
        DwmIsCompositionEnabled(&IsDwmEnabled);
}

void UnitFinalization() {
    delete InstanceList;
    InstanceList = nullptr;
}

void EnsureUnitStarted() {
    if (!UnitEverStarted)
        UnitInitialization();
}

// ---- One instance's interception ----

TFormHook::TFormHook(TQuorvel& Owner) : FOwner(Owner) {
    EnsureUnitStarted();
    LiveHooks()[&Owner] = this;
}

TFormHook::~TFormHook() {
    // Leave the form's window as it was before this instance, where the chain of
    // procedures allows it, before leaving the registry.
    Unsubclass();
    if (FSelfPointer && InstanceList)
        InstanceList->Remove(FSelfPointer);
    if (FHoldsHook)
        ReleaseHook();
    LiveHooks().erase(&FOwner);
}

void TFormHook::Register(TComponent** SelfPointer) {
    FSelfPointer = SelfPointer;
    if (InstanceList)
        InstanceList->Add(FSelfPointer);
}

bool TFormHook::Registered() const {
    return FSelfPointer && InstanceList && InstanceList->IndexOf(FSelfPointer) >= 0;
}

void TFormHook::Subclass(HWND Window) {
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

void TFormHook::Unsubclass() {
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
    for (const auto& [component, other] : LiveHooks()) {
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

bool TFormHook::AcquireHook() {
    if (!HookHandle) {
        HookHandle =
            SetWindowsHookExW(WH_CALLWNDPROC, &FormHookProc, nullptr, GetCurrentThreadId());
        if (!HookHandle)
            return false; // a later Enabled := True tries again
        HookUsers = 0;
    }
    ++HookUsers;
    FHoldsHook = true;
    return true;
}

void TFormHook::ReleaseHook() {
    if (!FHoldsHook)
        return;
    FHoldsHook = false;
    if (HookUsers > 0 && --HookUsers == 0 && HookHandle) {
        UnhookWindowsHookEx(HookHandle);
        HookHandle = nullptr;
    }
}

// ---- The procedures ----

bool IsLive(const TComponent* Instance) { return LiveHooks().count(Instance) != 0; }

TQuorvel* FindInstance(HWND Window) {
    TFormHook* hook = FindHook(Window);
    return hook ? &hook->Owner() : nullptr;
}

LRESULT QV_CALLBACK FormWndProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    TQuorvel* instance = FindInstance(hWnd);
    if (instance && instance->Enabled())
        instance->HandleMessage(hWnd, Msg, wParam, lParam, Core::mrWindowProc);
    // Forwarding looks the instance up again: the handling may have freed it.
    const LRESULT result = Forward(hWnd, Msg, wParam, lParam);
    if (Msg == WM_DPICHANGED) {
        instance = FindInstance(hWnd);
        if (instance && instance->Enabled())
            instance->MessageHandled(hWnd, Msg);
    }
    return result;
}

LRESULT QV_CALLBACK FormHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode < 0)
        return CallNextHookEx(HookHandle, nCode, wParam, lParam);
    if (nCode > 0)
        return 0;
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (!message->hwnd || !InstanceList || InstanceList->Count() == 0)
        return 0;
    TQuorvel* instance = FindInstance(message->hwnd);
    if (!instance || !instance->Enabled())
        return 0;
    instance->HandleMessage(message->hwnd, message->message, message->wParam, message->lParam,
                            Core::mrLegacyHook);
    return 0;
}

LRESULT Forward(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto usable = [&](const TFormHook& hook) {
        return hook.Window() == window && hook.PreviousProc() != 0 &&
               hook.PreviousProc() != OwnProc();
    };
    LONG_PTR target = 0;
    // The instance found first may have saved the component's own procedure (it
    // came second); another instance of the window knows the form's real one.
    if (TFormHook* hook = FirstRegistered(usable))
        target = hook->PreviousProc();
    if (!target) {
        // An instance the registry no longer leads to (its form field was reassigned,
        // or the unit has shut down) still knows the form's own procedure.
        for (const auto& [component, hook] : LiveHooks())
            if (usable(*hook)) {
                target = hook->PreviousProc();
                break;
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

} // namespace Quorvel
