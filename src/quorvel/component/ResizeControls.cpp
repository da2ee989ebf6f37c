// The resize pass: every recorded control laid out again from its reference
// geometry for the form's new client size.
#include "quorvel/component/ControlRecords.h"
#include "quorvel/component/FormHook.h"
#include "quorvel/component/Placement.h"
#include "quorvel/core/FormLimits.h"
#include "quorvel/vcl/SysInfo.h"

namespace Quorvel {

using namespace Vcl;
using namespace Win32;

namespace {
// Counts passes, so that a pass can tell whether another one ran inside it.
unsigned PassSerial = 0;
} // namespace

void TQuorvel::ResizeControls(HWND Window, Core::TPoint Client, bool Maximized,
                              Core::TMessageRoute Route) {
    TCustomForm* form = OwnerForm();
    if (!form || !FRecords)
        return;
    const unsigned serial = ++PassSerial;

    // 1. Factors.
    const Core::TFactors factors = Core::PassFactors(Client.X, Client.Y, FReference);

    // 2. Controls created or freed since the last pass.
    FRecords->Reconcile(*form, FPrevious);

    // 3. The form's own font.
    if (FProps.ResizeFont && FOwnerFont && !FRecords->HasFixedFont(form->Name()))
        form->Font()->SetSize(Core::ScaleFormFont(FOwnerFont->Size(), factors.Font));

    // 4.-6. Every control in one repaint bracket.
    LockWindowUpdate(Window);
    FRecords->ForEachRecorded(
        *form, form->ComponentCount(), [&](const TControlRecords::TScaled& s) {
            ScaleControl(*s.Control, *s.Record, !s.Frame, s.FixedFont, factors);
        });
    LockWindowUpdate(nullptr);

    // 7. A maximized form is kept on its monitor.
    if (Maximized)
        KeepMaximizedOnMonitor(Window, Route);
    if (!IsLive(this))
        return; // a nested pass's handler freed the component

    // 8. A pass that ran inside the correction has reported the layout that now
    // stands; this pass's factors no longer describe it, so it stays silent.
    if (serial == PassSerial) {
        OnExitResize(this, factors.X, factors.Y);
        if (!IsLive(this))
            return; // the handler freed the component
    }
    // 9.
    FIsResized = true;
}

void TQuorvel::KeepMaximizedOnMonitor(HWND Window, Core::TMessageRoute Route) {
    TCustomForm* form = OwnerForm();
    RECT R{};
    if (FProps.Limits.HasMax()) {
        // The window procedure measures against the monitor's rectangle; the
        // legacy hook against a monitor whose corner is at (0, 0).
        Core::TPoint limit;
        if (Route == Core::mrWindowProc) {
            const TRect B = form->Monitor()->BoundsRect();
            limit = {B.Right, B.Bottom};
        } else {
            TMonitor* monitor = form->Monitor();
            limit = Core::LegacyWorkLimits(
                TaskbarArea(monitor->Width(), monitor->Height(), FProps.ValidTaskbar),
                FProps.ValidTaskbar);
        }
        GetWindowRect(Window, &R);
        if (const auto at = Core::KeepCornerWithin(Core::RectOf(R), limit.X, limit.Y))
            MoveWindow(Window, at->X, at->Y, R.right - R.left, R.bottom - R.top, 1);
    } else if (Route == Core::mrWindowProc && TStyleManager::IsCustomStyleActive()) {
        GetWindowRect(Window, &R);
        MoveWindow(Window, R.left, R.top, FMaxSize.X - R.left, FMaxSize.Y - R.top, 1);
    }
}

// The control step: the font, then the four bounds each through its own setter,
// with ParentFont held off around them; the zero rule is the core's.
void TQuorvel::ScaleControl(TControl& Ctrl, TCtrlInfo& Info, bool TopLevel, bool FixedFont,
                            const Core::TFactors& Factors) {
    HoldParentFont(true, Info, Ctrl);
    if (FProps.ResizeFont && Info.Font && !FixedFont)
        Ctrl.Font()->SetSize(Core::ScaleFontPoints(Info.FontSize, Factors.Font));
    const Core::TBounds b = Core::ScaleBounds(Info.Reference, Factors);
    Ctrl.SetTop(b.Top);
    Ctrl.SetLeft(b.Left);
    Ctrl.SetWidth(b.Width);
    Ctrl.SetHeight(b.Height);
    Info.Last = {Ctrl.Left(), Ctrl.Top(), Ctrl.Width(), Ctrl.Height()};
    if (Info.Font)
        Info.LastFontSize = Ctrl.Font()->Size();
    if (TopLevel)
        FPrevious = Factors;
    HoldParentFont(false, Info, Ctrl);
}

void TQuorvel::HoldParentFont(bool Before, TCtrlInfo& Info, TControl& Ctrl) {
    if (!Info.Font)
        return;
    if (!Before) {
        Ctrl.SetParentFont(Info.ParentFont);
        return;
    }
    Info.ParentFont = Ctrl.ParentFont();
    Ctrl.SetParentFont(false);
    if (Info.ParentFont != Info.OrgParentFont) {
        // The application switched ParentFont: the reference size is taken again
        // from what the control shows now.
        if (const auto size = Core::ReferenceFromCurrent(Ctrl.Font()->Size(), FPrevious.Font)) {
            Info.FontSize = *size;
            Info.LastFontSize = Ctrl.Font()->Size();
        }
        Info.OrgParentFont = Info.ParentFont;
    }
}

} // namespace Quorvel
