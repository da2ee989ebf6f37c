// Fonts and colours.
#pragma once

#include "quorvel/vcl/Object.h"
#include "quorvel/win/Win32.h"

#include <cstdint>
#include <vector>

namespace Vcl {

using TColor = std::int32_t;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindowText = static_cast<TColor>(0xFF000008);
constexpr TColor clBtnFace = static_cast<TColor>(0xFF00000F);
constexpr TColor clWindow = static_cast<TColor>(0xFF000005);
constexpr TColor clBtnHighlight = static_cast<TColor>(0xFF000014);

// Colour names of form files (clRed, clBtnFace, ...).
extern const TIdentMap ColorIdents;
// Character-set names (DEFAULT_CHARSET, SHIFTJIS_CHARSET, ...).
extern const TIdentMap CharsetIdents;

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = unsigned; // bit per TFontStyle
extern const TEnumInfo FontStyleInfo;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
extern const TEnumInfo FontPitchInfo;

enum TFontQuality {
    fqDefault,
    fqDraft,
    fqProof,
    fqNonAntialiased,
    fqAntialiased,
    fqClearType,
    fqClearTypeNatural
};
extern const TEnumInfo FontQualityInfo;

// A font. Its size is held as a pixel height at the font's PixelsPerInch, as the
// framework does: Size (whole points) = -MulDiv(Height, 72, PixelsPerInch), so a
// form file's Font.Height reads back exactly and Size follows the stored
// resolution. Every change fires OnChange once.
class TFont : public TPersistent {
    QV_CLASS_INFO
public:
    TFont();
    ~TFont() override;

    const String& Name() const { return FName; }
    void SetName(const String& name);
    int Size() const;
    void SetSize(int points);
    int Height() const { return FHeight; }
    void SetHeight(int pixels);
    int PixelsPerInch() const { return FPixelsPerInch; }
    // Changes the resolution the height is measured at, keeping the height.
    void SetPixelsPerInch(int ppi);
    // The font of a per-monitor-aware form on a monitor of `ppi`: its height is
    // kept and made as it is there, whatever the screen's resolution.
    void FollowMonitor(int ppi);
    bool FollowsMonitor() const { return FFollowsMonitor; }
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    int Charset() const { return FCharset; }
    void SetCharset(int charset);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch pitch);
    int Orientation() const { return FOrientation; }
    void SetOrientation(int orientation);
    TFontQuality Quality() const { return FQuality; }
    void SetQuality(TFontQuality quality);

    void Assign(const TPersistent& source) override;
    bool Equals(const TFont& other) const;

    // A window-system font for this font at the screen's resolution, made on first
    // use and remade after a change.
    Win32::HFONT Handle();

    TNotifyEvent OnChange;

private:
    void Changed();
    void ReleaseHandle();

    String FName = "Tahoma";
    int FHeight = -11;
    int FPixelsPerInch = 96;
    bool FFollowsMonitor = false;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    int FCharset = 1; // DEFAULT_CHARSET
    TFontPitch FPitch = fpDefault;
    int FOrientation = 0;
    TFontQuality FQuality = fqDefault;
    Win32::HFONT FHandle = nullptr;
};

// A graphic kept as the bytes of the form file's Data block (the graphic's class
// name followed by its data); nothing here decodes it.
class TGraphicData : public TPersistent {
    QV_CLASS_INFO
public:
    const std::vector<std::uint8_t>& Data() const { return FData; }
    void SetData(std::vector<std::uint8_t> data);
    bool Empty() const { return FData.empty(); }
    // Copies from a graphic of the same class only.
    void Assign(const TPersistent& source) override;
    void DefineProperties(TFiler& filer) override;
    TNotifyEvent OnChange;

private:
    std::vector<std::uint8_t> FData;
};

// A form's icon.
class TIcon : public TGraphicData {
    QV_CLASS_INFO
};

// A bitmap: a button's glyph.
class TBitmap : public TGraphicData {
    QV_CLASS_INFO
};

} // namespace Vcl
