#include "RasterCanvas.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace QuorvelTool {

// FreeType faces by file and face index, opened on first use.
struct TRasterCanvas::TGlyphs {
    FT_Library Library = nullptr;
    std::map<std::pair<std::string, int>, FT_Face> Faces;

    TGlyphs() {
        if (FT_Init_FreeType(&Library) != 0)
            Library = nullptr;
    }
    ~TGlyphs() {
        for (auto& [key, face] : Faces)
            if (face)
                FT_Done_Face(face);
        if (Library)
            FT_Done_FreeType(Library);
    }

    FT_Face Face(const std::string& file, int index) {
        auto [it, added] = Faces.try_emplace({file, index}, nullptr);
        if (added && Library && FT_New_Face(Library, file.c_str(), index, &it->second) != 0)
            it->second = nullptr;
        // A bitmap face without a Unicode map is read through the one it has, as
        // the simulated desktop measures it.
        if (added && it->second && !it->second->charmap && it->second->num_charmaps > 0)
            FT_Set_Charmap(it->second, it->second->charmaps[0]);
        return it->second;
    }
};

TRasterCanvas::TRasterCanvas(int width, int height, TRgb background)
    : FWidth(std::max(width, 1)), FHeight(std::max(height, 1)),
      FPixels(static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(FHeight) * 3),
      FGlyphs(std::make_unique<TGlyphs>()) {
    FClips.push_back({0, 0, FWidth, FHeight});
    FillRect({0, 0, FWidth, FHeight}, background);
}

TRasterCanvas::~TRasterCanvas() = default;

TRgb TRasterCanvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return 0;
    const std::size_t i = (static_cast<std::size_t>(y) * FWidth + x) * 3;
    return (TRgb{FPixels[i]} << 16) | (TRgb{FPixels[i + 1]} << 8) | FPixels[i + 2];
}

void TRasterCanvas::Blend(int x, int y, TRgb color, int coverage) {
    const TBox clip = Clip();
    if (coverage <= 0 || x < clip.Left || y < clip.Top || x >= clip.Right() || y >= clip.Bottom())
        return;
    const std::size_t i = (static_cast<std::size_t>(y) * FWidth + x) * 3;
    const int a = std::min(coverage, 255);
    const int channels[3] = {static_cast<int>((color >> 16) & 0xFF),
                             static_cast<int>((color >> 8) & 0xFF), static_cast<int>(color & 0xFF)};
    for (int c = 0; c < 3; ++c) {
        const int dst = FPixels[i + c];
        FPixels[i + c] =
            static_cast<unsigned char>((dst * (255 - a) + channels[c] * a + 127) / 255);
    }
}

void TRasterCanvas::FillRect(const TBox& box, TRgb color) {
    const TBox area = box.Intersect(Clip());
    for (int y = area.Top; y < area.Bottom(); ++y)
        for (int x = area.Left; x < area.Right(); ++x)
            Blend(x, y, color, 255);
}

void TRasterCanvas::FrameRect(const TBox& box, TRgb color) {
    if (box.Empty())
        return;
    FillRect({box.Left, box.Top, box.Width, 1}, color);
    FillRect({box.Left, box.Bottom() - 1, box.Width, 1}, color);
    FillRect({box.Left, box.Top, 1, box.Height}, color);
    FillRect({box.Right() - 1, box.Top, 1, box.Height}, color);
}

void TRasterCanvas::Image(const TBox& box, const TPixmap& image) {
    if (box.Empty() || image.Width <= 0 || image.Height <= 0)
        return;
    const TBox area = box.Intersect(Clip());
    for (int y = area.Top; y < area.Bottom(); ++y) {
        const int sy =
            static_cast<int>(static_cast<long long>(y - box.Top) * image.Height / box.Height);
        for (int x = area.Left; x < area.Right(); ++x) {
            const int sx =
                static_cast<int>(static_cast<long long>(x - box.Left) * image.Width / box.Width);
            const std::uint32_t p = image.At(sx, sy);
            Blend(x, y, p & 0xFFFFFF, static_cast<int>(p >> 24));
        }
    }
}

void TRasterCanvas::FillEllipse(const TBox& box, TRgb color) {
    if (box.Empty())
        return;
    const double rx = box.Width / 2.0, ry = box.Height / 2.0;
    const double cx = box.Left + rx, cy = box.Top + ry;
    const TBox area = box.Intersect(Clip());
    for (int y = area.Top; y < area.Bottom(); ++y)
        for (int x = area.Left; x < area.Right(); ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0)
                Blend(x, y, color, 255);
        }
}

