// Fonts of the simulated desktop, measured as Wine measures them: outline faces
// with FreeType's hinted advances, bitmap faces (.fon) by their strikes. Without
// FreeType, or without a face's file, an approximate metric stands in.
#include "quorvel/win/sim/SimFonts.h"

#include "quorvel/win/sim/SimDesktopImpl.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(QUORVEL_SIM_FREETYPE)
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_WINFONTS_H
#endif

namespace Sim {

namespace {

// A family and its four style files; bitmap families have only the regular file,
// the other styles are drawn from it.
struct TFamily {
    const char16_t* Name;
    const char* Regular;
    const char* Bold;
    const char* Italic;
    const char* BoldItalic;
};

const TFamily Families[] = {
    {u"Tahoma", "tahoma.ttf", "tahomabd.ttf", nullptr, nullptr},
    {u"MS Sans Serif", "sserife.fon", nullptr, nullptr, nullptr},
    {u"Liberation Sans", "LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf",
     "LiberationSans-Italic.ttf", "LiberationSans-BoldItalic.ttf"},
    {u"Liberation Serif", "LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf",
     "LiberationSerif-Italic.ttf", "LiberationSerif-BoldItalic.ttf"},
    {u"Liberation Mono", "LiberationMono-Regular.ttf", "LiberationMono-Bold.ttf",
     "LiberationMono-Italic.ttf", "LiberationMono-BoldItalic.ttf"},
    {u"WenQuanYi Micro Hei", "wqy-microhei.ttc", nullptr, nullptr, nullptr},
};

// The family that stands in for the Chinese, Japanese and Korean faces, and
// for the characters other faces lack. Optional: without it such text falls
// back as any other.
const char16_t* const CjkFamily = u"WenQuanYi Micro Hei";

// Faces answered by another family under their own name: the metric-compatible
// replacements of the Windows core fonts, and the dialog faces Windows maps to
// Tahoma.
struct TAlias {
    const char16_t* Name;
    const char16_t* Family;
};

const TAlias Aliases[] = {
    {u"Arial", u"Liberation Sans"},
    {u"Times New Roman", u"Liberation Serif"},
    {u"Courier New", u"Liberation Mono"},
    {u"MS Shell Dlg", u"Tahoma"},
    {u"MS Shell Dlg 2", u"Tahoma"},
    // Chinese, Japanese and Korean faces, as Wine answers them from Debian's fonts.
    {u"SimSun", CjkFamily},
    {u"NSimSun", CjkFamily},
    {u"SimHei", CjkFamily},
    {u"\u5B8B\u4F53", CjkFamily}, // SimSun
    {u"\u9ED1\u4F53", CjkFamily}, // SimHei
    {u"Microsoft YaHei", CjkFamily},
    {u"Microsoft YaHei UI", CjkFamily},
    {u"\u5FAE\u8F6F\u96C5\u9ED1", CjkFamily}, // Microsoft YaHei
    {u"MingLiU", CjkFamily},
    {u"PMingLiU", CjkFamily},
    {u"Microsoft JhengHei", CjkFamily},
    {u"\u65B0\u7D30\u660E\u9AD4", CjkFamily}, // PMingLiU
    {u"MS Gothic", CjkFamily},
    {u"MS PGothic", CjkFamily},
    {u"MS UI Gothic", CjkFamily},
    {u"MS Mincho", CjkFamily},
    {u"MS PMincho", CjkFamily},
    {u"Meiryo", CjkFamily},
    {u"Meiryo UI", CjkFamily},
    {u"Yu Gothic", CjkFamily},
    {u"Yu Gothic UI", CjkFamily},
    {u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF", CjkFamily},       // MS Gothic
    {u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF", CjkFamily}, // MS PGothic
    {u"Gulim", CjkFamily},
    {u"GulimChe", CjkFamily},
    {u"Dotum", CjkFamily},
    {u"Batang", CjkFamily},
    {u"Malgun Gothic", CjkFamily},
    {u"\uAD74\uB9BC", CjkFamily}, // Gulim
    {u"\uB3CB\uC6C0", CjkFamily}, // Dotum
};

// Every other face name.
const char16_t* const FallbackFamily = u"Liberation Sans";

// Proportions of the approximate metric (Tahoma's, in font units of a 2048 em).
constexpr long kApproxEm = 2048, kApproxAscent = 2049, kApproxDescent = 423, kApproxAverage = 1226,
               kApproxMaxWidth = 2964;
constexpr int kDefaultHeight = 16; // a LOGFONTW height of 0

bool SameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i], y = b[i];
        if (x >= u'a' && x <= u'z')
            x = static_cast<char16_t>(x - u'a' + u'A');
        if (y >= u'a' && y <= u'z')
            y = static_cast<char16_t>(y - u'a' + u'A');
        if (x != y)
            return false;
    }
    return true;
}

const TFamily* FindFamily(std::u16string_view name) {
    for (const TFamily& family : Families)
        if (SameName(name, family.Name))
            return &family;
    return nullptr;
}

std::u16string FaceName(const LOGFONTW& font) {
    std::u16string name;
    for (int i = 0; i < LF_FACESIZE && font.lfFaceName[i] != 0; ++i)
        name += font.lfFaceName[i];
    return name;
}

bool IsBold(const LOGFONTW& font) { return font.lfWeight >= 600; }

// v * ppem / em, rounded half up.
int ScaleRounded(long v, long ppem, long em) {
    const long long n = static_cast<long long>(v) * ppem * 2 + em;
    const long long d = 2LL * em;
    return static_cast<int>(n >= 0 ? n / d : -((-n + d - 1) / d));
}

// MulDiv: rounded half away from zero, in 64 bits.
long long MulDivRounded(long a, long b, long c) {
    if (c == 0)
        return 0;
    const long long n = static_cast<long long>(a) * b;
    return (n >= 0 ? n + c / 2 : n - c / 2) / c;
}

// The largest em measured: the font arithmetic (FreeType's 16.16 scale on a
// 32-bit long too) holds up to it, and no screen shows more of a glyph.
constexpr long long kMaxEm = 32767;

// The em size in pixels of a LOGFONTW height: a negative one is the em, a
// positive one the cell (cell units of an em of em units), 0 the default cell.
int EmPixels(LONG lfHeight, long em, long cell) {
    const long long ppem = lfHeight < 0
                               ? -static_cast<long long>(lfHeight)
                               : MulDivRounded(lfHeight == 0 ? kDefaultHeight : lfHeight, em, cell);
    return static_cast<int>(std::clamp<long long>(ppem, 1, kMaxEm));
}

void FillCommon(TEXTMETRICW& tm, bool bold, bool italic, const LOGFONTW& font) {
    tm.tmWeight = bold ? 700 : 400;
    tm.tmOverhang = 0;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFFFC;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = italic ? 1 : 0;
    tm.tmUnderlined = font.lfUnderline ? 1 : 0;
    tm.tmStruckOut = font.lfStrikeOut ? 1 : 0;
    tm.tmCharSet = 0; // ANSI_CHARSET
}

// The approximate metric: Tahoma's proportions, and the average width for every
// character.
void Approximate(TRealizedFont& realized, const LOGFONTW& font) {
    const int ppem = EmPixels(font.lfHeight, kApproxEm, kApproxAscent + kApproxDescent);
    TEXTMETRICW& tm = realized.Metrics;
    tm.tmAscent = ScaleRounded(kApproxAscent, ppem, kApproxEm);
    tm.tmDescent = ScaleRounded(kApproxDescent, ppem, kApproxEm);
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading =
        ScaleRounded(kApproxAscent + kApproxDescent - kApproxEm, ppem, kApproxEm);
    tm.tmExternalLeading = 0;
    tm.tmAveCharWidth = std::max(ScaleRounded(kApproxAverage, ppem, kApproxEm), 1);
    tm.tmMaxCharWidth = ScaleRounded(kApproxMaxWidth, ppem, kApproxEm);
    tm.tmPitchAndFamily = 0x06 | 0x01 | 0x20; // TrueType outline, variable pitch, swiss
    FillCommon(tm, IsBold(font), font.lfItalic != 0, font);
    realized.Source.EmHeight = ppem;
}

} // namespace

