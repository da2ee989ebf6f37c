#include "quorvel/vcl/ActnList.h"

#include "quorvel/vcl/Controls.h"
#include "quorvel/vcl/Published.h"

namespace Vcl {

const TEnumInfo ActionListStateInfo{"TActionListState",
                                    {"asNormal", "asSuspended", "asSuspendedEnabled"}};

namespace P = Vcl::Published;

const TClassInfo& TCustomActionList::StaticClass() {
    static const TClassInfo info{"TCustomActionList", &TComponent::StaticClass(), {}, {}, nullptr};
    return info;
}

const TClassInfo& TActionList::StaticClass() {
    static const TClassInfo info{"TActionList",
                                 &TCustomActionList::StaticClass(),
                                 {
                                     P::PlainRef("Images"),
                                     P::PlainEnum("State", ActionListStateInfo, 0),
                                     P::Event("OnChange"),
                                     P::Event("OnExecute"),
                                     P::Event("OnStateChange"),
                                     P::Event("OnUpdate"),
                                 },
                                 {},
                                 &CreateInstance<TActionList>};
    return info;
}

const TClassInfo& TContainedAction::StaticClass() {
    static const TClassInfo info{
        "TContainedAction", &TComponent::StaticClass(), {P::PlainString("Category")}, {}, nullptr};
    return info;
}

const TClassInfo& TAction::StaticClass() {
    static const TClassInfo info{"TAction",
                                 &TContainedAction::StaticClass(),
                                 {
                                     P::PlainBool("AutoCheck", false),
                                     P::PlainString("Caption"),
                                     P::PlainBool("Checked", false),
                                     P::PlainBool("Enabled", true),
                                     P::PlainInt("GroupIndex", 0),
                                     P::PlainInt("HelpContext", 0),
                                     P::PlainString("HelpKeyword"),
                                     P::PlainEnum("HelpType", HelpTypeInfo, htKeyword),
                                     P::PlainString("Hint"),
                                     P::PlainInt("ImageIndex", -1),
                                     P::PlainString("ImageName"),
                                     P::Strings("SecondaryShortCuts"),
                                     P::PlainInt("ShortCut", 0),
                                     P::PlainBool("Visible", true),
                                     P::Event("OnExecute"),
                                     P::Event("OnHint"),
                                     P::Event("OnUpdate"),
                                 },
                                 {},
                                 &CreateInstance<TAction>};
    return info;
}

} // namespace Vcl
