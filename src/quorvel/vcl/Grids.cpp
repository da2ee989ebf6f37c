#include "quorvel/vcl/Grids.h"

#include "quorvel/vcl/Collections.h"
#include "quorvel/vcl/Published.h"

namespace Vcl {

const TEnumInfo GridOptionsInfo{
    "TGridOption",
    {"goFixedVertLine", "goFixedHorzLine",     "goVertLine",         "goHorzLine",
     "goRangeSelect",   "goDrawFocusSelected", "goRowSizing",        "goColSizing",
     "goRowMoving",     "goColMoving",         "goEditing",          "goTabs",
     "goRowSelect",     "goAlwaysShowEditor",  "goThumbTracking",    "goFixedColClick",
     "goFixedRowClick", "goFixedHotTrack",     "goFixedColDefAlign", "goFixedRowDefAlign"}};
const TEnumInfo GridDrawingStyleInfo{"TGridDrawingStyle",
                                     {"gdsClassic", "gdsThemed", "gdsGradient"}};

namespace {
using namespace StdProps;
namespace P = Vcl::Published;

constexpr std::int64_t kDefaultOptions = 0x1F; // the four lines and range selection

std::vector<TPropInfo> GridProps() {
    std::vector<TPropInfo> props{
        P::Align(),
        P::Anchors(),
        BevelEdges(),
        BevelInner(2),
        BevelKind(),
        BevelOuter(1),
        BevelWidth(),
        BiDiMode(),
        BorderStyle(1),
        StdProps::Color(clWindow),
        P::PlainInt("ColCount", 5),
        P::Constraints(),
        Ctl3D(),
        P::PlainEnum("DefaultColAlignment", AlignmentInfo, taLeftJustify),
        P::PlainInt("DefaultColWidth", 64),
        P::PlainInt("DefaultRowHeight", 24),
        P::PlainBool("DefaultDrawing", true),
        DoubleBuffered(),
        DragCursor(),
        DragKind(),
        DragMode(),
        P::PlainEnum("DrawingStyle", GridDrawingStyleInfo, 1),
        P::Enabled(),
        P::PlainIdentInt("FixedColor", ColorIdents, clBtnFace),
        P::PlainInt("FixedCols", 1),
        P::PlainInt("RowCount", 5),
        P::PlainInt("FixedRows", 1),
        P::Font(),
        P::PlainIdentInt("GradientEndColor", ColorIdents, clBtnFace),
        P::PlainIdentInt("GradientStartColor", ColorIdents, clWhite),
        P::PlainInt("GridLineWidth", 1),
        P::PlainSet("Options", GridOptionsInfo, kDefaultOptions),
        ParentBiDiMode(),
        StdProps::ParentColor(false),
        ParentCtl3D(),
        ParentDoubleBuffered(),
        P::ParentFont(),
        P::ParentShowHint(),
        P::PopupMenu(),
        P::PlainEnum("ScrollBars", ScrollStyleInfo, ssBoth),
        P::ShowHint(),
        P::TabOrder(),
        P::TabStop(true),
        StdProps::Touch(),
        P::Visible(),
        P::PlainInt("VisibleColCount", 0),
        P::PlainInt("VisibleRowCount", 0),
        StyleElements(),
        StyleName(),
    };
    // Neither count is stored: both follow from the size.
    props[props.size() - 4].Stored = [](const TObject&) { return false; };
    props[props.size() - 3].Stored = [](const TObject&) { return false; };
    std::initializer_list<const char*> events = {
        "OnClick",         "OnColumnMoved",    "OnContextPopup",  "OnDblClick",
        "OnDragDrop",      "OnDragOver",       "OnDrawCell",      "OnEndDock",
        "OnEndDrag",       "OnEnter",          "OnExit",          "OnFixedCellClick",
        "OnGesture",       "OnGetEditMask",    "OnGetEditText",   "OnKeyDown",
        "OnKeyPress",      "OnKeyUp",          "OnMouseActivate", "OnMouseDown",
        "OnMouseEnter",    "OnMouseLeave",     "OnMouseMove",     "OnMouseUp",
        "OnMouseWheel",    "OnMouseWheelDown", "OnMouseWheelUp",  "OnRowMoved",
        "OnSelectCell",    "OnSetEditText",    "OnStartDock",     "OnStartDrag",
        "OnTopLeftChanged"};
    return WithEvents(std::move(props), events);
}
} // namespace

const TClassInfo& TCustomGrid::StaticClass() {
    static const TClassInfo info{"TCustomGrid", &TCustomControl::StaticClass(), {}, {}, nullptr};
    return info;
}

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner) {
    FSetCaptionOnRename = false;
    SetTabStop(true);
    SetColor(clWindow);
    FWidth = 320;
    FHeight = 120;
}

void TCustomGrid::DefineProperties(TFiler& filer) {
    TCustomControl::DefineProperties(filer);
    DefineKeptValue(filer, Bag(), "ColWidths");
    DefineKeptValue(filer, Bag(), "RowHeights");
}

const TClassInfo& TDrawGrid::StaticClass() {
    static const TClassInfo info{
        "TDrawGrid", &TCustomGrid::StaticClass(), GridProps(), {}, &CreateInstance<TDrawGrid>};
    return info;
}

const TClassInfo& TStringGrid::StaticClass() {
    static const TClassInfo info{
        "TStringGrid", &TDrawGrid::StaticClass(), {}, {}, &CreateInstance<TStringGrid>};
    return info;
}

} // namespace Vcl