// ---- FreeType -----------------------------------------------------------------------------

#if defined(QUORVEL_SIM_FREETYPE)

struct TFontEngine::TLibrary {
    FT_Library Handle = nullptr;
    TLibrary() {
        if (FT_Init_FreeType(&Handle) != 0)
            Handle = nullptr;
    }
    ~TLibrary() {
        if (Handle)
            FT_Done_FreeType(Handle);
    }
};

struct TFontEngine::TFace {
    FT_Face Handle = nullptr;
    ~TFace() {
        if (Handle)
            FT_Done_Face(Handle);
    }
};

TFontEngine::TFace* TFontEngine::OpenFace(const std::string& file, int index) {
    auto& slot = FFaces[{file, index}];
    if (!slot) {
        slot = std::make_unique<TFace>();
        if (!FLibrary->Handle ||
            FT_New_Face(FLibrary->Handle, file.c_str(), index, &slot->Handle) != 0)
            slot->Handle = nullptr;
        // A bitmap face without a Unicode map is read through the map it has
        // (its code page, which agrees with Unicode on ASCII).
        else if (!slot->Handle->charmap && slot->Handle->num_charmaps > 0)
            FT_Set_Charmap(slot->Handle, slot->Handle->charmaps[0]);
    }
    return slot->Handle ? slot.get() : nullptr;
}

