// Starting the component on a form made in code, the way the form-file reader
// starts one it has read.
#include "quorvel/component/Quorvel.h"

#include <memory>
#include <string>

namespace Quorvel {

using namespace Vcl;

namespace {
String FreeName(const TComponent& owner) {
    for (int n = 1;; ++n) {
        String name = "Quorvel" + std::to_string(n);
        if (!owner.FindComponent(name))
            return name;
    }
}
} // namespace

TQuorvel* TQuorvel::Attach(TCustomForm& Form, const TDesignValues& Design,
                           const std::function<void(TQuorvel&)>& Configure, const String& Name) {
    // The form owns the component once it is started; until then a refusal must
    // take it away again.
    auto component = std::make_unique<TQuorvel>(&Form);
    component->SetName(Name.empty() ? FreeName(Form) : Name);
    component->SetLoadingState(true);
    component->SetReadingState(true);
    if (Configure)
        Configure(*component);
    component->FDesign = Design;
    component->SetReadingState(false);

    // The component takes part only through a published field of its form.
    Form.Fields().Add(component->Name(), component.get());
    TQuorvel* started = component.release();
    started->Loaded();
    return started;
}

} // namespace Quorvel
