// The package's resources: the palette bitmap, the description, the platform
// targets and the version block.
#include "quorvel/package/Package.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace QuorvelPack {

namespace {

// The palette icon, one character per pixel, each a colour of the standard
// 16-colour palette below: a form (grey frame, blue caption) whose two controls
// grow with a diagonal arrow toward the bottom-right corner.
constexpr std::array<std::string_view, 24> Picture = {
    "........................", ".111111111111111111111..", ".1CCCCCCCCCCCCCCCCCCC1..",
    ".1CCCCCCCCCCCCCC7C7C71..", ".1111111111111111111110.", ".1FFFFFFFFFFFFFFFFFFF10.",
    ".1F99999F3333333FFFFF10.", ".1F9FFF9F3FFFFF3FFFFF10.", ".1F99999F3333333FFFFF10.",
    ".1FFFFFFFFFFFFFFFFFFF10.", ".1FAAAAAAAAAAAAFFFFFF10.", ".1FAFFFFFFFFFFAFFFFFF10.",
    ".1FAFFFFFFFFFFAFFFFFF10.", ".1FAAAAAAAAAAAAF0000F10.", ".1FFFFFFFFFFFFFFF000F10.",
    ".1FFFFFFFFFFFFFF0F00F10.", ".1FFFFFFFFFFFFF0FFF0F10.", ".1FFFFFFFFFFFF0FFFFFF10.",
    ".1FFFFFFFFFFF0FFFFFFF10.", ".1FFFFFFFFFFFFFFFFFFF10.", ".1FFFFFFFFFFFFFFFFFFF10.",
    ".1111111111111111111110.", "..0000000000000000000000", "........................",
};

// RGBQUAD entries (blue, green, red, reserved) of the standard palette. Index 13
// (magenta-like, here the '.' background) is the palette's transparent colour.
constexpr std::array<std::uint8_t, 64> Palette = {
    0x00, 0x00, 0x00, 0, 0x00, 0x00, 0x80, 0, 0x00, 0x80, 0x00, 0, 0x00, 0x80, 0x80, 0,
    0x80, 0x00, 0x00, 0, 0x80, 0x00, 0x80, 0, 0x80, 0x80, 0x00, 0, 0xC0, 0xC0, 0xC0, 0,
    0x80, 0x80, 0x80, 0, 0x00, 0x00, 0xFF, 0, 0x00, 0xFF, 0x00, 0, 0x00, 0xFF, 0xFF, 0,
    0xFF, 0x00, 0x00, 0, 0xFF, 0x00, 0xFF, 0, 0xFF, 0xFF, 0x00, 0, 0xFF, 0xFF, 0xFF, 0,
};

int ColourIndex(char c) {
    switch (c) {
    case '.': return 13; // background
    case '0': return 8;  // shadow, dark grey
    case '1': return 0;  // frame, black
    case '3': return 9;  // control, red
    case '7': return 7;  // caption buttons, light grey
    case '9': return 12; // control, blue
    case 'A': return 10; // control, green
    case 'C': return 4;  // caption, navy
    case 'F': return 15; // client area, white
    default: return 0;
    }
}

constexpr std::size_t HeaderSize = 40;
constexpr std::size_t RowBytes = 12; // 24 pixels at 4 bits, padded to 32 bits
constexpr std::size_t BitmapSize = HeaderSize + Palette.size() + RowBytes * 24;
static_assert(BitmapSize == 392);

void PutLe(std::uint8_t* p, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::array<std::uint8_t, BitmapSize> MakeBitmap() {
    std::array<std::uint8_t, BitmapSize> bmp{};
    std::uint8_t* h = bmp.data();
    PutLe(h + 0, HeaderSize, 4);     // biSize
    PutLe(h + 4, 24, 4);             // biWidth
    PutLe(h + 8, 24, 4);             // biHeight (bottom-up)
    PutLe(h + 12, 1, 2);             // biPlanes
    PutLe(h + 14, 4, 2);             // biBitCount
    PutLe(h + 16, 0, 4);             // BI_RGB
    PutLe(h + 20, RowBytes * 24, 4); // biSizeImage
    PutLe(h + 32, 16, 4);            // biClrUsed
    std::copy(Palette.begin(), Palette.end(), bmp.begin() + HeaderSize);
    std::uint8_t* pixels = bmp.data() + HeaderSize + Palette.size();
    for (std::size_t row = 0; row < 24; ++row) {
        std::string_view line = Picture[23 - row]; // bottom row first
        std::uint8_t* out = pixels + row * RowBytes;
        for (std::size_t x = 0; x < 24; x += 2)
            out[x / 2] =
                static_cast<std::uint8_t>((ColourIndex(line[x]) << 4) | ColourIndex(line[x + 1]));
    }
    return bmp;
}

} // namespace

const std::uint8_t* PaletteBitmap(std::size_t* size) {
    static const auto bitmap = MakeBitmap();
    if (size)
        *size = bitmap.size();
    return bitmap.data();
}

const char* const Description = "Quorvel proportional form layout";
const std::uint32_t PlatformTargets = 3; // 32-bit and 64-bit Windows

const std::string& PackageInfoText() {
    static const std::string text = [] {
        std::string t =
            std::string("Package: QuorvelPack\nRequires: ") + RequiredPackage + "\nContains:";
        for (const char* unit : UnitNames)
            t += std::string(" ") + unit;
        return t + "\n";
    }();
    return text;
}

const std::string& VersionText() {
    static const std::string text = "FileVersion=1.0.0.0\nProductVersion=1.0\n"
                                    "ProductName=Quorvel\nFileDescription=" +
                                    std::string(Description) +
                                    "\nOriginalFilename=QuorvelPack.bpl\n";
    return text;
}

} // namespace QuorvelPack
