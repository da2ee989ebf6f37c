// Where the designer shows a non-visual component (a timer, a menu, a dialog) on
// its form. Form files keep it as two defined properties, Left and Top, written
// after the published ones.
#pragma once

#include "quorvel/vcl/Component.h"
#include "quorvel/vcl/Filer.h"

namespace Vcl {

struct TDesignInfo {
    int Left = 0;
    int Top = 0;
};

// Defines Left and Top for the component; both are written when either is not 0,
// or, for a component of an inherited form, differs from the ancestor's.
void DefineDesignInfo(TFiler& filer, TDesignInfo& info, const TDesignInfo* ancestor = nullptr);

} // namespace Vcl