namespace {

// Font units to whole pixels as FreeType scales them (16.16 scale, 26.6 result).
int Pixels(long units, FT_Fixed scale) {
    return static_cast<int>((FT_MulFix(units, scale) + 32) >> 6);
}

bool IsBitmapFile(const std::string& file) {
    return file.size() > 4 && (file.compare(file.size() - 4, 4, ".fon") == 0 ||
                               file.compare(file.size() - 4, 4, ".FON") == 0);
}

} // namespace

#else

struct TFontEngine::TLibrary {};
struct TFontEngine::TFace {};
TFontEngine::TFace* TFontEngine::OpenFace(const std::string&, int) { return nullptr; }

#endif

// ---- The engine ------------------------------------------------------------------------------

TFontEngine::TFontEngine(std::vector<std::string> directories)
    : FDirectories(std::move(directories)), FLibrary(std::make_unique<TLibrary>()) {}

TFontEngine::~TFontEngine() = default;

std::string TFontEngine::FindFile(const std::string& name) const {
#if defined(QUORVEL_SIM_FREETYPE)
    for (const std::string& directory : FDirectories) {
        std::string path = directory;
        if (!path.empty() && path.back() != '/')
            path += '/';
        path += name;
        if (FILE* f = std::fopen(path.c_str(), "rb")) {
            std::fclose(f);
            return path;
        }
    }
#else
    (void)name;
#endif
    return {};
}

bool TFontEngine::MeasuresFontFiles() const {
#if defined(QUORVEL_SIM_FREETYPE)
    if (!FLibrary->Handle)
        return false;
    for (const TFamily& family : Families)
        for (const char* file : {family.Regular, family.Bold, family.Italic, family.BoldItalic})
            if (file && !SameName(family.Name, CjkFamily))
                if (FindFile(file).empty())
                    return false;
    return true;
#else
    return false;
#endif
}

TFontSource TFontEngine::Resolve(const LOGFONTW& font) const {
    TFontSource source;
    const std::u16string requested = FaceName(font);
    const TFamily* family = FindFamily(requested);
    if (family) {
        source.Face = family->Name;
    } else {
        for (const TAlias& alias : Aliases)
            // Without the optional family its faces fall back as unknown ones do.
            if (SameName(requested, alias.Name) &&
                !(SameName(alias.Family, CjkFamily) &&
                  FindFile(FindFamily(CjkFamily)->Regular).empty())) {
                family = FindFamily(alias.Family);
                source.Face = requested;
            }
        if (!family) {
            family = FindFamily(FallbackFamily);
            source.Face = FallbackFamily;
        }
    }
    source.Family = family->Name;
    const bool bold = IsBold(font), italic = font.lfItalic != 0;
    // The closest style file; what it lacks is drawn.
    const char* file = family->Regular;
    bool fileBold = false, fileItalic = false;
    if (bold && italic && family->BoldItalic) {
        file = family->BoldItalic;
        fileBold = fileItalic = true;
    } else if (bold && family->Bold) {
        file = family->Bold;
        fileBold = true;
    } else if (italic && family->Italic) {
        file = family->Italic;
        fileItalic = true;
    }
    source.SyntheticBold = bold && !fileBold;
    source.SyntheticItalic = italic && !fileItalic;
    source.File = FindFile(file);
    source.Approximate = source.File.empty();
    if (const TFamily* cjk = FindFamily(CjkFamily); cjk && !source.Approximate)
        source.LinkFile = FindFile(cjk->Regular);
    return source;
}

