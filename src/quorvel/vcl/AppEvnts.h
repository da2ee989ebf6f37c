// Application events: a non-visual component that hands the application's
// events to handlers on a form.
#pragma once

#include "quorvel/vcl/Component.h"

namespace Vcl {

class TCustomApplicationEvents : public TComponent {
    QV_CLASS_INFO
public:
    using TComponent::TComponent;
};

class TApplicationEvents : public TCustomApplicationEvents {
    QV_CLASS_INFO
public:
    using TCustomApplicationEvents::TCustomApplicationEvents;
};

} // namespace Vcl
