// Start-up (Loaded): the reference size and resolution, the records of every
// control, the one-time correction for a resolution other than the designer's,
// and the interception of the form's window.
#include "quorvel/core/Startup.h"
#include "quorvel/component/ControlWalk.h"
#include "quorvel/component/Interception.h"
#include "quorvel/component/Placement.h"
#include "quorvel/vcl/SysInfo.h"

namespace Quorvel {

using namespace Vcl;
using namespace Win32;

namespace {
Core::TBorderKind BorderKind(TFormBorderStyle border) {
    return border == bsNone ? Core::bkNone : border == bsDialog ? Core::bkDialog : Core::bkSizeable;
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
    FOwnerWidth = FDesignFrmW;
    FOwnerHeight = FDesignFrmH;
    if (FOwnerWidth == 0)
        FOwnerWidth = form->ClientWidth();
    if (FOwnerHeight == 0)
        FOwnerHeight = form->ClientHeight();
    if (TStyleManager::IsCustomStyleActive()) {
        if (form->ClientWidth() != FOwnerWidth)
            FOwnerWidth = form->ClientWidth();
        if (form->ClientHeight() != FOwnerHeight)
            FOwnerHeight = form->ClientHeight();
    }

    // Run-time resolution. Without design values the form counts as designed at it.
    const TPoint dpi = ScreenDpi();
    FRunDpiW = dpi.X;
    FRunDpiH = dpi.Y;
    if (FDesignDpiW == 0)
        FDesignDpiW = FRunDpiW;
    if (FDesignDpiH == 0)
        FDesignDpiH = FRunDpiH;
    const Core::TDpiRatios ratios = Core::DpiRatios(FDesignDpiW, FDesignDpiH, FRunDpiW, FRunDpiH);

    // Only an instance that its form declares as a published field takes part.
    FSelfPointer = form->FieldAddress(Name());
    if (!FSelfPointer)
        return;
    if (InstanceList)
        InstanceList->Add(FSelfPointer);

    FOwnerFormName = form->Name();
    FOwnerHandle = form->Handle();

    // Form font, corrected for the resolution.
    GetFontSetting(FOwnerFont, form);
    form->Font()->SetSize(Core::StartupAdjust(form->Font()->Size(), ratios.X));
    if (FOwnerFont)
        FOwnerFont->SetSize(form->Font()->Size());

    // Records of the form's controls and of the controls of frames on the form.
    const int Count = form->ComponentCount();
    WalkControls(*form, Count, *FNoResizeCtls, [&](TControl* control, TControl* frame) {
        if (frame) {
            NewCtrlInfo(control, frame->Name(), 0, &ratios.X);
            return true;
        }
        const int n = dynamic_cast<TFrame*>(control) ? control->ComponentCount() : 0;
        NewCtrlInfo(control, String(), n, &ratios.X);
        return true;
    });
    RecordsChanged();

    // Control bounds are corrected as the window's kind decides.
    const Core::TDpiRatios div = Core::BoundsDivisors(ratios, BorderKind(form->BorderStyle()),
                                                      form->WindowState() == wsMaximized,
                                                      FFormWidth != 0 || FFormHeight != 0);
    WalkControls(*form, Count, *FNoResizeCtls, [&](TControl* control, TControl* frame) {
        PCtrlInfo R =
            frame ? FindChildCtrl(frame->Name(), control->Name()) : FindCtrl(control->Name());
        if (!R)
            return false;
        const Core::TBounds b = Core::StartupBounds({R->Left, R->Top, R->Width, R->Height}, div);
        control->SetLeft(b.Left);
        control->SetTop(b.Top);
        control->SetWidth(b.Width);
        control->SetHeight(b.Height);
        R->Left = R->OldLeft = control->Left();
        R->Top = R->OldTop = control->Top();
        R->Width = R->OldWidth = control->Width();
        R->Height = R->OldHeight = control->Height();
        return true;
    });

    FCtlCnt = Count;
    FChildCtlCnt = NestedCount(Count);

    if (TMonitor* monitor = form->Monitor())
        FMaxSize = {monitor->Width(), monitor->Height()};

    if (Win32MajorVersion() >= 5)
        InstallWndProc(FOwnerHandle);
}

} // namespace Quorvel
