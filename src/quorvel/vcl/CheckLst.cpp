#include "quorvel/vcl/CheckLst.h"

#include "quorvel/vcl/Published.h"

namespace Vcl {

namespace {
using namespace StdProps;
namespace P = Vcl::Published;
} // namespace

const TClassInfo& TCheckListBox::StaticClass() {
    using C = TListBox;
    using L = TCustomListControl;
    // Its own list, not the list box's.
    static const TClassInfo info{
        "TCheckListBox",
        &TCustomListControl::StaticClass(),
        WithEvents(
            {
                P::Event("OnClickCheck"),
                P::Align(),
                P::PlainBool("AllowGrayed", false),
                P::Anchors(),
                P::PlainBool("AutoComplete", true),
                P::PlainInt("AutoCompleteDelay", 500),
                BevelEdges(),
                BevelInner(2),
                BevelKind(),
                BevelOuter(1),
                BiDiMode(),
                BorderStyle(1),
                StdProps::Color(clWindow),
                P::PlainInt("Columns", 0),
                P::Constraints(),
                Ctl3D(),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::PlainBool("Flat", true),
                P::Font(),
                P::PlainIdentInt("HeaderColor", ColorIdents, clWindowText),
                P::PlainIdentInt("HeaderBackgroundColor", ColorIdents, clBtnFace),
                StdProps::ImeMode(),
                ImeName(),
                P::PlainBool("IntegralHeight", false),
                P::PlainInt("ItemHeight", 16),
                IntProp<L>("ItemIndex", &L::ItemIndex, &L::SetItemIndex, -1),
                P::Strings("Items"),
                ParentBiDiMode(),
                StdProps::ParentColor(false),
                ParentCtl3D(),
                ParentDoubleBuffered(),
                P::ParentFont(),
                P::ParentShowHint(),
                P::PopupMenu(),
                P::ShowHint(),
                BoolProp<L>("Sorted", &L::Sorted, &L::SetSorted, false),
                EnumProp<C>("Style", ListBoxStyleInfo, &C::Style, &C::SetStyle, lbStandard),
                P::TabOrder(),
                P::TabStop(true),
                P::PlainInt("TabWidth", 0),
                StdProps::Touch(),
                P::Visible(),
                StyleElements(),
                StyleName(),
            },
            {"OnClick",      "OnContextPopup", "OnData",          "OnDataFind",  "OnDataObject",
             "OnDblClick",   "OnDragDrop",     "OnDragOver",      "OnDrawItem",  "OnEndDock",
             "OnEndDrag",    "OnEnter",        "OnExit",          "OnKeyDown",   "OnKeyPress",
             "OnKeyUp",      "OnMeasureItem",  "OnMouseActivate", "OnMouseDown", "OnMouseEnter",
             "OnMouseLeave", "OnMouseMove",    "OnMouseUp",       "OnStartDock", "OnStartDrag"}),
        {},
        &CreateInstance<TCheckListBox>};
    return info;
}

} // namespace Vcl
