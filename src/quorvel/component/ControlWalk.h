// The one walk over the controls the component scales: the owner's components
// that are controls and not excluded by name, and for each frame among them
// whose visit asks for it, the frame's own controls that are not excluded. Only
// one level: controls of a frame inside a frame are not visited.
#pragma once

#include "quorvel/vcl/Controls.h"
#include "quorvel/vcl/Forms.h"
#include "quorvel/vcl/Lists.h"

namespace Quorvel {

// Visit(control, frame) is called with frame null for the owner's controls and
// returns whether to enter the control when it is a frame; for a frame's
// controls, frame is that frame and the result is ignored. Count is the number
// of the owner's components taken at the start; a frame's count is taken after
// its own visit.
template <class TVisit>
void WalkControls(Vcl::TComponent& Owner, int Count, const Vcl::TStringList& Excluded,
                  TVisit&& Visit) {
    for (int i = 0; i < Count; ++i) {
        auto* ctrl = dynamic_cast<Vcl::TControl*>(Owner.Components(i));
        if (!ctrl || Excluded.IndexOf(ctrl->Name()) != -1)
            continue;
        if (!Visit(ctrl, static_cast<Vcl::TControl*>(nullptr)))
            continue;
        if (ctrl->ComponentCount() == 0 || !dynamic_cast<Vcl::TFrame*>(ctrl))
            continue;
        const int n = ctrl->ComponentCount();
        for (int j = 0; j < n; ++j) {
            auto* child = dynamic_cast<Vcl::TControl*>(ctrl->Components(j));
            if (!child || Excluded.IndexOf(child->Name()) != -1)
                continue;
            Visit(child, ctrl);
        }
    }
}

} // namespace Quorvel
