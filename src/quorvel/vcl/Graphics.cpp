#include "quorvel/vcl/Graphics.h"

#include "quorvel/vcl/Filer.h"

#include <algorithm>

namespace Vcl {

const TIdentMap ColorIdents{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clScrollBar", static_cast<TColor>(0xFF000000)},
    {"clBackground", static_cast<TColor>(0xFF000001)},
    {"clActiveCaption", static_cast<TColor>(0xFF000002)},
    {"clInactiveCaption", static_cast<TColor>(0xFF000003)},
    {"clMenu", static_cast<TColor>(0xFF000004)},
    {"clWindow", static_cast<TColor>(0xFF000005)},
    {"clWindowFrame", static_cast<TColor>(0xFF000006)},
    {"clMenuText", static_cast<TColor>(0xFF000007)},
    {"clWindowText", static_cast<TColor>(0xFF000008)},
    {"clCaptionText", static_cast<TColor>(0xFF000009)},
    {"clActiveBorder", static_cast<TColor>(0xFF00000A)},
    {"clInactiveBorder", static_cast<TColor>(0xFF00000B)},
    {"clAppWorkSpace", static_cast<TColor>(0xFF00000C)},
    {"clHighlight", static_cast<TColor>(0xFF00000D)},
    {"clHighlightText", static_cast<TColor>(0xFF00000E)},
    {"clBtnFace", static_cast<TColor>(0xFF00000F)},
    {"clBtnShadow", static_cast<TColor>(0xFF000010)},
    {"clGrayText", static_cast<TColor>(0xFF000011)},
    {"clBtnText", static_cast<TColor>(0xFF000012)},
    {"clInactiveCaptionText", static_cast<TColor>(0xFF000013)},
    {"clBtnHighlight", static_cast<TColor>(0xFF000014)},
    {"cl3DDkShadow", static_cast<TColor>(0xFF000015)},
    {"cl3DLight", static_cast<TColor>(0xFF000016)},
    {"clInfoText", static_cast<TColor>(0xFF000017)},
    {"clInfoBk", static_cast<TColor>(0xFF000018)},
    {"clHotLight", static_cast<TColor>(0xFF00001A)},
    {"clGradientActiveCaption", static_cast<TColor>(0xFF00001B)},
    {"clGradientInactiveCaption", static_cast<TColor>(0xFF00001C)},
    {"clMenuHighlight", static_cast<TColor>(0xFF00001D)},
    {"clMenuBar", static_cast<TColor>(0xFF00001E)},
    {"clNone", clNone},
    {"clDefault", clDefault},
}};

const TIdentMap CharsetIdents{{
    {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
}};

const TEnumInfo FontStyleInfo{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
const TEnumInfo FontPitchInfo{"TFontPitch", {"fpDefault", "fpVariable", "fpFixed"}};
const TEnumInfo FontQualityInfo{"TFontQuality",
                                {"fqDefault", "fqDraft", "fqProof", "fqNonAntialiased",
                                 "fqAntialiased", "fqClearType", "fqClearTypeNatural"}};

const TClassInfo& TFont::StaticClass() {
    static const TClassInfo info{
        "TFont",
        &TPersistent::StaticClass(),
        {
            IdentIntProp<TFont>("Charset", CharsetIdents, &TFont::Charset, &TFont::SetCharset),
            IdentIntProp<TFont>("Color", ColorIdents, &TFont::Color, &TFont::SetColor),
            IntProp<TFont>("Height", &TFont::Height, &TFont::SetHeight),
            StrProp<TFont>("Name", &TFont::Name, &TFont::SetName),
            IntProp<TFont>("Orientation", &TFont::Orientation, &TFont::SetOrientation, 0),
            EnumProp<TFont>("Pitch", FontPitchInfo, &TFont::Pitch, &TFont::SetPitch, fpDefault),
            WithStored(IntProp<TFont>("Size", &TFont::Size, &TFont::SetSize),
                       [](const TObject&) { return false; }),
            SetProp<TFont>("Style", FontStyleInfo, &TFont::Style, &TFont::SetStyle),
            EnumProp<TFont>("Quality", FontQualityInfo, &TFont::Quality, &TFont::SetQuality,
                            fqDefault),
        },
        {},
        nullptr};
    return info;
}

TFont::TFont() = default;

TFont::~TFont() { ReleaseHandle(); }

int TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, FPixelsPerInch, 72)); }

void TFont::SetHeight(int pixels) {
    if (pixels == FHeight)
        return;
    FHeight = pixels;
    Changed();
}

void TFont::SetPixelsPerInch(int ppi) {
    if (ppi > 0 && ppi != FPixelsPerInch) {
        FPixelsPerInch = ppi;
        ReleaseHandle();
    }
}

