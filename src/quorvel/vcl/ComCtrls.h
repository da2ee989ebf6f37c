// The common controls: page controls with their tab sheets, list and tree views,
// status bars, tool bars, track bars, up-down buttons, progress bars, rich edits,
// date and time pickers; and scroll boxes.
#pragma once

#include "quorvel/vcl/Forms.h"
#include "quorvel/vcl/StdCtrls.h"

namespace Vcl {

class TPageControl;

// What a tab or page control's tabs measured last, kept while the font and the
// captions stay: realigning would otherwise measure every caption again.
struct TTabMeasures {
    // What the widths depend on besides the captions.
    struct TKey {
        String FontName;
        int FontHeight = 0, PixelsPerInch = 0;
        bool FollowsMonitor = false;
        TFontStyles Style = 0;
        int Charset = 0;
        TFontPitch Pitch = fpDefault;
        int Orientation = 0;
        TFontQuality Quality{};
        int LineHeight = 0, FixedWidth = 0, ImageWidth = 0;
        bool operator==(const TKey&) const = default;
    };
    TKey Key;
    std::vector<String> Captions;
    std::vector<int> Widths;
};

extern const TEnumInfo TabPositionInfo; // tpTop, tpBottom, tpLeft, tpRight
extern const TEnumInfo TabStyleInfo;    // tsTabs, tsButtons, tsFlatButtons

// One page of a page control: its parent is the page control, which gives it the
// area below the tabs.
class TTabSheet : public TCustomControl {
    QV_CLASS_INFO
public:
    explicit TTabSheet(TComponent* owner);
    TPageControl* PageControl() const;
    void SetPageControl(TPageControl* pageControl);
    // The sheet's place among the pages of its page control, -1 without one.
    int PageIndex() const;
    void SetParent(TWinControl* parent) override;
};

class TPageControl : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TPageControl(TComponent* owner);
    int PageCount() const;
    TTabSheet* Pages(int index) const;
    // The page shown: a name, resolved among the owner's components.
    const String& ActivePageName() const { return FActivePage; }
    void SetActivePageName(const String& name);
    TTabSheet* ActivePage() const;
    void SetActivePage(TTabSheet* page);
    // The area the sheets take, in the page control's client coordinates: inside
    // the frame and clear of the tabs of the sheets that show one.
    TRect DisplayRect() const;
    // Places every sheet on the display area.
    void LayoutSheets();
    void Loaded() override;
    TTabMeasures& TabMeasures() const { return FTabMeasures; }

protected:
    void BoundsChanged() override;
    void UpdateBounds(const Win32::WINDOWPOS& pos) override;
    void AdjustClientRect(TRect& rect) const override;

private:
    // The sheets among the controls, in their order, remade when those change.
    const std::vector<TTabSheet*>& Sheets() const;

    String FActivePage;
    mutable std::vector<TTabSheet*> FSheets;
    mutable std::uint64_t FSheetsVersion = ~std::uint64_t{0};
    mutable TTabMeasures FTabMeasures;
};

// A control that scrolls its children; its own window class.
class TScrollBox : public TScrollingWinControl {
    QV_CLASS_INFO
public:
    explicit TScrollBox(TComponent* owner);
    // Anchored children keep their distances to the bars, as to the edges.
    TPoint AnchorClientSize() const override;

protected:
    void FrameStyles(Win32::DWORD& style, Win32::DWORD& exStyle) const override;
    // Inside the border, less the scroll bars AutoScroll shows.
    void AdjustClientRect(TRect& rect) const override;
};

// ---- Views, bars and pickers ------------------------------------------------------------

extern const TEnumInfo ViewStyleInfo; // vsIcon, vsSmallIcon, vsList, vsReport
extern const TEnumInfo SortTypeInfo;  // stNone, stData, stText, stBoth
extern const TEnumInfo StatusPanelStyleInfo;
extern const TEnumInfo ToolButtonStyleInfo; // tbsButton, tbsCheck, tbsDropDown, tbsSeparator, ...

class TCustomListView : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TCustomListView(TComponent* owner);
};

class TListView : public TCustomListView {
    QV_CLASS_INFO
public:
    using TCustomListView::TCustomListView;
};

class TCustomTreeView : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TCustomTreeView(TComponent* owner);
};

class TTreeView : public TCustomTreeView {
    QV_CLASS_INFO
public:
    using TCustomTreeView::TCustomTreeView;
};

