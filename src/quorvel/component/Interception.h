// How the owner form's messages reach the component: the registry of started
// instances, the replacement of the form's window procedure, and the shared
// thread hook of major version 4 systems.
#pragma once

#include "quorvel/component/Quorvel.h"

#include <unordered_set>

namespace Quorvel {

// Every TQuorvel alive now; a registry item is only followed to an instance found
// here, so a form field that no longer refers to a live instance is never read
// through.
std::unordered_set<const Vcl::TComponent*>& LiveInstances();

// Runs the unit start-up the first time a component is made, for programs that
// link the component without the package.
void EnsureUnitStarted();

// The shared WH_CALLWNDPROC hook: the first holder installs it, the last one to
// let go removes it. True when this call took a share.
bool AcquireHook();
void ReleaseHook();

// Where a message for the window goes after the component: the previous
// procedure of the instance that claims the window, never the component's own
// procedure again; the default procedure when nothing else is known.
Win32::LRESULT Forward(Win32::HWND window, Win32::UINT msg, Win32::WPARAM wParam,
                       Win32::LPARAM lParam);

} // namespace Quorvel
