#include "Sweep.h"

#include "quorvel/component/Quorvel.h"
#include "quorvel/win/sim/SimDesktop.h"

#include <string>

namespace QuorvelTool {

using Quorvel::TQuorvel;

TSizeLimits FormLimits(Vcl::TCustomForm& form) {
    TSizeLimits limits;
    const Vcl::TRect window = form.BoundsRect();
    limits.DesignWidth = window.Width();
    limits.DesignHeight = window.Height();
    // The component's limits win over the form's constraints; a limit counts only
    // with both of its sides.
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* q = dynamic_cast<TQuorvel*>(form.Components(i))) {
            if (q->FormMinWidth() > 0 && q->FormMinHeight() > 0) {
                limits.MinWidth = q->FormMinWidth();
                limits.MinHeight = q->FormMinHeight();
            }
            if (q->FormMaxWidth() > 0 && q->FormMaxHeight() > 0) {
                limits.MaxWidth = q->FormMaxWidth();
                limits.MaxHeight = q->FormMaxHeight();
            }
        }
    Vcl::TSizeConstraints& constraints = *form.Constraints();
    if (!limits.MinWidth && constraints.MinWidth() > 0 && constraints.MinHeight() > 0) {
        limits.MinWidth = constraints.MinWidth();
        limits.MinHeight = constraints.MinHeight();
    }
    if (!limits.MaxWidth && constraints.MaxWidth() > 0 && constraints.MaxHeight() > 0) {
        limits.MaxWidth = constraints.MaxWidth();
        limits.MaxHeight = constraints.MaxHeight();
    }
    const Win32::RECT work = Sim::TDesktop::Current().WorkArea(0);
    limits.WorkWidth = work.right - work.left;
    limits.WorkHeight = work.bottom - work.top;
    return limits;
}

TAction ResizeAction(TActionKind kind, int width, int height) {
    return ParseActions({kind == TActionKind::Client ? "client" : "outer",
                         std::to_string(width) + "x" + std::to_string(height)})
        .front();
}

std::vector<TAction> SweepActions(const TSizeLimits& limits, int steps) {
    std::vector<TAction> actions;
    if (steps < 1)
        steps = 1;
    auto between = [steps](int a, int b, int k) { return a + (b - a) * k / steps; };
    for (int k = 0; k <= steps; ++k)
        actions.push_back(ResizeAction(TActionKind::Outer,
                                       between(limits.LowWidth(), limits.HighWidth(), k),
                                       between(limits.LowHeight(), limits.HighHeight(), k)));
    return actions;
}

} // namespace QuorvelTool
