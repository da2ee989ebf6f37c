// The owner form's messages, decoded: first showing, the maximum size, the
// dragged rectangle and size changes. Both routes (the replaced window
// procedure, the legacy thread hook) deliver them here before the form sees them.
#include "quorvel/component/Placement.h"
#include "quorvel/core/FormLimits.h"
#include "quorvel/vcl/SysInfo.h"

namespace Quorvel {

using namespace Vcl;
using namespace Win32;

void TQuorvel::HandleMessage(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam,
                             Core::TMessageRoute Route) {
    switch (Msg) {
    case WM_SHOWWINDOW:
        if ((WParam & 0xFF) == 1 && !FIsResized)
            FirstShowPlacement(Window);
        break;
    case WM_GETMINMAXINFO:
        MaxSizeAndPosition(Window, reinterpret_cast<MINMAXINFO*>(LParam), Route);
        break;
    case WM_SIZING: {
        auto* rect = reinterpret_cast<RECT*>(LParam);
        const Core::TRect r = Core::ClampDrag(Core::RectOf(*rect), FProps.Limits);
        *rect = {r.Left, r.Top, r.Right, r.Bottom};
        break;
    }
    case WM_SIZE:
        // The client size: the low and high words of LParam, unsigned.
        if (WParam != SIZE_MINIMIZED)
            ResizeControls(Window,
                           {LOWORD(static_cast<std::uintptr_t>(LParam)),
                            HIWORD(static_cast<std::uintptr_t>(LParam))},
                           WParam == SIZE_MAXIMIZED, Route);
        break;
    case WM_DPICHANGED:
        // Taken before the form sees the message, so that passes its own resizing
        // causes lay out at the new resolution already.
        if (FFollowMonitorDpi && Route == Core::mrWindowProc) {
            const int x = LOWORD(static_cast<std::uintptr_t>(WParam));
            const int y = HIWORD(static_cast<std::uintptr_t>(WParam));
            if (x != FReference.RunDpiX || y != FReference.RunDpiY) {
                RetakeRunDpi(x, y);
                FRetakePending = true;
            }
        }
        break;
    default: break;
    }
}

void TQuorvel::MessageHandled(HWND Window, UINT Msg) {
    if (Msg != WM_DPICHANGED || !FRetakePending)
        return;
    FRetakePending = false;
    // A form that keeps its size gets no size message: the layout at the new
    // resolution comes from this pass. A hidden or minimized one waits for its
    // next size message; before the first showing a pass would end the first-show
    // placement.
    if (!IsWindowVisible(Window) || IsIconic(Window))
        return;
    RECT client{};
    GetClientRect(Window, &client);
    ResizeControls(Window, {client.right - client.left, client.bottom - client.top},
                   IsZoomed(Window) != 0, Core::mrWindowProc);
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
    if (FProps.FormSize.X <= 0 || FProps.FormSize.Y <= 0)
        GetWindowRect(Window, &R);
    const Core::TPoint size =
        Core::FirstShowSize(FProps.FormSize.X, FProps.FormSize.Y, R.right - R.left,
                            R.bottom - R.top, monitor->Width(), monitor->Height());
    PlaceForm(form, FProps.FormPos, size.X, size.Y);
}

void TQuorvel::MaxSizeAndPosition(HWND Window, MINMAXINFO* Info, Core::TMessageRoute Route) {
    TCustomForm* form = OwnerForm();
    if (!form || FormGuard(Window))
        return;
    TMonitor* monitor = form->Monitor();
    Core::TMaxInfoQuery query;
    query.Area = TaskbarArea(monitor->Width(), monitor->Height(), FProps.ValidTaskbar);
    query.MaxSize = {Info->ptMaxSize.x, Info->ptMaxSize.y};
    query.MaxPosition = {Info->ptMaxPosition.x, Info->ptMaxPosition.y};
    query.Limits = FProps.Limits;
    query.Route = Route;
    if (Route == Core::mrWindowProc)
        query.Zoomed = IsZoomed(Window) != 0;
    else
        query.Version410 = Win32MajorVersion() == 4 && Win32MinorVersion() == 10;
    if (query.Limits.HasMax()) {
        RECT R{};
        GetWindowRect(Window, &R);
        query.Window = Core::RectOf(R);
        query.Monitor = monitor->BoundsRect();
        query.WorkArea = monitor->WorkareaRect();
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

} // namespace Quorvel
