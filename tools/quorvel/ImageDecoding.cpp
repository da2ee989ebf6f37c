#include "ImageDecoding.h"

#include <algorithm>
#include <csetjmp>
#include <cstring>

#if defined(QUORVEL_HAVE_PNG)
#include <png.h>
#endif
#if defined(QUORVEL_HAVE_JPEG)
#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>
#endif
#if defined(QUORVEL_HAVE_GIF)
#include <gif_lib.h>
#endif

namespace QuorvelTool {

namespace {

// Images larger than this are not drawn: a form's picture never is one, and a
// corrupt header must not allocate gigabytes.
constexpr long long MaxPixels = 16LL * 1024 * 1024;

bool Plausible(long long width, long long height) {
    return width > 0 && height > 0 && width * height <= MaxPixels;
}

std::uint32_t Le16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool Starts(const std::uint8_t* data, std::size_t size, const char* magic, std::size_t length) {
    return size >= length && std::memcmp(data, magic, length) == 0;
}

// ---- Device-independent bitmaps ------------------------------------------------------------

// The bits of a mask (one of BI_BITFIELDS) scaled to 8 bits.
std::uint32_t Channel(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    const std::uint32_t bits = mask >> shift;
    return static_cast<std::uint32_t>(
        (static_cast<std::uint64_t>((value & mask) >> shift) * 255 + bits / 2) / bits);
}

// Run-length encoded 8-bit or 4-bit rows, in file order (bottom-up), as palette
// indexes; what the runs skip stays index 0.
std::vector<std::uint8_t> DecodeRunLength(const std::uint8_t* p, std::size_t size, int width,
                                          int height, std::uint32_t bpp) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width) *
                                  static_cast<std::size_t>(height));
    int x = 0, y = 0;
    auto put = [&](std::uint8_t index) {
        if (x < width && y < height)
            out[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)] = index;
        ++x;
    };
    std::size_t at = 0;
    while (at + 1 < size && y < height) {
        const std::uint8_t count = p[at], value = p[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(bpp == 8 ? value
                             : static_cast<std::uint8_t>(i % 2 ? value & 0x0F : value >> 4));
        } else if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // a move
            if (at + 1 >= size)
                break;
            x += p[at];
            y += p[at + 1];
            at += 2;
        } else { // `value` pixels as they are, padded to a 16-bit boundary
            const std::size_t bytes = bpp == 8 ? value : (value + 1u) / 2;
            if (at + bytes > size)
                break;
            for (int i = 0; i < value; ++i)
                put(bpp == 8 ? p[at + static_cast<std::size_t>(i)]
                             : static_cast<std::uint8_t>(i % 2 ? p[at + i / 2] & 0x0F
                                                               : p[at + i / 2] >> 4));
            at += bytes + (bytes & 1);
        }
    }
    return out;
}

