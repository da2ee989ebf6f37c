// Start-up (Loaded): the reference size and resolution, the records of every
// control, the one-time correction for a resolution other than the designer's,
// and the interception of the form's window.
#include "quorvel/core/Startup.h"
#include "quorvel/component/ControlRecords.h"
#include "quorvel/component/FormHook.h"
#include "quorvel/component/Placement.h"
#include "quorvel/vcl/SysInfo.h"

namespace Quorvel {

using namespace Vcl;
using namespace Win32;

namespace {
Core::TBorderKind BorderKind(TFormBorderStyle border) {
    return border == bsNone ? Core::bkNone : border == bsDialog ? Core::bkDialog : Core::bkSizeable;
}

// Fonts made at the monitor's resolution from now on, as a start-up on a screen
// of that resolution makes them.
void FontsAt(TControl& control, int ppi) {
    control.Font()->FollowMonitor(ppi);
    if (auto* win = dynamic_cast<TWinControl*>(&control))
        for (int i = 0; i < win->ControlCount(); ++i)
            FontsAt(*win->Controls(i), ppi);
}
} // namespace

void TQuorvel::Loaded() {
    TComponent::Loaded();
    if (Designing())
        return;
    TCustomForm* form = OwnerForm();
    if (!form)
        return; // only a form's layout is kept

    // Reference size. A form file without design values has none: the form's
    // current client size stands in for it.
    FReference.ClientWidth = FDesign.ClientWidth;
    FReference.ClientHeight = FDesign.ClientHeight;
    if (FReference.ClientWidth == 0)
        FReference.ClientWidth = form->ClientWidth();
    if (FReference.ClientHeight == 0)
        FReference.ClientHeight = form->ClientHeight();
    if (TStyleManager::IsCustomStyleActive()) {
        if (form->ClientWidth() != FReference.ClientWidth)
            FReference.ClientWidth = form->ClientWidth();
        if (form->ClientHeight() != FReference.ClientHeight)
            FReference.ClientHeight = form->ClientHeight();
    }

    // Run-time resolution. Without design values the form counts as designed at it.
    const TPoint dpi = ScreenDpi();
    FReference.RunDpiX = dpi.X;
    FReference.RunDpiY = dpi.Y;
    if (FDesign.DpiX == 0)
        FDesign.DpiX = dpi.X;
    if (FDesign.DpiY == 0)
        FDesign.DpiY = dpi.Y;
    FReference.DesignDpiX = FDesign.DpiX;
    FReference.DesignDpiY = FDesign.DpiY;
    const Core::TDpiRatios ratios = Core::DpiRatios(FDesign.DpiX, FDesign.DpiY, dpi.X, dpi.Y);

    // Only an instance that its form declares as a published field takes part.
    TComponent** self = form->FieldAddress(Name());
    if (!self)
        return;
    FHook->Register(self);

    FOwnerFormName = form->Name();
    FHook->SetWindow(form->Handle());

    // Form font, corrected for the resolution.
    FOwnerFont = GetFontSetting(*form);
    FFileFontSize = form->Font()->Size();
    form->Font()->SetSize(Core::StartupAdjust(form->Font()->Size(), ratios.X));
    if (FOwnerFont)
        FOwnerFont->SetSize(form->Font()->Size());

    // Records of the form's controls and of the controls of frames on the form.
    const int Count = form->ComponentCount();
    FRecords->SetResolution(FDesign.DpiX, FDesign.DpiY, dpi.X, dpi.Y);
    FRecords->Record(*form, Count, ratios.X);

    // Control bounds are corrected as the window's kind decides.
    FStartupBorder = BorderKind(form->BorderStyle());
    FStartupMaximized = form->WindowState() == wsMaximized;
    FStartupHasSize = FProps.FormSize.X != 0 || FProps.FormSize.Y != 0;
    const Core::TDpiRatios div =
        Core::BoundsDivisors(ratios, FStartupBorder, FStartupMaximized, FStartupHasSize);
    FRecords->ForEachRecorded(*form, Count, [&](const TControlRecords::TScaled& s) {
        TControl& control = *s.Control;
        const Core::TBounds b = Core::StartupBounds(s.Record->Reference, div);
        control.SetLeft(b.Left);
        control.SetTop(b.Top);
        control.SetWidth(b.Width);
        control.SetHeight(b.Height);
        s.Record->Reference =
            s.Record->Last = {control.Left(), control.Top(), control.Width(), control.Height()};
    });

    if (TMonitor* monitor = form->Monitor())
        FMaxSize = {monitor->Width(), monitor->Height()};

    if (Win32MajorVersion() >= 5)
        FHook->Subclass(FHook->Window());
}

void TQuorvel::RetakeRunDpi(int DpiX, int DpiY) {
    TCustomForm* form = OwnerForm();
    if (!form || !FRecords || !FOwnerFont || DpiX <= 0 || DpiY <= 0)
        return;
    FReference.RunDpiX = DpiX;
    FReference.RunDpiY = DpiY;
    FRecords->SetResolution(FDesign.DpiX, FDesign.DpiY, DpiX, DpiY);
    const Core::TDpiRatios ratios = Core::DpiRatios(FDesign.DpiX, FDesign.DpiY, DpiX, DpiY);

    // The form's font, then each control's own font in the form's order, as
    // start-up corrects them; a font taken from the parent is read back.
    FontsAt(*form, DpiX);
    form->Font()->SetSize(Core::StartupAdjust(FFileFontSize, ratios.X));
    FOwnerFont->SetSize(form->Font()->Size());
    FRecords->ForEachRecorded(
        *form, form->ComponentCount(), [&](const TControlRecords::TScaled& s) {
            TControl& control = *s.Control;
            TCtrlInfo& R = *s.Record;
            // Each value from the resolution it was recorded at; at that one it
            // comes back unchanged.
            const Core::TDpiRatios own = Core::DpiRatios(R.BaseDpiX, R.BaseDpiY, DpiX, DpiY);
            R.Reference = Core::StartupBounds(
                R.BaseBounds,
                Core::BoundsDivisors(own, FStartupBorder, FStartupMaximized, FStartupHasSize));
            if (!R.Font)
                return;
            R.ParentFont = R.OrgParentFont = control.ParentFont();
            if (!control.ParentFont())
                control.Font()->SetSize(
                    Core::StartupAdjust(R.BaseFontSize, Core::DpiRatio(R.BaseFontDpi, DpiX)));
            R.FontSize = R.LastFontSize = control.Font()->Size();
            R.Font->SetSize(R.FontSize);
        });
}

} // namespace Quorvel
