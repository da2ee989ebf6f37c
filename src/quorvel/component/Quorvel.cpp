// TQuorvel: construction, destruction, the read access for tools and tests, and
// the registration of its class for form files.
#include "quorvel/component/Quorvel.h"

#include "quorvel/component/ControlRecords.h"
#include "quorvel/component/FormHook.h"
#include "quorvel/vcl/ClassRegistry.h"
#include "quorvel/vcl/SysInfo.h"

namespace Quorvel {

using namespace Vcl;

// Form files name the class. The build links this object into every program
// that links the component (the component library's link option naming
// QuorvelClassLink), so the reader knows the class before any call.
extern "C" const int QuorvelClassLink;
extern "C" const int QuorvelClassLink = (RegisterClass(TQuorvel::StaticClass()), 1);

TQuorvel::TQuorvel(TComponent* AOwner)
    : TComponent(AOwner), FHook(std::make_unique<TFormHook>(*this)) {
    // The properties' defaults (TProperties) hold in the designer too; the
    // records and the lists exist only at run time.
    if (Designing())
        return;
    FRecords = std::make_unique<TControlRecords>();
    // One hook serves every instance of the thread; each instance holds a share.
    if (Win32MajorVersion() == 4)
        FHook->AcquireHook();
}

TQuorvel::~TQuorvel() {
    FRecords.reset();
    FOwnerFont.reset();
    FHook.reset();
}

Vcl::TCustomForm* TQuorvel::OwnerForm() const { return dynamic_cast<TCustomForm*>(Owner()); }

void TQuorvel::DynamicAdd() {
    if (FRecords && Owner())
        FRecords->AddNew(*Owner(), FPrevious);
}

void TQuorvel::DynamicDelete() {
    if (FRecords && Owner())
        FRecords->RemoveDeleted(*Owner());
}

TQuorvel::TState TQuorvel::State() const {
    TState s{};
    s.OwnerWidth = FReference.ClientWidth;
    s.OwnerHeight = FReference.ClientHeight;
    s.DesignFrmW = FDesign.ClientWidth;
    s.DesignFrmH = FDesign.ClientHeight;
    s.DesignDpiW = FDesign.DpiX;
    s.DesignDpiH = FDesign.DpiY;
    s.RunDpiW = FReference.RunDpiX;
    s.RunDpiH = FReference.RunDpiY;
    s.PrevScaleX = FPrevious.X;
    s.PrevScaleY = FPrevious.Y;
    s.PrevScaleF = FPrevious.Font;
    s.IsResized = FIsResized;
    if (FRecords) {
        s.AddCnt = FRecords->AddCnt();
        s.CtlCnt = FRecords->CtlCnt();
        s.ChildCtlCnt = FRecords->ChildCtlCnt();
    }
    s.MaxSize = FMaxSize;
    s.Registered = FHook->Registered();
    s.Subclassed = FHook->Subclassed();
    s.OwnerHandle = FHook->Window();
    return s;
}

const Vcl::TList* TQuorvel::Ctrls() const { return FRecords ? &FRecords->Ctrls() : nullptr; }

const Vcl::TList* TQuorvel::ChildCtrls() const {
    return FRecords ? &FRecords->ChildCtrls() : nullptr;
}

const Vcl::TStringList* TQuorvel::NoResizeCtls() const {
    return FRecords ? &FRecords->Excluded() : nullptr;
}

const Vcl::TStringList* TQuorvel::NoResizeFntCtls() const {
    return FRecords ? &FRecords->FixedFont() : nullptr;
}

} // namespace Quorvel