TRealizedFont& TFontEngine::Realize(const LOGFONTW& font) {
    // Equal fonts share their measurements; what follows the face name's end does not count.
    LOGFONTW key = font;
    bool ended = false;
    for (WCHAR& c : key.lfFaceName) {
        ended = ended || c == 0;
        if (ended)
            c = 0;
    }
    std::string bytes(sizeof key, '\0');
    std::memcpy(bytes.data(), &key, sizeof key);
    auto& slot = FRealized[bytes];
    if (slot)
        return *slot;
    slot = std::make_unique<TRealizedFont>();
    TRealizedFont& realized = *slot;
    realized.Source = Resolve(font);
#if defined(QUORVEL_SIM_FREETYPE)
    const bool bold = IsBold(font), italic = font.lfItalic != 0;
    TEXTMETRICW& tm = realized.Metrics;
    if (!realized.Source.Approximate && IsBitmapFile(realized.Source.File)) {
        // A bitmap face holds one strike per face of the file: the largest that is
        // not taller than asked for (the em for a negative height, the cell for a
        // positive one), the smallest when all are; strikes are never scaled.
        int chosen = -1, chosenSize = 0, smallest = -1, smallestSize = 0;
        const long long wanted =
            font.lfHeight == 0 ? kDefaultHeight : std::abs(static_cast<long long>(font.lfHeight));
        for (int index = 0;; ++index) {
            TFace* face = OpenFace(realized.Source.File, index);
            FT_WinFNT_HeaderRec header{};
            if (!face || FT_Get_WinFNT_Header(face->Handle, &header) != 0)
                break;
            const int size = font.lfHeight < 0 ? header.pixel_height - header.internal_leading
                                               : header.pixel_height;
            if (size <= wanted && (chosen < 0 || size > chosenSize)) {
                chosen = index;
                chosenSize = size;
            }
            if (smallest < 0 || size < smallestSize) {
                smallest = index;
                smallestSize = size;
            }
            if (index + 1 >= face->Handle->num_faces)
                break;
        }
        if (chosen < 0)
            chosen = smallest;
        TFace* face = chosen >= 0 ? OpenFace(realized.Source.File, chosen) : nullptr;
        FT_WinFNT_HeaderRec header{};
        if (face && FT_Get_WinFNT_Header(face->Handle, &header) == 0) {
            const int extra = realized.Source.SyntheticBold ? 1 : 0;
            realized.Source.FaceIndex = chosen;
            realized.Source.EmHeight = header.pixel_height - header.internal_leading;
            realized.Source.Bitmap = true;
            tm.tmHeight = header.pixel_height;
            tm.tmAscent = header.ascent;
            tm.tmDescent = header.pixel_height - header.ascent;
            tm.tmInternalLeading = header.internal_leading;
            tm.tmExternalLeading = header.external_leading;
            tm.tmAveCharWidth = header.avg_width + extra;
            tm.tmMaxCharWidth = header.max_width + extra;
            tm.tmPitchAndFamily = header.pitch_and_family;
            FillCommon(tm, bold, italic, font);
            return realized;
        }
        realized.Source.Approximate = true;
        realized.Source.File.clear();
    } else if (!realized.Source.Approximate) {
        TFace* face = OpenFace(realized.Source.File, 0);
        const auto* os2 =
            face ? static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face->Handle, FT_SFNT_OS2))
                 : nullptr;
        const auto* hhea =
            face ? static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face->Handle, FT_SFNT_HHEA))
                 : nullptr;
        if (face && os2 && hhea && face->Handle->units_per_EM > 0) {
            const long em = face->Handle->units_per_EM;
            const long ascent = os2->usWinAscent, descent = os2->usWinDescent;
            // A negative height is the em, a positive one the cell (ascent plus descent).
            const int ppem = EmPixels(font.lfHeight, em, ascent + descent);
            const FT_Fixed scale = FT_DivFix(static_cast<FT_Long>(ppem) * 64, em);
            tm.tmAscent = Pixels(ascent, scale);
            tm.tmDescent = Pixels(descent, scale);
            tm.tmHeight = tm.tmAscent + tm.tmDescent;
            tm.tmInternalLeading = Pixels(ascent + descent - em, scale);
            const long gap =
                hhea->Line_Gap - ((ascent + descent) - (hhea->Ascender - hhea->Descender));
            tm.tmExternalLeading = Pixels(std::max(gap, 0L), scale);
            const int extra = realized.Source.SyntheticBold ? 1 : 0;
            tm.tmAveCharWidth = Pixels(os2->xAvgCharWidth, scale) + extra;
            tm.tmMaxCharWidth =
                Pixels(face->Handle->bbox.xMax - face->Handle->bbox.xMin, scale) + extra;
            const bool fixed = FT_IS_FIXED_WIDTH(face->Handle);
            tm.tmPitchAndFamily = static_cast<BYTE>(0x06 | (fixed ? 0x30 : 0x21));
            FillCommon(tm, bold, italic, font);
            realized.Source.EmHeight = ppem;
            return realized;
        }
        realized.Source.Approximate = true;
        realized.Source.File.clear();
    }
