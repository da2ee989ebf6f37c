// The resize pass: every recorded control laid out again from its reference
// geometry for the form's new client size.
#include "quorvel/component/ControlWalk.h"
#include "quorvel/component/Interception.h"
#include "quorvel/component/Placement.h"
#include "quorvel/core/FormLimits.h"
#include "quorvel/core/Scaling.h"
#include "quorvel/vcl/SysInfo.h"

namespace Quorvel {

using namespace Vcl;
using namespace Win32;

namespace {
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
    const Core::TFactors factors = Core::PassFactors(
        clientWidth, clientHeight,
        {FOwnerWidth, FOwnerHeight, FDesignDpiW, FDesignDpiH, FRunDpiW, FRunDpiH});
    const double XScale = factors.X, YScale = factors.Y, FontScale = factors.Font;

    // 2. Controls created or freed since the last pass.
    RefreshCtrls();

    // 3. The form's own font.
    if (FResizeFont && FOwnerFont && FNoResizeFntCtls->IndexOf(form->Name()) == -1)
        form->Font()->SetSize(Core::ScaleFormFont(FOwnerFont->Size(), FontScale));

    // 4.-6. Every control in one repaint bracket.
    LockWindowUpdate(Window);
    WalkControls(*form, form->ComponentCount(), *FNoResizeCtls,
                 [&](TControl* Ctrl, TControl* Frame) {
                     PCtrlInfo Info = Frame ? FindChildCtrl(Frame->Name(), Ctrl->Name())
                                            : FindCtrl(Ctrl->Name());
                     if (!Info)
                         return false;
                     ResizeOne(Info, Ctrl, XScale, YScale, FontScale, !Frame);
                     return true;
                 });
    LockWindowUpdate(nullptr);

    // 7. A maximized form is kept on its monitor.
    if (SizeType == SIZE_MAXIMIZED)
        KeepMaximizedOnMonitor(Window, FromHook);
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

void TQuorvel::KeepMaximizedOnMonitor(HWND Window, bool FromHook) {
    TCustomForm* form = OwnerForm();
    const bool hasMax = FFormMaxWidth > 0 && FFormMaxHeight > 0;
    RECT R{};
    if (hasMax) {
        // The window procedure measures against the monitor's rectangle; the
        // legacy hook against a monitor whose corner is at (0, 0).
        Core::TPoint limit;
        if (!FromHook) {
            const TRect B = form->Monitor()->BoundsRect();
            limit = {B.Right, B.Bottom};
        } else {
            TMonitor* monitor = form->Monitor();
            limit = Core::LegacyWorkLimits(
                TaskbarArea(monitor->Width(), monitor->Height(), FValidTaskbar), FValidTaskbar);
        }
        GetWindowRect(Window, &R);
        if (const auto at = Core::KeepCornerWithin(ToCore(R), limit.X, limit.Y))
            MoveWindow(Window, at->X, at->Y, R.right - R.left, R.bottom - R.top, 1);
    } else if (!FromHook && TStyleManager::IsCustomStyleActive()) {
        GetWindowRect(Window, &R);
        MoveWindow(Window, R.left, R.top, FMaxSize.X - R.left, FMaxSize.Y - R.top, 1);
    }
}

void TQuorvel::ResizeOne(PCtrlInfo Info, TControl* Ctrl, double XScale, double YScale,
                         double FontScale, bool TopLevel) {
    HoldParentFont(true, Info, Ctrl);
    if (FResizeFont && Info->Font && FNoResizeFntCtls->IndexOf(Ctrl->Name()) == -1) {
        Ctrl->Font()->SetSize(Core::ScaleControlFontRaw(Info->Font->Size(), FontScale));
        if (Ctrl->Font()->Size() == 0)
            Ctrl->Font()->SetSize(1);
    }
    Ctrl->SetTop(Core::ScaleCoord(Info->Top, YScale));
    Ctrl->SetLeft(Core::ScaleCoord(Info->Left, XScale));
    Ctrl->SetWidth(Core::ScaleCoord(Info->Width, XScale));
    Ctrl->SetHeight(Core::ScaleCoord(Info->Height, YScale));
    // Only sizes are raised from 0: a control flush with its parent's edge stays.
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
        if (const auto size = Core::ReferenceFromCurrent(Ctrl->Font()->Size(), FPrevScaleF)) {
            Info->Font->SetSize(*size);
            Info->OldFontSize = Ctrl->Font()->Size();
        }
        Info->OrgParentFont = Info->ParentFont;
    }
}

} // namespace Quorvel
