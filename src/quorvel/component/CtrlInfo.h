// One scaled control's record: its reference geometry and font size (at factor
// 1.0), what the component last gave it, its own copy of the control's font,
// its ParentFont state, and where it sits: on the form, or inside a frame on it.
#pragma once

#include "quorvel/core/Geometry.h"
#include "quorvel/vcl/Graphics.h"
#include "quorvel/vcl/SysUtils.h"

#include <memory>

namespace Quorvel {

struct TCtrlInfo {
    Vcl::String Name;        // the control's Name when recorded; the lookup key
    Core::TBounds Reference; // at factor 1.0
    Core::TBounds Last;      // as last recorded or set
    int FontSize = 0;        // reference font size in points; with a Font only
    int LastFontSize = 0;    // in points, as last recorded or set
    // The control's font when recorded, at the reference size; none when its
    // class publishes no Font.
    std::unique_ptr<Vcl::TFont> Font;
    bool ParentFont = true;    // as seen when recorded and at the start of each pass
    bool OrgParentFont = true; // the state FontSize was last taken for
    Vcl::String ParentName;    // owning frame's Name for a frame's child, else empty
    int ChildCtlCnt = 0;       // a frame's component count when recorded
};

using PCtrlInfo = TCtrlInfo*;

} // namespace Quorvel
