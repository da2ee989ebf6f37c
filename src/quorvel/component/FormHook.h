// How the owner form's messages reach its component: the registry of started
// instances, the replacement of the form's window procedure, and the one thread
// hook of major version 4 systems. The procedures exist once for the unit and
// find the instance by window handle; each instance's TFormHook holds that
// handle, its item in the registry and the procedure it replaced.
#pragma once

#include "quorvel/vcl/Component.h"
#include "quorvel/vcl/Lists.h"
#include "quorvel/win/Win32.h"

namespace Quorvel {

class TQuorvel;

class TFormHook {
public:
    explicit TFormHook(TQuorvel& Owner);
    // Takes the form's window back where the chain of procedures allows it,
    // leaves the registry and lets go of its share of the hook.
    ~TFormHook();
    TFormHook(const TFormHook&) = delete;
    TFormHook& operator=(const TFormHook&) = delete;

    TQuorvel& Owner() const { return FOwner; }
    // The owner form's window, the key by which the procedures find the instance.
    Win32::HWND Window() const { return FOwnerHandle; }
    void SetWindow(Win32::HWND Window) { FOwnerHandle = Window; }

    // The registry item is the address of the owner form's published field that
    // refers to the instance; the instance is reached through it at every lookup.
    void Register(Vcl::TComponent** SelfPointer);
    bool Registered() const;
    bool HasSelfPointer() const { return FSelfPointer != nullptr; }

    // The form's window procedure replaced by FormWndProc, and given back.
    void Subclass(Win32::HWND Window);
    void Unsubclass();
    bool Subclassed() const { return lpPrevWndProc != 0; }

    // A share of the unit's thread hook (major version 4): the first holder
    // installs it, the last to let go removes it. AcquireHook is false when
    // the hook could not be installed.
    bool AcquireHook();
    void ReleaseHook();
    bool HoldsHook() const { return FHoldsHook; }

    // The procedure the form's window had before FormWndProc, while subclassed.
    Win32::LONG_PTR PreviousProc() const { return lpPrevWndProc; }

private:
    TQuorvel& FOwner;
    Win32::HWND FOwnerHandle = nullptr;
    Vcl::TComponent** FSelfPointer = nullptr;
    Win32::LONG_PTR lpPrevWndProc = 0;
    bool FHoldsHook = false;
};

// ---- Unit-wide state, shared by all instances (one user-interface thread) ----

// Registry of started instances: each item is the address of an owner form's
// published field that refers to the instance.
extern Vcl::TList* InstanceList;
// The WH_CALLWNDPROC hook of major version 4 systems, or none.
extern Win32::HHOOK HookHandle;

// Runs the unit start-up the first time a component is made, for programs that
// link the component without the package.
void EnsureUnitStarted();

// Whether the instance is alive: a handler that the pass calls may free it.
bool IsLive(const Vcl::TComponent* Instance);

// The instance whose owner form has this window, as the window procedure and the
// hook look it up: the first registered instance whose form field still refers
// to a live instance with that window handle.
TQuorvel* FindInstance(Win32::HWND Window);

Win32::LRESULT QV_CALLBACK FormWndProc(Win32::HWND hWnd, Win32::UINT Msg, Win32::WPARAM wParam,
                                       Win32::LPARAM lParam);
Win32::LRESULT QV_CALLBACK FormHookProc(int nCode, Win32::WPARAM wParam, Win32::LPARAM lParam);

// Where a message for the window goes after the component: the previous
// procedure of the instance that claims the window, never the component's own
// procedure again; the default procedure when nothing else is known.
Win32::LRESULT Forward(Win32::HWND window, Win32::UINT msg, Win32::WPARAM wParam,
                       Win32::LPARAM lParam);

} // namespace Quorvel
