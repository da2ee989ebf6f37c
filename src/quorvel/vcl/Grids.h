// Grids: a grid the program draws, and one of strings.
#pragma once

#include "quorvel/vcl/StdCtrls.h"

namespace Vcl {

extern const TEnumInfo GridOptionsInfo;      // goFixedVertLine, ...
extern const TEnumInfo GridDrawingStyleInfo; // gdsClassic, gdsThemed, gdsGradient

class TCustomGrid : public TCustomControl {
    QV_CLASS_INFO
public:
    explicit TCustomGrid(TComponent* owner);
    // Column widths and row heights that differ from the defaults, kept as read.
    void DefineProperties(TFiler& filer) override;
};

class TDrawGrid : public TCustomGrid {
    QV_CLASS_INFO
public:
    using TCustomGrid::TCustomGrid;
};

class TStringGrid : public TDrawGrid {
    QV_CLASS_INFO
public:
    using TDrawGrid::TDrawGrid;
};

} // namespace Vcl