void TRasterCanvas::Line(int x0, int y0, int x1, int y1, TRgb color) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (int guard = 0; guard < 1 << 16; ++guard) {
        Blend(x0, y0, color, 255);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void TRasterCanvas::Text(int x, int y, const TTextRun& run, TRgb color) {
    const Sim::TFontSource& source = run.Measure.Source;
    const int baseline = y + run.Ascent();
    FT_Face face = source.File.empty() ? nullptr : FGlyphs->Face(source.File, source.FaceIndex);
    const int bold = source.SyntheticBold ? 1 : 0;
    int pen = x;
    if (face) {
        if (source.Bitmap) {
            FT_Select_Size(face, 0);
        } else {
            FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::max(source.EmHeight, 1)));
            // A slanted upright face stands in for a missing italic file.
            FT_Matrix shear{0x10000, source.SyntheticItalic ? 0x366A : 0, 0, 0x10000};
            FT_Set_Transform(face, &shear, nullptr);
        }
    }
    const std::u16string& text = run.Text;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t ch = text[i];
        if (ch >= 0xD800 && ch < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            ch = 0x10000 + ((ch - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            ++i;
        }
        FT_Face from = face;
        FT_Int32 flags = FT_LOAD_RENDER | (source.Bitmap ? 0 : FT_LOAD_NO_BITMAP);
        FT_UInt glyph = face ? FT_Get_Char_Index(face, ch) : 0;
        // A character the face lacks comes from the linked face, as it is measured.
        if (face && glyph == 0 && ch > 0x7F && !source.LinkFile.empty())
            if (FT_Face link = FGlyphs->Face(source.LinkFile, 0)) {
                from = link;
                FT_Set_Pixel_Sizes(from, 0, static_cast<FT_UInt>(std::max(source.EmHeight, 1)));
                flags = FT_LOAD_RENDER | FT_LOAD_NO_BITMAP;
                glyph = FT_Get_Char_Index(from, ch);
            }
        if (!face || FT_Load_Glyph(from, glyph, flags) != 0) {
            // No file: a box of the average width stands for the character.
            const int w = run.Measure.Metrics.tmAveCharWidth;
            if (ch != u' ')
                FrameRect({pen + 1, baseline - run.Ascent() * 2 / 3, std::max(w - 2, 1),
                           run.Ascent() * 2 / 3},
                          color);
            pen += w;
            continue;
        }
        const FT_GlyphSlot slot = from->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        for (int pass = 0; pass <= bold; ++pass)
            for (unsigned row = 0; row < bitmap.rows; ++row)
                for (unsigned col = 0; col < bitmap.width; ++col) {
                    int coverage;
                    const unsigned char* line =
                        bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
                    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                        coverage = (line[col >> 3] & (0x80 >> (col & 7))) ? 255 : 0;
                    else
                        coverage = line[col];
                    Blend(pen + slot->bitmap_left + static_cast<int>(col) + pass,
                          baseline - slot->bitmap_top + static_cast<int>(row), color, coverage);
                }
        pen += static_cast<int>((slot->advance.x + 32) >> 6) + bold;
    }
    if (face && !source.Bitmap)
        FT_Set_Transform(face, nullptr, nullptr);
    const int width = pen - x;
    const int thickness = std::max(1, source.EmHeight / 12);
    if (run.Font.lfUnderline)
        FillRect({x, baseline + std::max(1, run.Measure.Metrics.tmDescent / 2), width, thickness},
                 color);
    if (run.Font.lfStrikeOut)
        FillRect({x, baseline - run.Ascent() / 3, width, thickness}, color);
}

void TRasterCanvas::PushClip(const TBox& box) { FClips.push_back(box.Intersect(Clip())); }

void TRasterCanvas::BeginStretch(const TBox& area, double scale) {
    FStretches.push_back({FPixels, FClips, area, scale > 0 ? scale : 1.0});
    FClips = {area.Intersect({0, 0, FWidth, FHeight})};
}

void TRasterCanvas::EndStretch() {
    if (FStretches.empty())
        return;
    TStretch frame = std::move(FStretches.back());
    FStretches.pop_back();
    // FPixels holds the area drawn at its own size; put the picture under it back
    // and the area on it, stretched.
    std::swap(FPixels, frame.Pixels);
    FClips = std::move(frame.Clips);
    const TBox& a = frame.Area;
    if (a.Empty())
        return;
    const double s = frame.Scale;
    const TBox shown = TBox{a.Left, a.Top, static_cast<int>(std::lround(a.Width * s)),
                            static_cast<int>(std::lround(a.Height * s))}
                           .Intersect(Clip());
    auto source = [&](int x, int y, int c) {
        x = std::clamp(x, std::max(a.Left, 0), std::min(a.Right(), FWidth) - 1);
        y = std::clamp(y, std::max(a.Top, 0), std::min(a.Bottom(), FHeight) - 1);
        return static_cast<double>(frame.Pixels[(static_cast<std::size_t>(y) * FWidth + x) * 3 +
                                                static_cast<std::size_t>(c)]);
    };
    for (int y = shown.Top; y < shown.Bottom(); ++y) {
        const double sy = a.Top + (y - a.Top + 0.5) / s - 0.5;
        const int y0 = static_cast<int>(std::floor(sy));
        const double fy = sy - y0;
        for (int x = shown.Left; x < shown.Right(); ++x) {
            const double sx = a.Left + (x - a.Left + 0.5) / s - 0.5;
            const int x0 = static_cast<int>(std::floor(sx));
            const double fx = sx - x0;
            const std::size_t i = (static_cast<std::size_t>(y) * FWidth + x) * 3;
            for (int c = 0; c < 3; ++c) {
                const double top = source(x0, y0, c) * (1 - fx) + source(x0 + 1, y0, c) * fx;
                const double bottom =
                    source(x0, y0 + 1, c) * (1 - fx) + source(x0 + 1, y0 + 1, c) * fx;
                FPixels[i + static_cast<std::size_t>(c)] =
                    static_cast<unsigned char>(std::lround(top * (1 - fy) + bottom * fy));
            }
        }
    }
}

void TRasterCanvas::PopClip() {
    if (FClips.size() > 1)
        FClips.pop_back();
}

} // namespace QuorvelTool