void TFont::FollowMonitor(int ppi) {
    if (ppi <= 0 || (ppi == FPixelsPerInch && FFollowsMonitor))
        return;
    FPixelsPerInch = ppi;
    FFollowsMonitor = true;
    ReleaseHandle();
}

void TFont::SetName(const String& name) {
    if (name == FName)
        return;
    FName = name;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == FStyle)
        return;
    FStyle = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == FColor)
        return;
    FColor = color;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == FCharset)
        return;
    FCharset = charset;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == FPitch)
        return;
    FPitch = pitch;
    Changed();
}

void TFont::SetOrientation(int orientation) {
    if (orientation == FOrientation)
        return;
    FOrientation = orientation;
    Changed();
}

void TFont::SetQuality(TFontQuality quality) {
    if (quality == FQuality)
        return;
    FQuality = quality;
    Changed();
}

bool TFont::Equals(const TFont& o) const {
    return FName == o.FName && Size() == o.Size() && FStyle == o.FStyle && FColor == o.FColor &&
           FCharset == o.FCharset && FPitch == o.FPitch && FOrientation == o.FOrientation &&
           FQuality == o.FQuality;
}

void TFont::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TFont*>(&source);
    if (!other)
        AssignError(source);
    if (other == this)
        return;
    FName = other->FName;
    FHeight = other->FHeight;
    FPixelsPerInch = other->FPixelsPerInch;
    FFollowsMonitor = other->FFollowsMonitor;
    FStyle = other->FStyle;
    FColor = other->FColor;
    FCharset = other->FCharset;
    FPitch = other->FPitch;
    FOrientation = other->FOrientation;
    FQuality = other->FQuality;
    Changed();
}

void TFont::Changed() {
    ReleaseHandle();
    OnChange(this);
}

void TFont::ReleaseHandle() {
    if (FHandle) {
        Win32::DeleteObject(FHandle);
        FHandle = nullptr;
    }
}

Win32::HFONT TFont::Handle() {
    if (FHandle)
        return FHandle;
    Win32::LOGFONTW lf{};
    Win32::HDC dc = Win32::GetDC(nullptr);
    int screenPpi = Win32::GetDeviceCaps(dc, Win32::LOGPIXELSY);
    Win32::ReleaseDC(nullptr, dc);
    if (screenPpi <= 0)
        screenPpi = 96;
    // At the screen's resolution the height is the pixel height; a font measured
    // at another one keeps its point size.
    lf.lfHeight =
        FPixelsPerInch == screenPpi || FFollowsMonitor ? FHeight : -MulDiv(Size(), screenPpi, 72);
    lf.lfWeight = (FStyle & (1u << fsBold)) ? Win32::FW_BOLD : Win32::FW_NORMAL;
    lf.lfItalic = (FStyle & (1u << fsItalic)) ? 1 : 0;
    lf.lfUnderline = (FStyle & (1u << fsUnderline)) ? 1 : 0;
    lf.lfStrikeOut = (FStyle & (1u << fsStrikeOut)) ? 1 : 0;
    lf.lfCharSet = static_cast<Win32::BYTE>(FCharset);
    lf.lfEscapement = lf.lfOrientation = FOrientation;
    std::u16string face = Utf8ToUtf16(FName);
    face.resize(std::min<std::size_t>(face.size(), Win32::LF_FACESIZE - 1));
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    FHandle = Win32::CreateFontIndirectW(&lf);
    return FHandle;
}

// ---- TIcon ---------------------------------------------------------------------------

const TClassInfo& TGraphicData::StaticClass() {
    static const TClassInfo info{"TGraphicData", &TPersistent::StaticClass(), {}, {}, nullptr};
    return info;
}

const TClassInfo& TIcon::StaticClass() {
    static const TClassInfo info{"TIcon", &TGraphicData::StaticClass(), {}, {}, nullptr};
    return info;
}

const TClassInfo& TBitmap::StaticClass() {
    static const TClassInfo info{"TBitmap", &TGraphicData::StaticClass(), {}, {}, nullptr};
    return info;
}

void TGraphicData::SetData(std::vector<std::uint8_t> data) {
    FData = std::move(data);
    OnChange(this);
}

void TGraphicData::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TGraphicData*>(&source);
    if (!other || other->ClassInfo() != ClassInfo())
        AssignError(source);
    if (other != this)
        SetData(other->FData);
}

void TGraphicData::DefineProperties(TFiler& filer) {
    filer.DefineProperty(
        "Data", [this](TReader& reader) { SetData(reader.ReadBinary()); },
        [this](TWriter& writer) { writer.WriteBinary(FData); },
        !FData.empty() && !(FilerAncestor<TGraphicData>(filer) &&
                            FilerAncestor<TGraphicData>(filer)->FData == FData));
}

} // namespace Vcl