#endif
    Approximate(realized, font);
    return realized;
}

int TFontEngine::Advance(TRealizedFont& font, char32_t ch) {
    auto it = font.Advances.find(ch);
    if (it != font.Advances.end())
        return it->second;
    int advance = font.Metrics.tmAveCharWidth;
#if defined(QUORVEL_SIM_FREETYPE)
    if (!font.Source.Approximate) {
        if (TFace* face = OpenFace(font.Source.File, font.Source.FaceIndex)) {
            FT_Face f = face->Handle;
            FT_Int32 flags = FT_LOAD_DEFAULT;
            if (font.Source.Bitmap) {
                FT_Select_Size(f, 0);
            } else {
                // Hinted outlines at the em size: embedded bitmaps are not used.
                FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(font.Source.EmHeight));
                flags |= FT_LOAD_NO_BITMAP;
            }
            FT_UInt glyph = FT_Get_Char_Index(f, ch);
            // A character the face lacks comes from the linked face, outlines at the same em.
            if (glyph == 0 && ch > 0x7F && !font.Source.LinkFile.empty())
                if (TFace* link = OpenFace(font.Source.LinkFile, 0)) {
                    f = link->Handle;
                    FT_Set_Pixel_Sizes(f, 0,
                                       static_cast<FT_UInt>(std::max(font.Source.EmHeight, 1)));
                    flags = FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP;
                    glyph = FT_Get_Char_Index(f, ch);
                }
            if (FT_Load_Glyph(f, glyph, flags) == 0)
                advance = static_cast<int>((f->glyph->advance.x + 32) >> 6) +
                          (font.Source.SyntheticBold ? 1 : 0);
        }
    }
#endif
    font.Advances.emplace(ch, advance);
    return advance;
}

SIZE TFontEngine::Extent(TRealizedFont& font, const WCHAR* text, int length) {
    long long width = 0;
    for (int i = 0; i < length; ++i) {
        char32_t ch = text[i];
        // A surrogate pair is one character.
        if (ch >= 0xD800 && ch < 0xDC00 && i + 1 < length && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            ch = 0x10000 + ((ch - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            ++i;
        }
        width += Advance(font, ch);
    }
    return SIZE{Saturate(width), font.Metrics.tmHeight};
}

} // namespace Sim
