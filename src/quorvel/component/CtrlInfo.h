// One scaled control's record: its reference geometry (its bounds at scale 1.0),
// the geometry and font size the component last gave it, its own copy of the
// control's font (whose size is the reference font size), its ParentFont state,
// and where it sits: on the form, or inside a frame on the form.
#pragma once

#include "quorvel/vcl/Graphics.h"
#include "quorvel/vcl/SysUtils.h"

#include <cstdint>

namespace Quorvel {

struct TCtrlInfo {
    Vcl::String Name;      // the control's Name when recorded; the lookup key
    std::int32_t Left = 0; // reference bounds at scale 1.0
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t OldLeft = 0; // bounds as last recorded or set
    std::int32_t OldTop = 0;
    std::int32_t OldWidth = 0;
    std::int32_t OldHeight = 0;
    std::int32_t OldFontSize = 0;
    Vcl::TFont* Font = nullptr; // owned copy; nil when the class publishes no Font
    bool ParentFont = false;
    bool OrgParentFont = false;
    Vcl::String ParentName; // owning frame's Name for a frame's child, else empty
    std::int32_t ChildCtlCnt = 0;
};

using PCtrlInfo = TCtrlInfo*;

} // namespace Quorvel
