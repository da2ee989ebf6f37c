// TQuorvel: class information, construction, destruction and start-up.
#include "quorvel/component/Quorvel.h"

#include "quorvel/component/Interception.h"
#include "quorvel/core/Startup.h"
#include "quorvel/vcl/Filer.h"
#include "quorvel/vcl/SysInfo.h"

#include <algorithm>

namespace Quorvel {

using namespace Vcl;
using namespace Win32;

const TEnumInfo ResizeFormPosInfo{"TResizeFormPos",
                                  {"rpDefault", "rpTopLeft", "rpTopCenter", "rpTopRight",
                                   "rpMiddleLeft", "rpMiddleCenter", "rpMiddleRight",
                                   "rpBottomLeft", "rpBottomCenter", "rpBottomRight"}};

const TClassInfo& TQuorvel::StaticClass() {
    using Q = TQuorvel;
    // The ten ordinal properties declare no default, so they are always written.
    static const TClassInfo info{
        "TQuorvel",
        &TComponent::StaticClass(),
        {
            EnumProp<Q>("FormPos", ResizeFormPosInfo, &Q::FormPos, &Q::SetFormPos),
            IntProp<Q>("FormWidth", &Q::FormWidth, &Q::SetFormWidth),
            IntProp<Q>("FormHeight", &Q::FormHeight, &Q::SetFormHeight),
            IntProp<Q>("FormMaxWidth", &Q::FormMaxWidth, &Q::SetFormMaxWidth),
            IntProp<Q>("FormMaxHeight", &Q::FormMaxHeight, &Q::SetFormMaxHeight),
            IntProp<Q>("FormMinWidth", &Q::FormMinWidth, &Q::SetFormMinWidth),
            IntProp<Q>("FormMinHeight", &Q::FormMinHeight, &Q::SetFormMinHeight),
            BoolProp<Q>("ResizeFont", &Q::ResizeFont, &Q::SetResizeFont),
            StrProp<Q>("NoResizeFntCtl", &Q::NoResizeFntCtl, &Q::SetNoResizeFntCtl),
            StrProp<Q>("NoResizeCtl", &Q::NoResizeCtl, &Q::SetNoResizeCtl),
            BoolProp<Q>("Enabled", &Q::Enabled, &Q::SetEnabled),
            BoolProp<Q>("ValidTaskbar", &Q::ValidTaskbar, &Q::SetValidTaskbar),
            EventProp<Q>("OnExitResize", &Q::OnExitResize),
        },
        {},
        &CreateInstance<TQuorvel>};
    return info;
}

TQuorvel::TQuorvel(TComponent* AOwner) : TComponent(AOwner) {
    EnsureUnitStarted();
    LiveInstances().insert(this);

    // Always, also in the designer.
    FFormPos = rpDefault;
    FFormWidth = FFormHeight = 0;
    FFormMaxWidth = FFormMaxHeight = 0;
    FFormMinWidth = FFormMinHeight = 0;
    FResizeFont = true;
    FEnabled = true;
    FValidTaskbar = true;
    FDesignFrmW = FDesignFrmH = FDesignDpiW = FDesignDpiH = 0;

    if (Designing())
        return;
    FIsResized = false;
    FAddCnt = 0;
    FCtlCnt = 0;
    FPrevScaleX = FPrevScaleY = FPrevScaleF = 1.0;
    FCtrls = new TList;
    FNoResizeFntCtls = new TStringList;
    SetNoResizeFntCtls();
    FNoResizeCtls = new TStringList;
    SetNoResizeCtls();
    lpPrevWndProc = 0;
    FChildCtrls = new TList;
    FChildCtlCnt = 0;
    // One hook serves every instance of the thread; each instance holds a share.
    if (Win32MajorVersion() == 4)
        FHoldsHook = AcquireHook();
}

void TQuorvel::DisposeInfo(PCtrlInfo Info) {
    delete Info->Font;
    delete Info;
}

TQuorvel::~TQuorvel() {
    if (!Designing()) {
        for (void* item : *FCtrls)
            DisposeInfo(static_cast<PCtrlInfo>(item));
        FCtrls->Clear();
        delete FCtrls;
        delete FOwnerFont;
        FNoResizeFntCtls->Clear();
        delete FNoResizeFntCtls;
        FNoResizeCtls->Clear();
        delete FNoResizeCtls;
        // Leave the form's window as it was before this instance, where the chain
        // of procedures allows it, before leaving the registry.
        RestoreWndProc();
        if (FSelfPointer && InstanceList)
            InstanceList->Remove(FSelfPointer);
        for (void* item : *FChildCtrls)
            DisposeInfo(static_cast<PCtrlInfo>(item));
        FChildCtrls->Clear();
        delete FChildCtrls;
    }
    if (FHoldsHook)
        ReleaseHook();
    LiveInstances().erase(this);
}

Vcl::TCustomForm* TQuorvel::OwnerForm() const { return dynamic_cast<TCustomForm*>(Owner()); }

namespace {
int Adj(int value, double ratio) { return Core::StartupAdjust(value, ratio); }

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

    // Run-time resolution.
    HDC dc = GetDC(nullptr);
    FRunDpiW = GetDeviceCaps(dc, LOGPIXELSX);
    FRunDpiH = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    // Without design values the form counts as designed at this resolution.
    if (FDesignDpiW == 0)
        FDesignDpiW = FRunDpiW;
    if (FDesignDpiH == 0)
        FDesignDpiH = FRunDpiH;
    const Core::TDpiRatios ratios = Core::DpiRatios(FDesignDpiW, FDesignDpiH, FRunDpiW, FRunDpiH);
    const double RatioW = ratios.X;

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
    form->Font()->SetSize(Adj(form->Font()->Size(), RatioW));
    if (FOwnerFont)
        FOwnerFont->SetSize(form->Font()->Size());