// A DIB: its header, palette and bits. An icon's DIB is twice its height, the
// colour bits followed by a one-bit mask (1 is transparent). `end` bounds what
// may be read.
std::optional<TPixmap> DecodeDib(const std::uint8_t* dib, std::size_t size,
                                 const std::uint8_t* bits, bool icon) {
    if (size < 12)
        return std::nullopt;
    const std::uint32_t headerSize = Le32(dib);
    long long width = 0, height = 0;
    std::uint32_t bpp = 0, compression = 0, colors = 0;
    std::uint32_t masks[4] = {0, 0, 0, 0};
    std::size_t paletteEntry = 4;
    if (headerSize == 12) {
        width = Le16(dib + 4);
        height = static_cast<std::int16_t>(Le16(dib + 6));
        bpp = Le16(dib + 10);
        paletteEntry = 3;
    } else if (headerSize >= 40 && size >= headerSize) {
        width = static_cast<std::int32_t>(Le32(dib + 4));
        height = static_cast<std::int32_t>(Le32(dib + 8));
        bpp = Le16(dib + 14);
        compression = Le32(dib + 16);
        colors = Le32(dib + 32);
        if (headerSize >= 56)
            for (int i = 0; i < 4; ++i)
                masks[i] = Le32(dib + 40 + 4 * i);
    } else {
        return std::nullopt;
    }
    const bool topDown = height < 0;
    height = topDown ? -height : height;
    if (icon)
        height /= 2;
    if (!Plausible(width, height))
        return std::nullopt;
    std::size_t palettePos = headerSize;
    if (compression == 3 && headerSize == 40) { // BI_BITFIELDS after a short header
        if (size < 52)
            return std::nullopt;
        for (int i = 0; i < 3; ++i)
            masks[i] = Le32(dib + 40 + 4 * i);
        palettePos += 12;
    }
    const bool runLength = (compression == 1 && bpp == 8) || (compression == 2 && bpp == 4);
    if (compression != 0 && compression != 3 && !runLength)
        return std::nullopt; // embedded formats: a placeholder
    if (compression == 0) {
        if (bpp == 16) {
            masks[0] = 0x7C00;
            masks[1] = 0x03E0;
            masks[2] = 0x001F;
        } else if (bpp == 24 || bpp == 32) {
            masks[0] = 0xFF0000;
            masks[1] = 0x00FF00;
            masks[2] = 0x0000FF;
        }
    }
    std::vector<std::uint32_t> palette;
    if (bpp <= 8) {
        const std::size_t count = colors ? std::min<std::size_t>(colors, 256) : (1u << bpp);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = palettePos + i * paletteEntry;
            if (at + 3 > size)
                break;
            palette.push_back(0xFF000000u | (dib[at + 2] << 16) | (dib[at + 1] << 8) | dib[at]);
        }
        palettePos += count * paletteEntry;
    } else if (bpp != 16 && bpp != 24 && bpp != 32) {
        return std::nullopt;
    }
    const std::uint8_t* end = dib + size;
    if (!bits)
        bits = dib + palettePos;
    if (runLength) {
        if (bits < dib || bits > end || icon)
            return std::nullopt;
        std::vector<std::uint8_t> indexes =
            DecodeRunLength(bits, static_cast<std::size_t>(end - bits), static_cast<int>(width),
                            static_cast<int>(height), bpp);
        TPixmap out;
        out.Width = static_cast<int>(width);
        out.Height = static_cast<int>(height);
        out.Argb.resize(indexes.size());
        for (long long row = 0; row < height; ++row) {
            const long long y = topDown ? row : height - 1 - row;
            for (long long x = 0; x < width; ++x) {
                const std::uint8_t index = indexes[static_cast<std::size_t>(row * width + x)];
                out.Argb[static_cast<std::size_t>(y * width + x)] =
                    index < palette.size() ? palette[index] : 0xFF000000u;
            }
        }
        return out;
    }
    const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
    const std::size_t maskStride = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
    if (bits < dib || bits > end ||
        static_cast<std::size_t>(end - bits) < stride * static_cast<std::size_t>(height))
        return std::nullopt;
    const std::uint8_t* maskBits = bits + stride * static_cast<std::size_t>(height);
    const bool hasMask = icon;
    if (icon &&
        static_cast<std::size_t>(end - maskBits) < maskStride * static_cast<std::size_t>(height))
        return std::nullopt;

    TPixmap out;
    out.Width = static_cast<int>(width);
    out.Height = static_cast<int>(height);
    out.Argb.assign(static_cast<std::size_t>(width * height), 0xFF000000u);
    bool anyAlpha = false;
    for (long long row = 0; row < height; ++row) {
        const std::uint8_t* line = bits + stride * static_cast<std::size_t>(row);
        const long long y = topDown ? row : height - 1 - row;
        for (long long x = 0; x < width; ++x) {
            std::uint32_t pixel = 0xFF000000u;
            if (bpp <= 8) {
                const std::size_t bit = static_cast<std::size_t>(x) * bpp;
                const std::uint32_t index =
                    (line[bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                pixel = index < palette.size() ? palette[index] : 0xFF000000u;
            } else {
                const std::uint8_t* p = line + static_cast<std::size_t>(x) * (bpp / 8);
                const std::uint32_t v = bpp == 16   ? Le16(p)
                                        : bpp == 24 ? (p[0] | (p[1] << 8) | (p[2] << 16))
                                                    : Le32(p);
                pixel = (Channel(v, masks[0]) << 16) | (Channel(v, masks[1]) << 8) |
                        Channel(v, masks[2]);
                if (bpp == 32) {
                    const std::uint32_t alpha = compression == 3 ? Channel(v, masks[3]) : v >> 24;
                    anyAlpha = anyAlpha || alpha != 0;
                    pixel |= alpha << 24;
                } else {
                    pixel |= 0xFF000000u;
                }
            }
            out.Argb[static_cast<std::size_t>(y * width + x)] = pixel;
        }
    }
    // A 32-bit bitmap whose fourth byte is unused everywhere is opaque.
    if (bpp == 32 && !anyAlpha)
        for (std::uint32_t& p : out.Argb)
            p |= 0xFF000000u;
    if (hasMask && !(bpp == 32 && anyAlpha))
        for (long long row = 0; row < height; ++row) {
            const std::uint8_t* line = maskBits + maskStride * static_cast<std::size_t>(row);
            const long long y = topDown ? row : height - 1 - row;
            for (long long x = 0; x < width; ++x)
                if ((line[x / 8] >> (7 - x % 8)) & 1)
                    out.Argb[static_cast<std::size_t>(y * width + x)] = 0;
        }
    return out;
}

std::optional<TPixmap> DecodeBmp(const std::uint8_t* data, std::size_t size) {
    if (size < 14 + 12)
        return std::nullopt;
    const std::uint32_t offset = Le32(data + 10);
    return DecodeDib(data + 14, size - 14, offset >= 14 && offset < size ? data + offset : nullptr,
                     false);
}

std::optional<TPixmap> DecodeIco(const std::uint8_t* data, std::size_t size) {
    const std::size_t count = size >= 6 ? Le16(data + 4) : 0;
    // The largest image, the one with most colours among equals.
    std::size_t best = count;
    long long bestArea = -1, bestDepth = -1;
    for (std::size_t i = 0; i < count && 6 + 16 * (i + 1) <= size; ++i) {
        const std::uint8_t* e = data + 6 + 16 * i;
        const long long w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256, depth = Le16(e + 6);
        if (w * h > bestArea || (w * h == bestArea && depth > bestDepth)) {
            best = i;
            bestArea = w * h;
            bestDepth = depth;
        }
    }
    if (best == count)
        return std::nullopt;
    const std::uint8_t* e = data + 6 + 16 * best;
    const std::size_t length = Le32(e + 8), offset = Le32(e + 12);
    if (offset >= size || length > size - offset)
        return std::nullopt;
    if (Starts(data + offset, length, "\x89PNG", 4))
        return DecodeImageFile(data + offset, length);
    return DecodeDib(data + offset, length, nullptr, true);
}

// ---- Through the libraries ----------------------------------------------------------------

#if defined(QUORVEL_HAVE_PNG)
std::optional<TPixmap> DecodePng(const std::uint8_t* data, std::size_t size) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size))
        return std::nullopt;
    image.format = PNG_FORMAT_BGRA;
    if (!Plausible(image.width, image.height)) {
        png_image_free(&image);
        return std::nullopt;
    }
    TPixmap out;
    out.Width = static_cast<int>(image.width);
    out.Height = static_cast<int>(image.height);
    out.Argb.resize(static_cast<std::size_t>(out.Width) * static_cast<std::size_t>(out.Height));
    // BGRA bytes are 0xAARRGGBB words on a little-endian machine; read them byte by byte.
    std::vector<std::uint8_t> bytes(out.Argb.size() * 4);
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    for (std::size_t i = 0; i < out.Argb.size(); ++i)
        out.Argb[i] = Le32(&bytes[i * 4]);
    return out;
}
#endif

