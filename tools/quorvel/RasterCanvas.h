// A canvas of pixels: 24-bit colour, text drawn by FreeType from the very font
// file and at the very size the simulated desktop measures it with, glyph by
// glyph at the measured advances, anti-aliased as Windows' standard smoothing.
#pragma once

#include "Canvas.h"

#include <memory>
#include <vector>

namespace QuorvelTool {

class TRasterCanvas : public TCanvas {
public:
    TRasterCanvas(int width, int height, TRgb background);
    ~TRasterCanvas() override;
    TRasterCanvas(const TRasterCanvas&) = delete;
    TRasterCanvas& operator=(const TRasterCanvas&) = delete;

    void FillRect(const TBox& box, TRgb color) override;
    void FrameRect(const TBox& box, TRgb color) override;
    void FillEllipse(const TBox& box, TRgb color) override;
    void Line(int x0, int y0, int x1, int y1, TRgb color) override;
    void Text(int x, int y, const TTextRun& run, TRgb color) override;
    void Image(const TBox& box, const TPixmap& image) override;
    void PushClip(const TBox& box) override;
    void PopClip() override;
    // Drawn apart, then resampled bilinearly into place, as the system stretches.
    void BeginStretch(const TBox& area, double scale) override;
    void EndStretch() override;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    TRgb Pixel(int x, int y) const;
    // Rows top to bottom, three bytes (red, green, blue) a pixel.
    const std::vector<unsigned char>& Pixels() const { return FPixels; }

private:
    struct TGlyphs;
    void Blend(int x, int y, TRgb color, int coverage);
    TBox Clip() const { return FClips.back(); }

    int FWidth, FHeight;
    std::vector<unsigned char> FPixels;
    std::vector<TBox> FClips;
    std::unique_ptr<TGlyphs> FGlyphs;
    struct TStretch {
        std::vector<unsigned char> Pixels; // what lies under the stretched area
        std::vector<TBox> Clips;
        TBox Area;
        double Scale = 1.0;
    };
    std::vector<TStretch> FStretches;
};

} // namespace QuorvelTool
