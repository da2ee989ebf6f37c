// Panels, images, shapes, bevels and timers; splitters, radio groups, paint boxes,
// colour boxes, edits with buttons, link labels and tray icons.
#pragma once

#include "quorvel/vcl/DesignInfo.h"
#include "quorvel/vcl/StdCtrls.h"

#include <cstdint>
#include <vector>

namespace Vcl {

extern const TEnumInfo VerticalAlignmentInfo; // taAlignTop, taAlignBottom, taVerticalCenter
extern const TEnumInfo BrushStyleInfo;        // bsSolid, bsClear, ...
extern const TEnumInfo PenStyleInfo;          // psSolid, psDash, ...
extern const TEnumInfo PenModeInfo;           // pmBlack, ..., pmCopy, ...
extern const TEnumInfo ShapeTypeInfo;         // stRectangle, ...
extern const TEnumInfo BevelShapeInfo;        // bsBox, bsFrame, ...
extern const TEnumInfo BevelStyleInfo;        // bsLowered, bsRaised

// A panel lays its children out inside its border width and bevels; BorderStyle
// bsSingle gives its window a frame of its own.
class TCustomPanel : public TCustomControl {
    QV_CLASS_INFO
public:
    explicit TCustomPanel(TComponent* owner);

protected:
    void FrameStyles(Win32::DWORD& style, Win32::DWORD& exStyle) const override;
    void AdjustClientRect(TRect& rect) const override;
};

class TPanel : public TCustomPanel {
    QV_CLASS_INFO
public:
    using TCustomPanel::TCustomPanel;
};

// An image's picture.
class TPicture : public TGraphicData {
    QV_CLASS_INFO
};

class TImage : public TGraphicControl {
    QV_CLASS_INFO
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;
    TPicture* Picture() const { return FPicture; }

private:
    TPicture* FPicture;
};

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TBrush : public TPersistent {
    QV_CLASS_INFO
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);
    void Assign(const TPersistent& source) override;
    TNotifyEvent OnChange;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

class TPen : public TPersistent {
    QV_CLASS_INFO
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Mode() const { return FMode; }
    void SetMode(int value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    int Width() const { return FWidth; }
    // Widths below 1 are refused.
    void SetWidth(int value);
    void Assign(const TPersistent& source) override;
    TNotifyEvent OnChange;

private:
    void Changed() { OnChange(this); }
    TColor FColor = clBlack;
    int FMode = 4; // pmCopy
    TPenStyle FStyle = psSolid;
    int FWidth = 1;
};

class TShape : public TGraphicControl {
    QV_CLASS_INFO
public:
    explicit TShape(TComponent* owner);
    ~TShape() override;
    TBrush* Brush() const { return FBrush; }
    TPen* Pen() const { return FPen; }
    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType value) { FShape = value; }

private:
    TBrush* FBrush;
    TPen* FPen;
    TShapeType FShape = stRectangle;
};

class TBevel : public TGraphicControl {
    QV_CLASS_INFO
public:
    explicit TBevel(TComponent* owner);
};

// A timer. It keeps its settings; nothing here makes it fire, a host calls
// Timer() when the interval has passed.
class TTimer : public TComponent {
    QV_CLASS_INFO
public:
    explicit TTimer(TComponent* owner);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    int Interval() const { return FInterval; }
    // Negative intervals are refused.
    void SetInterval(int value);
    void Timer();
    TNotifyEvent OnTimer;
    TDesignInfo& DesignInfo() { return FDesignInfo; }
    void DefineProperties(TFiler& filer) override;

private:
    bool FEnabled = true;
    int FInterval = 1000;
    TDesignInfo FDesignInfo;
};

// ---- Splitters, radio groups, paint boxes -------------------------------------------------

extern const TEnumInfo ResizeStyleInfo; // rsNone, rsLine, rsUpdate, rsPattern
extern const TEnumInfo ColorBoxStyleInfo;

// A bar the user drags to resize the control before it; it is a control like
// any other and aligns itself to the left of its parent by default.
class TSplitter : public TGraphicControl {
    QV_CLASS_INFO
public:
    explicit TSplitter(TComponent* owner);
};

class TCustomRadioGroup : public TCustomGroupBox {
    QV_CLASS_INFO
public:
    explicit TCustomRadioGroup(TComponent* owner);
};

class TRadioGroup : public TCustomRadioGroup {
    QV_CLASS_INFO
public:
    using TCustomRadioGroup::TCustomRadioGroup;
};

class TPaintBox : public TGraphicControl {
    QV_CLASS_INFO
public:
    explicit TPaintBox(TComponent* owner);
};

class TColorBox : public TComboBox {
    QV_CLASS_INFO
public:
    explicit TColorBox(TComponent* owner);
};

class TButtonedEdit : public TEdit {
    QV_CLASS_INFO
public:
    using TEdit::TEdit;
};

class TLinkLabel : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TLinkLabel(TComponent* owner);
};

// An icon in the notification area: a non-visual component.
class TTrayIcon : public TComponent {
    QV_CLASS_INFO
public:
    explicit TTrayIcon(TComponent* owner);
    ~TTrayIcon() override;
    TIcon* Icon() const { return FIcon; }

private:
    TIcon* FIcon;
};

} // namespace Vcl
