// The resize pass: every recorded control laid out again from its reference
// geometry for the form's new client size.
#include "quorvel/component/Interception.h"
#include "quorvel/component/Placement.h"
#include "quorvel/vcl/SysInfo.h"

namespace Quorvel {

using namespace Vcl;
using namespace Win32;

namespace {
int Scaled(int reference, double scale) { return Vcl::Trunc(reference * scale + 0.5); }

// Ratio of a client extent to its reference extent, times the resolution ratio;
// 1.0 on an axis without a run-time resolution or a reference extent.
double AxisScale(int client, int reference, int designDpi, int runDpi) {
    if (runDpi == 0 || reference == 0)
        return 1.0;
    return (static_cast<double>(client) / static_cast<double>(reference)) *
           (static_cast<double>(designDpi) / static_cast<double>(runDpi));
}

// Counts passes, so that a pass can tell whether another one ran inside it.
unsigned PassSerial = 0;
} // namespace

void TQuorvel::ResizeControls(HWND Window, WPARAM SizeType, LPARAM Param, bool FromHook) {
    TCustomForm* form = OwnerForm();
    if (!form || !FCtrls)
        return;
    const unsigned serial = ++PassSerial;

    // 1. Factors.
    const int clientWidth = LOWORD(static_cast<std::uintptr_t>(Param));
    const int clientHeight = HIWORD(static_cast<std::uintptr_t>(Param));
    const double XScale = AxisScale(clientWidth, FOwnerWidth, FDesignDpiW, FRunDpiW);
    const double YScale = AxisScale(clientHeight, FOwnerHeight, FDesignDpiH, FRunDpiH);
    const double FontScale = XScale > YScale ? YScale : XScale;

    // 2. Controls created or freed since the last pass.
    RefreshCtrls();

    // 3. The form's own font.
    if (FResizeFont && FOwnerFont && FNoResizeFntCtls->IndexOf(form->Name()) == -1)
        form->Font()->SetSize(Vcl::Trunc(FOwnerFont->Size() * FontScale + 0.5));

    // 4.-6. Every control in one repaint bracket.
    LockWindowUpdate(Window);
    const int N = form->ComponentCount();
    for (int i = 0; i < N; ++i) {
        auto* Ctrl = dynamic_cast<TControl*>(form->Components(i));
        if (!Ctrl || FNoResizeCtls->IndexOf(Ctrl->Name()) != -1)
            continue;
        PCtrlInfo Info = FindCtrl(Ctrl->Name());
        if (!Info)
            continue;
        ResizeOne(Info, Ctrl, XScale, YScale, FontScale, true);
        if (Ctrl->ComponentCount() != 0 && dynamic_cast<TFrame*>(Ctrl)) {
            // One level of frame children; frames inside frames are not entered.
            const int M = Ctrl->ComponentCount();
            for (int j = 0; j < M; ++j) {
                auto* Child = dynamic_cast<TControl*>(Ctrl->Components(j));
                if (!Child || FNoResizeCtls->IndexOf(Child->Name()) != -1)
                    continue;
                if (PCtrlInfo ChildInfo = FindChildCtrl(Ctrl->Name(), Child->Name()))
                    ResizeOne(ChildInfo, Child, XScale, YScale, FontScale, false);
            }
        }
    }
    LockWindowUpdate(nullptr);

    // 7. A maximized form is kept on its monitor.
    if (SizeType == SIZE_MAXIMIZED) {
        if (!FromHook) {
            if (FFormMaxWidth > 0 && FFormMaxHeight > 0) {
                RECT R{};
                GetWindowRect(Window, &R);
                const TRect B = form->Monitor()->BoundsRect();
                if (R.bottom > B.Bottom || R.right > B.Right) {
                    int NewLeft = R.left, NewTop = R.top;
                    if (R.bottom > B.Bottom)
                        NewTop = B.Bottom - (R.bottom - R.top);
                    if (R.right > B.Right)
                        NewLeft = B.Right - (R.right - R.left);
                    MoveWindow(Window, NewLeft, NewTop, R.right - R.left, R.bottom - R.top, 1);
                }
            } else if (TStyleManager::IsCustomStyleActive()) {
                RECT R{};
                GetWindowRect(Window, &R);
                MoveWindow(Window, R.left, R.top, FMaxSize.X - R.left, FMaxSize.Y - R.top, 1);
            }
        } else if (FFormMaxWidth > 0 && FFormMaxHeight > 0) {
            // The legacy hook measures against a monitor whose corner is at (0, 0).
            TMonitor* monitor = form->Monitor();
            int AreaW = monitor->Width(), AreaH = monitor->Height(), Edge = -1;
            const APPBARDATA bar = GetTaskbarInfo(AreaW, AreaH, Edge, FValidTaskbar);
            if (FValidTaskbar) {
                if (Edge == 0)
                    AreaH += bar.rc.bottom - bar.rc.top;
                if (Edge == 1)
                    AreaW += bar.rc.right - bar.rc.left;
            }
            RECT R{};
            GetWindowRect(Window, &R);
            if (R.bottom > AreaH || R.right > AreaW) {
                int NewLeft = R.left, NewTop = R.top;
                if (R.bottom > AreaH)
                    NewTop = AreaH - (R.bottom - R.top);
                if (R.right > AreaW)
                    NewLeft = AreaW - (R.right - R.left);
                MoveWindow(Window, NewLeft, NewTop, R.right - R.left, R.bottom - R.top, 1);
            }
        }
    }
    if (!LiveInstances().count(this))
        return; // a nested pass's handler freed the component

    // 8. A pass that ran inside the correction has reported the layout that now
    // stands; this pass's factors no longer describe it, so it stays silent.
    if (serial == PassSerial) {
        OnExitResize(this, XScale, YScale);
        if (!LiveInstances().count(this))
            return; // the handler freed the component
    }
    // 9.
    FIsResized = true;
}

void TQuorvel::ResizeOne(PCtrlInfo Info, TControl* Ctrl, double XScale, double YScale,
                         double FontScale, bool TopLevel) {
    HoldParentFont(true, Info, Ctrl);
    if (FResizeFont && Info->Font && FNoResizeFntCtls->IndexOf(Ctrl->Name()) == -1) {
        Ctrl->Font()->SetSize(Vcl::Trunc(Info->Font->Size() * FontScale));
        if (Ctrl->Font()->Size() == 0)
            Ctrl->Font()->SetSize(1);
    }
    Ctrl->SetTop(Scaled(Info->Top, YScale));
    Ctrl->SetLeft(Scaled(Info->Left, XScale));
    Ctrl->SetWidth(Scaled(Info->Width, XScale));
    Ctrl->SetHeight(Scaled(Info->Height, YScale));
    if (Ctrl->Top() == 0)
        Ctrl->SetTop(1);
    if (Ctrl->Left() == 0)
        Ctrl->SetLeft(1);
    if (Ctrl->Width() == 0)
        Ctrl->SetWidth(1);
    if (Ctrl->Height() == 0)
        Ctrl->SetHeight(1);
    Info->OldTop = Ctrl->Top();
    Info->OldLeft = Ctrl->Left();
    Info->OldWidth = Ctrl->Width();
    Info->OldHeight = Ctrl->Height();
    if (Info->Font)
        Info->OldFontSize = Ctrl->Font()->Size();
    if (TopLevel) {
        FPrevScaleX = XScale;
        FPrevScaleY = YScale;
        FPrevScaleF = FontScale;
    }
    HoldParentFont(false, Info, Ctrl);
}

void TQuorvel::HoldParentFont(bool Before, PCtrlInfo Info, TControl* Ctrl) {
    if (!Info->Font)
        return;
    if (!Before) {
        Ctrl->SetParentFont(Info->ParentFont);
        return;
    }
    Info->ParentFont = Ctrl->ParentFont();
    Ctrl->SetParentFont(false);
    if (Info->ParentFont != Info->OrgParentFont) {
        // The application switched ParentFont: the reference size is taken again
        // from what the control shows now.
        if (FPrevScaleF != 0) {
            Info->Font->SetSize(Vcl::Trunc(Ctrl->Font()->Size() / FPrevScaleF + 0.5));
            Info->OldFontSize = Ctrl->Font()->Size();
        }
        Info->OrgParentFont = Info->ParentFont;
    }
}

} // namespace Quorvel
