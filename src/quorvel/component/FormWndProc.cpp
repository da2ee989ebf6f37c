// The owner form's messages: first showing, the maximum size, the dragged
// rectangle and size changes. FormWndProc serves forms whose window procedure the
// component replaced; FormHookProc serves major version 4 systems through a
// thread hook. Both act before the form's own procedure sees the message.
#include "quorvel/component/Interception.h"
#include "quorvel/component/Placement.h"
#include "quorvel/vcl/SysInfo.h"

#include "quorvel/core/FormLimits.h"

namespace Quorvel {

using namespace Vcl;
using namespace Win32;

LRESULT QV_CALLBACK FormWndProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    TQuorvel* instance = FindInstance(hWnd);
    if (instance && instance->FEnabled)
        instance->HandleMessage(hWnd, Msg, wParam, lParam, false);
    // Forwarding looks the instance up again: the handling may have freed it.
    return Forward(hWnd, Msg, wParam, lParam);
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
    if (!instance || !instance->FEnabled)
        return 0;
    instance->HandleMessage(message->hwnd, message->message, message->wParam, message->lParam,
                            true);
    return 0;
}

void TQuorvel::HandleMessage(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam, bool FromHook) {
    switch (Msg) {
    case WM_SHOWWINDOW:
        if ((WParam & 0xFF) == 1 && !FIsResized)
            FirstShowPlacement(Window);
        break;
    case WM_GETMINMAXINFO:
        MaxSizeAndPosition(Window, reinterpret_cast<MINMAXINFO*>(LParam), FromHook);
        break;
    case WM_SIZING: ClampDragRect(reinterpret_cast<RECT*>(LParam)); break;
    case WM_SIZE:
        if (WParam != SIZE_MINIMIZED)
            ResizeControls(Window, WParam, LParam, FromHook);
        break;
    default: break;
    }
}

bool TQuorvel::FormGuard(HWND Window) {
    if (IsIconic(Window))
        return true;
    TCustomForm* form = OwnerForm();
    return form && form->FormStyle() == fsMDIChild && form->WindowState() != wsNormal;
}

void TQuorvel::FirstShowPlacement(HWND Window) {
    TCustomForm* form = OwnerForm();
    if (!form || FormGuard(Window))
        return;
    TMonitor* monitor = form->Monitor();
    RECT R{};
    if (FFormWidth <= 0 || FFormHeight <= 0)
        GetWindowRect(Window, &R);
    const Core::TPoint size =
        Core::FirstShowSize(FFormWidth, FFormHeight, R.right - R.left, R.bottom - R.top,
                            monitor->Width(), monitor->Height());
    PlaceForm(form, FFormPos, size.X, size.Y);
}

Core::TSizeLimits TQuorvel::SizeLimits() const {
    return {FFormMinWidth, FFormMinHeight, FFormMaxWidth, FFormMaxHeight};
}

void TQuorvel::MaxSizeAndPosition(HWND Window, MINMAXINFO* Info, bool FromHook) {
    TCustomForm* form = OwnerForm();
    if (!form || FormGuard(Window))
        return;
    TMonitor* monitor = form->Monitor();
    Core::TMaxInfoQuery query;
    query.Area = TaskbarArea(monitor->Width(), monitor->Height(), FValidTaskbar);
    query.MaxSize = {Info->ptMaxSize.x, Info->ptMaxSize.y};
    query.MaxPosition = {Info->ptMaxPosition.x, Info->ptMaxPosition.y};
    query.Limits = SizeLimits();
    query.Route = FromHook ? Core::mrLegacyHook : Core::mrWindowProc;
    if (!FromHook)
        query.Zoomed = IsZoomed(Window) != 0;
    else
        query.Version410 = Win32MajorVersion() == 4 && Win32MinorVersion() == 10;
    if (query.Limits.HasMax()) {
        RECT R{};
        GetWindowRect(Window, &R);
        query.Window = ToCore(R);
        query.Monitor = ToCore(monitor->BoundsRect());
        query.WorkArea = ToCore(monitor->WorkareaRect());
    }
    const Core::TMaxInfoAnswer answer = Core::MaxInfo(query);
    if (answer.RememberMonitorSize) {
        // Remembered for the maximized-form correction under a custom style.
        FMaxSize = {monitor->Width(), monitor->Height()};
        return;
    }
    if (!answer.Write)
        return;
    Info->ptMaxSize = {answer.MaxSize.X, answer.MaxSize.Y};
    Info->ptMaxTrackSize = Info->ptMaxSize;
    Info->ptMaxPosition = {answer.MaxPosition.X, answer.MaxPosition.Y};
}

void TQuorvel::ClampDragRect(RECT* Rect) const {
    const Core::TRect r = Core::ClampDrag(ToCore(*Rect), SizeLimits());
    *Rect = {r.Left, r.Top, r.Right, r.Bottom};
}

} // namespace Quorvel