    // Records of the form's controls and of the controls of frames on the form.
    const int Count = form->ComponentCount();
    int ChildSum = 0;
    auto makeRecord = [&](TControl* control) {
        auto* R = new TCtrlInfo;
        R->Name = control->Name();
        GetFontSetting(R->Font, control);
        R->ParentFont = true;
        R->OrgParentFont = true;
        if (R->Font) {
            R->ParentFont = R->OrgParentFont = control->ParentFont();
            if (!control->ParentFont())
                control->Font()->SetSize(Adj(control->Font()->Size(), RatioW));
            R->Font->SetSize(control->Font()->Size());
            R->OldFontSize = control->Font()->Size();
        }
        R->Left = control->Left();
        R->Top = control->Top();
        R->Width = control->Width();
        R->Height = control->Height();
        return R;
    };
    auto excluded = [&](TComponent* c) { return FNoResizeCtls->IndexOf(c->Name()) != -1; };
    for (int i = 0; i < Count; ++i) {
        TComponent* Comp = form->Components(i);
        int n = Comp->ComponentCount();
        if (n > 0) {
            ChildSum += n;
            if (!dynamic_cast<TFrame*>(Comp))
                n = 0;
        }
        auto* control = dynamic_cast<TControl*>(Comp);
        if (!control || excluded(Comp))
            continue;
        PCtrlInfo R = makeRecord(control);
        R->ChildCtlCnt = n;
        FCtrls->Add(R);
        for (int j = 0; j < n; ++j) {
            TComponent* Sub = Comp->Components(j);
            auto* subControl = dynamic_cast<TControl*>(Sub);
            if (!subControl || excluded(Sub))
                continue;
            PCtrlInfo R2 = makeRecord(subControl);
            R2->ParentName = Comp->Name();
            FChildCtrls->Add(R2);
        }
    }
    RecordsChanged();

    // Divisors for control geometry: a borderless or dialog form without a start
    // size keeps its bounds, unless it is a maximized borderless form.
    const Core::TDpiRatios div =
        Core::BoundsDivisors(ratios, BorderKind(form->BorderStyle()),
                             form->WindowState() == wsMaximized, FFormWidth != 0 || FFormHeight != 0);
    const double DivX = div.X, DivY = div.Y;

    // First geometry.
    auto applyFirst = [&](TControl* control, PCtrlInfo R) {
        control->SetLeft(Adj(R->Left, DivX));
        control->SetTop(Adj(R->Top, DivY));
        control->SetWidth(Adj(R->Width, DivX));
        control->SetHeight(Adj(R->Height, DivY));
        R->Left = R->OldLeft = control->Left();
        R->Top = R->OldTop = control->Top();
        R->Width = R->OldWidth = control->Width();
        R->Height = R->OldHeight = control->Height();
    };
    for (int i = 0; i < Count; ++i) {
        TComponent* Comp = form->Components(i);
        auto* control = dynamic_cast<TControl*>(Comp);
        if (!control || excluded(Comp))
            continue;
        PCtrlInfo R = FindCtrl(Comp->Name());
        if (!R)
            continue;
        applyFirst(control, R);
        if (Comp->ComponentCount() != 0 && dynamic_cast<TFrame*>(Comp)) {
            const int n = Comp->ComponentCount();
            for (int j = 0; j < n; ++j) {
                TComponent* Sub = Comp->Components(j);
                auto* subControl = dynamic_cast<TControl*>(Sub);
                if (!subControl || excluded(Sub))
                    continue;
                if (PCtrlInfo R2 = FindChildCtrl(Comp->Name(), Sub->Name()))
                    applyFirst(subControl, R2);
            }
        }
    }

    FCtlCnt = Count;
    FChildCtlCnt = ChildSum;

    if (TMonitor* monitor = form->Monitor())
        FMaxSize = {monitor->Width(), monitor->Height()};

    if (Win32MajorVersion() >= 5)
        InstallWndProc(FOwnerHandle);
}

TQuorvel::TState TQuorvel::State() const {
    TState s{};
    s.OwnerWidth = FOwnerWidth;
    s.OwnerHeight = FOwnerHeight;
    s.DesignFrmW = FDesignFrmW;
    s.DesignFrmH = FDesignFrmH;
    s.DesignDpiW = FDesignDpiW;
    s.DesignDpiH = FDesignDpiH;
    s.RunDpiW = FRunDpiW;
    s.RunDpiH = FRunDpiH;
    s.PrevScaleX = FPrevScaleX;
    s.PrevScaleY = FPrevScaleY;
    s.PrevScaleF = FPrevScaleF;
    s.IsResized = FIsResized;
    s.AddCnt = FAddCnt;
    s.CtlCnt = FCtlCnt;
    s.ChildCtlCnt = FChildCtlCnt;
    s.MaxSize = FMaxSize;
    s.Registered = FSelfPointer && InstanceList && InstanceList->IndexOf(FSelfPointer) >= 0;
    s.Subclassed = lpPrevWndProc != 0;
    s.OwnerHandle = FOwnerHandle;
    return s;
}

} // namespace Quorvel
