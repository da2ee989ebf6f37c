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
    // What the reference is made again from when the run-time resolution is
    // taken again: the bounds and font size the form file gave the control (at
    // the design resolution), or, for a control recorded later or a font it
    // took from its parent, what was recorded at the resolution of that moment.
    Core::TBounds BaseBounds;
    int BaseFontSize = 0;
    int BaseDpiX = 0, BaseDpiY = 0, BaseFontDpi = 0;
};

using PCtrlInfo = TCtrlInfo*;

} // namespace Quorvel