// A status bar aligns itself to the bottom of its parent.
class TStatusBar : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TStatusBar(TComponent* owner);
};

class TToolButton;

// A tool bar aligns itself to the top of its parent and sizes its buttons.
class TToolBar : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TToolBar(TComponent* owner);
    int ButtonWidth() const;
    int ButtonHeight() const;
    // Gives every button the bar's button size (separators keep their width).
    void SizeButtons();
    void Loaded() override;

protected:
    // AutoSize across the parent: as high as its rows of buttons and its edges.
    void AdjustSize(int& left, int& top, int& width, int& height) override;
};

class TToolButton : public TGraphicControl {
    QV_CLASS_INFO
public:
    explicit TToolButton(TComponent* owner);
    // Separators and dividers store their width; buttons take the bar's.
    bool IsSeparator() const;
    TToolBar* ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }
};

// Bands across the top of its parent, each holding one control; rows of bands
// break where a band asks to or where the row has no room left for it.
class TCoolBar : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TCoolBar(TComponent* owner);
    // Its edges lie outside the client area, as the framework's tool windows
    // draw them: the bands and their controls lie inside.
    int ClientWidth() const override;
    int ClientHeight() const override;

protected:
    // AutoSize across the parent: as high as its rows of bands and its edges.
    void AdjustSize(int& left, int& top, int& width, int& height) override;
    // Each band's control inside its band, after the aligned ones.
    void AlignControls() override;

private:
    struct TBandPlace {
        TControl* Control = nullptr;
        TRect Bounds;
        bool PlacesControl = false;
    };
    // The visible bands laid out in rows, in client coordinates; empty when
    // the bar's look asks for numbers the bands do not give (see Layout).
    std::vector<TBandPlace> Layout(int clientWidth, int& rowsHeight) const;
    TRect EdgeInsets() const;
};

class TTrackBar : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TTrackBar(TComponent* owner);
};

class TCustomUpDown : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TCustomUpDown(TComponent* owner);
};

class TUpDown : public TCustomUpDown {
    QV_CLASS_INFO
public:
    using TCustomUpDown::TCustomUpDown;
};

class TProgressBar : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TProgressBar(TComponent* owner);
};

// A memo with formatted text; its lines are plain text here.
class TRichEdit : public TMemo {
    QV_CLASS_INFO
public:
    explicit TRichEdit(TComponent* owner);
};

class TCommonCalendar : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TCommonCalendar(TComponent* owner);
};

class TDateTimePicker : public TCommonCalendar {
    QV_CLASS_INFO
public:
    explicit TDateTimePicker(TComponent* owner);
};

class TMonthCalendar : public TCommonCalendar {
    QV_CLASS_INFO
public:
    explicit TMonthCalendar(TComponent* owner);
};

class THotKey : public TWinControl {
    QV_CLASS_INFO
public:
    explicit THotKey(TComponent* owner);
};

// Tabs without pages: its children lie in the display area below the tabs.
class TTabControl : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TTabControl(TComponent* owner);
    TTabMeasures& TabMeasures() const { return FTabMeasures; }

protected:
    void AdjustClientRect(TRect& rect) const override;

private:
    mutable TTabMeasures FTabMeasures;
};

// The widths of the tabs a page or tab control shows, as the framework lays them
// out, when they stay in one row (not MultiLine, tabs at the top or bottom); empty
// otherwise and for other controls. Wider than the control, they scroll.
std::vector<int> OneRowTabWidths(const TWinControl& control);

// The tabs of a page or tab control as the framework lays them out: each shown
// tab's width and row (0 is the first tab's row; Windows draws the selected
// tab's row next to the display area), the height of a row and of the images.
struct TTabStrip {
    std::vector<String> Captions;
    std::vector<int> Widths;
    std::vector<int> Rows;
    int RowCount = 0;
    int RowHeight = 0;
    int ImageWidth = 0, ImageHeight = 0;
    bool MultiLine = false;
    bool RaggedRight = false;
};
TTabStrip TabStripOf(const TWinControl& control);

// Aligned across its parent, a header is as high as the window's header control
// makes itself for its font.
class THeaderControl : public TWinControl {
    QV_CLASS_INFO
public:
    explicit THeaderControl(TComponent* owner);

protected:
    void AdjustSize(int& left, int& top, int& width, int& height) override;
    void FontChanged() override;
};

class TAnimate : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TAnimate(TComponent* owner);
};

} // namespace Vcl