#if defined(QUORVEL_HAVE_JPEG)
struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

[[noreturn]] void JpegFailed(j_common_ptr info) {
    std::longjmp(reinterpret_cast<TJpegError*>(info->err)->Jump, 1);
}

void JpegQuiet(j_common_ptr, int) {}

// Nothing with a destructor lives between the jump's setting and its target.
bool ReadJpeg(const std::uint8_t* data, std::size_t size, TPixmap& out,
              std::vector<std::uint8_t>& row) {
    jpeg_decompress_struct info;
    TJpegError error;
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = JpegFailed;
    error.Manager.emit_message = JpegQuiet;
    if (setjmp(error.Jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (!Plausible(info.output_width, info.output_height) || info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    out.Width = static_cast<int>(info.output_width);
    out.Height = static_cast<int>(info.output_height);
    out.Argb.resize(static_cast<std::size_t>(out.Width) * static_cast<std::size_t>(out.Height));
    row.resize(static_cast<std::size_t>(out.Width) * 3);
    while (info.output_scanline < info.output_height) {
        const std::size_t y = info.output_scanline;
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        for (std::size_t x = 0; x < static_cast<std::size_t>(out.Width); ++x)
            out.Argb[y * static_cast<std::size_t>(out.Width) + x] =
                0xFF000000u | (row[3 * x] << 16) | (row[3 * x + 1] << 8) | row[3 * x + 2];
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

std::optional<TPixmap> DecodeJpeg(const std::uint8_t* data, std::size_t size) {
    TPixmap out;
    std::vector<std::uint8_t> row;
    if (!ReadJpeg(data, size, out, row))
        return std::nullopt;
    return out;
}
#endif

#if defined(QUORVEL_HAVE_GIF)
struct TGifSource {
    const std::uint8_t* Data;
    std::size_t Size, At = 0;
};

int ReadGif(GifFileType* gif, GifByteType* buffer, int length) {
    auto* source = static_cast<TGifSource*>(gif->UserData);
    const std::size_t n =
        std::min(static_cast<std::size_t>(std::max(length, 0)), source->Size - source->At);
    std::memcpy(buffer, source->Data + source->At, n);
    source->At += n;
    return static_cast<int>(n);
}

// The first frame on the logical screen.
std::optional<TPixmap> DecodeGif(const std::uint8_t* data, std::size_t size) {
    TGifSource source{data, size};
    int error = 0;
    GifFileType* gif = DGifOpen(&source, ReadGif, &error);
    if (!gif)
        return std::nullopt;
    std::optional<TPixmap> out;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0 && Plausible(gif->SWidth, gif->SHeight)) {
        const SavedImage& frame = gif->SavedImages[0];
        const ColorMapObject* map =
            frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
        GraphicsControlBlock control{};
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        DGifSavedExtensionToGCB(gif, 0, &control);
        TPixmap pixmap;
        pixmap.Width = gif->SWidth;
        pixmap.Height = gif->SHeight;
        pixmap.Argb.assign(static_cast<std::size_t>(pixmap.Width) * pixmap.Height, 0);
        const GifImageDesc& d = frame.ImageDesc;
        for (int y = 0; map && frame.RasterBits && y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x) {
                const int px = d.Left + x, py = d.Top + y;
                const int index = frame.RasterBits[static_cast<std::size_t>(y) * d.Width + x];
                if (px < 0 || py < 0 || px >= pixmap.Width || py >= pixmap.Height ||
                    index == control.TransparentColor || index >= map->ColorCount)
                    continue;
                const GifColorType& c = map->Colors[index];
                pixmap.Argb[static_cast<std::size_t>(py) * pixmap.Width + px] =
                    0xFF000000u | (c.Red << 16) | (c.Green << 8) | c.Blue;
            }
        out = std::move(pixmap);
    }
    DGifCloseFile(gif, &error);
    return out;
}
#endif

} // namespace

TPixmap TPixmap::Crop(int x, int y, int width, int height) const {
    TPixmap out;
    out.Width = std::max(std::min(width, Width - x), 0);
    out.Height = std::max(std::min(height, Height - y), 0);
    for (int row = 0; row < out.Height; ++row)
        for (int col = 0; col < out.Width; ++col)
            out.Argb.push_back(At(x + col, y + row));
    return out;
}

void TPixmap::MakeTransparent(std::uint32_t rgb) {
    for (std::uint32_t& p : Argb)
        if ((p & 0xFFFFFFu) == (rgb & 0xFFFFFFu))
            p = 0;
}

bool CanDecode(const std::string& format) {
#if defined(QUORVEL_HAVE_PNG)
    if (format == "png")
        return true;
#endif
#if defined(QUORVEL_HAVE_JPEG)
    if (format == "jpeg")
        return true;
#endif
#if defined(QUORVEL_HAVE_GIF)
    if (format == "gif")
        return true;
#endif
    return format == "bmp" || format == "ico";
}

std::optional<TPixmap> DecodeImageFile(const std::uint8_t* data, std::size_t size) {
    if (!data)
        return std::nullopt;
    if (Starts(data, size, "BM", 2))
        return DecodeBmp(data, size);
    if (Starts(data, size, "\0\0\1\0", 4))
        return DecodeIco(data, size);
#if defined(QUORVEL_HAVE_PNG)
    if (Starts(data, size, "\x89PNG\r\n\x1a\n", 8))
        return DecodePng(data, size);
#endif
#if defined(QUORVEL_HAVE_JPEG)
    if (Starts(data, size, "\xFF\xD8\xFF", 3))
        return DecodeJpeg(data, size);
#endif
#if defined(QUORVEL_HAVE_GIF)
    if (Starts(data, size, "GIF8", 4))
        return DecodeGif(data, size);
#endif
    return std::nullopt;
}

std::optional<TPixmap> DecodePictureData(const std::vector<std::uint8_t>& data) {
    if (data.empty() || data[0] + 1u > data.size())
        return std::nullopt;
    // After the class name comes the graphic's own file, or its length and then the file.
    const std::size_t at = 1 + data[0];
    const std::uint8_t* rest = data.data() + at;
    const std::size_t size = data.size() - at;
    if (auto image = DecodeImageFile(rest, size))
        return image;
    if (size >= 4 && Le32(rest) <= size - 4)
        return DecodeImageFile(rest + 4, Le32(rest));
    return std::nullopt;
}

std::optional<TPixmap> DecodeBitmapData(const std::vector<std::uint8_t>& data) {
    if (data.size() < 4)
        return std::nullopt;
    const std::size_t length = std::min<std::size_t>(Le32(data.data()), data.size() - 4);
    return DecodeImageFile(data.data() + 4, length);
}

std::vector<TPixmap> DecodeImageList(const std::vector<std::uint8_t>& data) {
    // The header: "IL", version, image count, capacity, growth, image width and
    // height, background colour, flags, four overlay indexes.
    constexpr std::size_t HeaderSize = 28;
    constexpr std::uint32_t MaskFlag = 0x0001;
    std::vector<TPixmap> images;
    if (data.size() < HeaderSize || data[0] != 'I' || data[1] != 'L')
        return images;
    const int count = static_cast<int>(Le16(&data[4]));
    const int cx = static_cast<int>(Le16(&data[10])), cy = static_cast<int>(Le16(&data[12]));
    const std::uint32_t flags = Le16(&data[18]);
    const std::uint8_t* bmp = data.data() + HeaderSize;
    const std::size_t left = data.size() - HeaderSize;
    if (cx <= 0 || cy <= 0 || left < 14 || bmp[0] != 'B' || bmp[1] != 'M')
        return images;
    // The file's own length field is not to be trusted here (it often counts
    // the headers only): the bits' size is what the header says they take.
    std::size_t bmpSize = left;
    if (left >= 14 + 40 && Le32(bmp + 14) >= 40) {
        const long long width = static_cast<std::int32_t>(Le32(bmp + 18));
        const long long height = static_cast<std::int32_t>(Le32(bmp + 22));
        const long long stride = (std::max(width, 0LL) * Le16(bmp + 28) + 31) / 32 * 4;
        bmpSize = std::min<std::size_t>(
            static_cast<std::size_t>(Le32(bmp + 10) + stride * (height < 0 ? -height : height)),
            left);
    }
    std::optional<TPixmap> sheet = DecodeImageFile(bmp, bmpSize);
    if (!sheet)
        return images;
    // The mask follows the images: white where the image is transparent.
    std::optional<TPixmap> mask;
    if ((flags & MaskFlag) && bmpSize + 14 <= left)
        mask = DecodeImageFile(bmp + bmpSize, left - bmpSize);
    const bool alpha = std::any_of(sheet->Argb.begin(), sheet->Argb.end(),
                                   [](std::uint32_t p) { return (p >> 24) != 0xFF; });
    if (mask && !alpha && mask->Width == sheet->Width && mask->Height == sheet->Height)
        for (std::size_t i = 0; i < sheet->Argb.size(); ++i)
            if ((mask->Argb[i] & 0xFFFFFFu) == 0xFFFFFFu)
                sheet->Argb[i] = 0;
    const int columns = std::max(sheet->Width / cx, 1);
    for (int i = 0; i < count && i < 4096; ++i) {
        const int x = (i % columns) * cx, y = (i / columns) * cy;
        if (y + cy > sheet->Height)
            break;
        images.push_back(sheet->Crop(x, y, cx, cy));
    }
    return images;
}

} // namespace QuorvelTool
