// The sizes a form is resized through to see how its layout holds: its limits
// (the component's minimum and maximum, else the form's constraints, else the
// design size and the work area) and the sizes between them.
#pragma once

#include "Actions.h"
#include "quorvel/vcl/Forms.h"

#include <vector>

namespace QuorvelTool {

struct TSizeLimits {
    int DesignWidth = 0, DesignHeight = 0; // the window as shown
    int MinWidth = 0, MinHeight = 0;       // 0: no minimum
    int MaxWidth = 0, MaxHeight = 0;       // 0: no maximum
    int WorkWidth = 0, WorkHeight = 0;     // the primary monitor's work area

    // Where a sweep starts and ends: the minimum or the design size, the maximum
    // or the work area.
    int LowWidth() const { return MinWidth ? MinWidth : DesignWidth; }
    int LowHeight() const { return MinHeight ? MinHeight : DesignHeight; }
    int HighWidth() const { return MaxWidth ? MaxWidth : WorkWidth; }
    int HighHeight() const { return MaxHeight ? MaxHeight : WorkHeight; }
};

// The window sizes of a shown form on the current desktop.
TSizeLimits FormLimits(Vcl::TCustomForm& form);

constexpr int SweepSteps = 12;

// Outer resizes from the low to the high end, steps + 1 of them.
std::vector<TAction> SweepActions(const TSizeLimits& limits, int steps = SweepSteps);

// An `outer WxH` or `client WxH` action.
TAction ResizeAction(TActionKind kind, int width, int height);

} // namespace QuorvelTool
