// Action lists and their actions: non-visual components. An action nests inside
// its list in a form file; the form owns both.
#pragma once

#include "quorvel/vcl/Component.h"

namespace Vcl {

extern const TEnumInfo ActionListStateInfo; // asNormal, asSuspended, asSuspendedEnabled

class TCustomActionList : public TComponent {
    QV_CLASS_INFO
public:
    using TComponent::TComponent;
};

class TActionList : public TCustomActionList {
    QV_CLASS_INFO
public:
    using TCustomActionList::TCustomActionList;
};

class TContainedAction : public TComponent {
    QV_CLASS_INFO
public:
    using TComponent::TComponent;
    // The list the action belongs to: the component it nests in.
    TCustomActionList* ActionList() const {
        return dynamic_cast<TCustomActionList*>(GetParentComponent());
    }
};

class TAction : public TContainedAction {
    QV_CLASS_INFO
public:
    using TContainedAction::TContainedAction;
};

} // namespace Vcl
