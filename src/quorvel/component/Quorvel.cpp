// TQuorvel: construction, destruction and the read access for tools and tests.
#include "quorvel/component/Quorvel.h"

#include "quorvel/component/Interception.h"
#include "quorvel/vcl/SysInfo.h"

namespace Quorvel {

using namespace Vcl;
using namespace Win32;

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
