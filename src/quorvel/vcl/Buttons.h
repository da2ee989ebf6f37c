// Speed buttons and bitmap buttons: buttons with a glyph.
#pragma once

#include "quorvel/vcl/StdCtrls.h"

namespace Vcl {

extern const TEnumInfo ButtonLayoutInfo; // blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom
extern const TEnumInfo BitBtnKindInfo;   // bkCustom, bkOK, ...
extern const TEnumInfo BitBtnStyleInfo;  // bsAutoDetect, bsWin31, bsNew

// A button without a window of its own, often on a tool bar or beside an edit.
class TSpeedButton : public TGraphicControl {
    QV_CLASS_INFO
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;
    TBitmap* Glyph() const { return FGlyph; }

private:
    TBitmap* FGlyph;
};

// A push button with a glyph and a kind (OK, Cancel, ...).
class TBitBtn : public TButton {
    QV_CLASS_INFO
public:
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;
    TBitmap* Glyph() const { return FGlyph; }

private:
    TBitmap* FGlyph;
};

} // namespace Vcl
