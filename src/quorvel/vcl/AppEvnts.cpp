#include "quorvel/vcl/AppEvnts.h"

#include "quorvel/vcl/Published.h"
#include "quorvel/vcl/StdCtrls.h"

namespace Vcl {

const TClassInfo& TCustomApplicationEvents::StaticClass() {
    static const TClassInfo info{
        "TCustomApplicationEvents", &TComponent::StaticClass(), {}, {}, nullptr};
    return info;
}

const TClassInfo& TApplicationEvents::StaticClass() {
    static const TClassInfo info{
        "TApplicationEvents",
        &TCustomApplicationEvents::StaticClass(),
        StdProps::WithEvents({}, {"OnActionExecute", "OnActionUpdate", "OnActivate", "OnDeactivate",
                                  "OnException", "OnGetActiveFormHandle", "OnGetMainFormHandle",
                                  "OnHelp", "OnHint", "OnIdle", "OnMessage", "OnMinimize",
                                  "OnModalBegin", "OnModalEnd", "OnRemoteSessionChanged",
                                  "OnRestore", "OnSettingChange", "OnShortCut", "OnShowHint"}),
        {},
        &CreateInstance<TApplicationEvents>};
    return info;
}

} // namespace Vcl
