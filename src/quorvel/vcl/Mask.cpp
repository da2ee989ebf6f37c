#include "quorvel/vcl/Mask.h"

#include "quorvel/vcl/Published.h"

namespace Vcl {

namespace {
using namespace StdProps;
namespace P = Vcl::Published;
} // namespace

const TClassInfo& TMaskEdit::StaticClass() {
    using C = TCustomEdit;
    // Its own list, not the edit's: the mask comes before the font.
    static const TClassInfo info{
        "TMaskEdit",
        &TCustomEdit::StaticClass(),
        WithEvents(
            {
                P::Align(),
                P::PlainEnum("Alignment", AlignmentInfo, taLeftJustify),
                P::Anchors(),
                P::PlainBool("AutoSelect", true),
                P::AutoSize(true),
                BevelEdges(),
                BevelInner(2),
                BevelOuter(1),
                BevelKind(),
                BevelWidth(),
                BiDiMode(),
                BorderStyle(1),
                EnumProp<C>("CharCase", EditCharCaseInfo, &C::CharCase, &C::SetCharCase, ecNormal),
                StdProps::Color(clWindow),
                P::Constraints(),
                Ctl3D(),
                DoubleBuffered(),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::PlainString("EditMask"),
                P::Font(),
                StdProps::ImeMode(),
                ImeName(),
                IntProp<C>("MaxLength", &C::MaxLength, &C::SetMaxLength, 0),
                ParentBiDiMode(),
                StdProps::ParentColor(false),
                ParentCtl3D(),
                ParentDoubleBuffered(),
                P::ParentFont(),
                P::ParentShowHint(),
                StrProp<TEdit>("PasswordChar", &TEdit::PasswordChar, &TEdit::SetPasswordChar),
                P::PopupMenu(),
                BoolProp<C>("ReadOnly", &C::ReadOnly, &C::SetReadOnly, false),
                P::ShowHint(),
                P::TabOrder(),
                P::TabStop(true),
                P::Text(),
                P::PlainString("TextHint"),
                StdProps::Touch(),
                P::Visible(),
                StyleElements(),
                StyleName(),
            },
            {"OnChange",    "OnClick",      "OnContextPopup", "OnDblClick",  "OnDragDrop",
             "OnDragOver",  "OnEndDock",    "OnEndDrag",      "OnEnter",     "OnExit",
             "OnGesture",   "OnKeyDown",    "OnKeyPress",     "OnKeyUp",     "OnMouseActivate",
             "OnMouseDown", "OnMouseEnter", "OnMouseLeave",   "OnMouseMove", "OnMouseUp",
             "OnStartDock", "OnStartDrag"}),
        {},
        &CreateInstance<TMaskEdit>};
    return info;
}

} // namespace Vcl
