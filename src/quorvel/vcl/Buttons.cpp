#include "quorvel/vcl/Buttons.h"

#include "quorvel/vcl/Published.h"

namespace Vcl {

const TEnumInfo ButtonLayoutInfo{"TButtonLayout",
                                 {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};
const TEnumInfo BitBtnKindInfo{"TBitBtnKind",
                               {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo",
                                "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"}};
const TEnumInfo BitBtnStyleInfo{"TButtonStyle", {"bsAutoDetect", "bsWin31", "bsNew"}};

namespace {
using namespace StdProps;
namespace P = Vcl::Published;

// The glyph and the images of the newer image-list support, as both buttons have them.
std::vector<TPropInfo> ImageProps() {
    return {P::PlainInt("DisabledImageIndex", -1), P::PlainString("DisabledImageName"),
            P::PlainRef("DisabledImages"),         P::PlainInt("HotImageIndex", -1),
            P::PlainString("HotImageName"),        P::PlainInt("ImageIndex", -1),
            P::PlainString("ImageName"),           P::PlainRef("Images"),
            P::PlainInt("PressedImageIndex", -1),  P::PlainString("PressedImageName"),
            P::PlainInt("SelectedImageIndex", -1), P::PlainString("SelectedImageName")};
}

template <typename C> TPropInfo GlyphProp() { return ClassProp<C>("Glyph", &C::Glyph); }

std::vector<TPropInfo> Join(std::vector<TPropInfo> a, std::vector<TPropInfo> b) {
    for (TPropInfo& p : b)
        a.push_back(std::move(p));
    return a;
}
} // namespace

// ---- TSpeedButton ---------------------------------------------------------------------

const TClassInfo& TSpeedButton::StaticClass() {
    static const TClassInfo info{
        "TSpeedButton",
        &TGraphicControl::StaticClass(),
        WithEvents(Join(
                       {
                           Action(),
                           P::Align(),
                           P::PlainBool("AllowAllUp", false),
                           P::Anchors(),
                           BiDiMode(),
                           P::Constraints(),
                           P::PlainInt("GroupIndex", 0),
                           P::PlainBool("Down", false),
                           P::Caption(),
                           P::Enabled(),
                           P::PlainBool("Flat", false),
                           P::Font(),
                           GlyphProp<TSpeedButton>(),
                       },
                       Join(ImageProps(),
                            {
                                P::PlainEnum("Layout", ButtonLayoutInfo, 0),
                                P::PlainInt("Margin", -1),
                                P::PlainInt("NumGlyphs", 1),
                                P::ParentFont(),
                                P::ParentShowHint(),
                                ParentBiDiMode(),
                                P::PopupMenu(),
                                P::ShowHint(),
                                P::PlainInt("Spacing", 4),
                                P::PlainBool("Transparent", true),
                                StdProps::Touch(),
                                P::Visible(),
                                StyleElements(),
                                StyleName(),
                            })),
                   {"OnClick", "OnDblClick", "OnMouseActivate", "OnMouseDown", "OnMouseEnter",
                    "OnMouseLeave", "OnMouseMove", "OnMouseUp"}),
        {},
        &CreateInstance<TSpeedButton>};
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), FGlyph(new TBitmap) {
    FWidth = 23;
    FHeight = 22;
}

TSpeedButton::~TSpeedButton() { delete FGlyph; }

// ---- TBitBtn ----------------------------------------------------------------------------

const TClassInfo& TBitBtn::StaticClass() {
    // What TButton publishes stays in its place; these come after it.
    static const TClassInfo info{"TBitBtn",
                                 &TButton::StaticClass(),
                                 {
                                     GlyphProp<TBitBtn>(),
                                     P::PlainEnum("Kind", BitBtnKindInfo, 0),
                                     P::PlainEnum("Layout", ButtonLayoutInfo, 0),
                                     P::PlainInt("Margin", -1),
                                     P::PlainInt("NumGlyphs", 1),
                                     P::PlainEnum("Style", BitBtnStyleInfo, 0),
                                     P::PlainInt("Spacing", 4),
                                 },
                                 {},
                                 &CreateInstance<TBitBtn>};
    return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), FGlyph(new TBitmap) {}

TBitBtn::~TBitBtn() { delete FGlyph; }

} // namespace Vcl
