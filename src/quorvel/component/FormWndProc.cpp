// The owner form's messages: first showing, the maximum size, the dragged
// rectangle and size changes. FormWndProc serves forms whose window procedure the
// component replaced; FormHookProc serves major version 4 systems through a
// thread hook. Both act before the form's own procedure sees the message.
#include "quorvel/component/Interception.h"
#include "quorvel/component/Placement.h"
#include "quorvel/vcl/SysInfo.h"

#include <algorithm>

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
    const int MonW = monitor->Width(), MonH = monitor->Height();
    int W, H;
    if (FFormWidth > 0 && FFormHeight > 0) {
        W = FFormWidth;
        H = FFormHeight;
    } else {
        RECT R{};
        GetWindowRect(Window, &R);
        W = R.right - R.left;
        H = R.bottom - R.top;
    }
    PlaceForm(form, FFormPos, std::min(W, MonW), std::min(H, MonH));
}

void TQuorvel::MaxSizeAndPosition(HWND Window, MINMAXINFO* Info, bool FromHook) {
    TCustomForm* form = OwnerForm();
    if (!form || FormGuard(Window))
        return;
    TMonitor* monitor = form->Monitor();
    int AreaW = monitor->Width(), AreaH = monitor->Height(), Edge = -1;
    const APPBARDATA bar = GetTaskbarInfo(AreaW, AreaH, Edge, FValidTaskbar);
    const int BarW = bar.rc.right - bar.rc.left, BarH = bar.rc.bottom - bar.rc.top;
    POINT S = Info->ptMaxSize;
    POINT P = Info->ptMaxPosition;
    const bool hasMax = FFormMaxWidth > 0 && FFormMaxHeight > 0;

    if (hasMax) {
        S = {FFormMaxWidth, FFormMaxHeight};
    } else if (!FromHook && IsZoomed(Window)) {
        // Remembered for the maximized-form correction under a custom style.
        FMaxSize = {monitor->Width(), monitor->Height()};
        return;
    } else {
        if (S.x < 0)
            AreaW -= S.x;
        if (S.y < 0)
            AreaH -= S.y;
        S = {AreaW, AreaH};
    }
    S.x = std::min<LONG>(S.x, AreaW);
    S.y = std::min<LONG>(S.y, AreaH);

    if (hasMax) {
        RECT R{};
        GetWindowRect(Window, &R);
        if (!FromHook) {
            // Maximize in place, pushed left or up only as far as needed to stay in
            // the work area. ptMaxPosition is relative to the monitor's corner, so
            // the rectangles are taken relative to it too (on the primary monitor
            // this changes nothing).
            const TRect mon = monitor->BoundsRect();
            TRect WA = monitor->WorkareaRect();
            OffsetRect(&R, -mon.Left, -mon.Top);
            WA = {WA.Left - mon.Left, WA.Top - mon.Top, WA.Right - mon.Left, WA.Bottom - mon.Top};
            if (R.left < WA.Left) {
                P.x = Edge == 1 ? BarW : 0;
            } else if (R.right <= WA.Right) {
                P.x = R.left - WA.Left;
                if (Edge == 1 && R.left <= WA.Left)
                    P.x = BarW;
            } else {
                P.x = WA.Right - S.x;
                if (Edge == 1)
                    P.x += BarW;
            }
            if (R.top < WA.Top) {
                P.y = Edge == 0 ? BarH : 0;
            } else if (R.bottom <= WA.Bottom) {
                P.y = R.top - WA.Top;
                if (Edge == 0 && R.top <= WA.Top)
                    P.y = BarH;
            } else {
                P.y = AreaH - S.y;
                if (Edge == 0)
                    P.y += BarH;
            }
            if (P.x < WA.Left)
                P.x = 0;
            if (P.y < WA.Top)
                P.y = 0;
        } else {
            // The legacy hook measures against the screen origin and the reduced
            // monitor size.
            if (R.left < 0) {
                P.x = Edge == 1 ? BarW : 0;
            } else if (R.right <= AreaW) {
                P.x = R.left;
                if (Edge == 1 && R.left <= BarW)
                    P.x = BarW;
            } else {
                P.x = AreaW - S.x;
                if (Edge == 1)
                    P.x += BarW;
            }
            if (R.top < 0) {
                P.y = Edge == 0 ? BarH : 0;
            } else if (R.bottom <= AreaH) {
                P.y = R.top;
                if (Edge == 0 && R.top <= BarH)
                    P.y = BarH;
            } else {
                P.y = AreaH - S.y;
                if (Edge == 0)
                    P.y += BarH;
            }
            if (P.x < 0)
                P.x = 0;
            if (P.y < 0)
                P.y = 0;
        }
    }
    if (FromHook && Win32MajorVersion() == 4 && Win32MinorVersion() == 10) {
        if (Edge == 0)
            P.y -= BarH;
        if (Edge == 1)
            P.x -= BarW;
    }
    Info->ptMaxSize = S;
    Info->ptMaxTrackSize = S;
    Info->ptMaxPosition = P;
}

void TQuorvel::ClampDragRect(RECT* Rect) const {
    if (FFormMaxWidth > 0 && FFormMaxHeight > 0) {
        if (Rect->right - Rect->left > FFormMaxWidth)
            Rect->right = Rect->left + FFormMaxWidth;
        if (Rect->bottom - Rect->top > FFormMaxHeight)
            Rect->bottom = Rect->top + FFormMaxHeight;
    }
    if (FFormMinWidth > 0 && FFormMinHeight > 0) {
        if (Rect->right - Rect->left < FFormMinWidth)
            Rect->right = Rect->left + FFormMinWidth;
        if (Rect->bottom - Rect->top < FFormMinHeight)
            Rect->bottom = Rect->top + FFormMinHeight;
    }
}

} // namespace Quorvel
