// What the form pictures are drawn on: filled and outlined shapes and text in a
// font the simulated desktop measures, each clipped to the current rectangle. The
// SVG and the PNG picture are two canvases fed by the same painter, so they show
// the same thing.
#pragma once

#include "ImageDecoding.h"
#include "quorvel/win/sim/SimDesktop.h"

#include <cstdint>
#include <string>

namespace QuorvelTool {

// 0xRRGGBB.
using TRgb = std::uint32_t;

struct TBox {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    bool Empty() const { return Width <= 0 || Height <= 0; }
    TBox Inset(int dx, int dy) const {
        return {Left + dx, Top + dy, Width - 2 * dx, Height - 2 * dy};
    }
    TBox Intersect(const TBox& other) const;
};

// Text in one font, measured by the simulated desktop: the same font file draws it.
struct TTextRun {
    std::u16string Text;
    Win32::LOGFONTW Font{};
    Sim::TTextMeasure Measure;
    int Width() const { return Measure.Extent.cx; }
    int Height() const { return Measure.Metrics.tmHeight; }
    int Ascent() const { return Measure.Metrics.tmAscent; }
};

// Measures a run on the current simulated desktop.
TTextRun MeasureRun(const Win32::LOGFONTW& font, std::u16string text);

class TCanvas {
public:
    virtual ~TCanvas() = default;
    virtual void FillRect(const TBox& box, TRgb color) = 0;
    // A one-pixel outline inside the box.
    virtual void FrameRect(const TBox& box, TRgb color) = 0;
    virtual void FillEllipse(const TBox& box, TRgb color) = 0;
    // A one-pixel line from (x0, y0) to (x1, y1), both ends included.
    virtual void Line(int x0, int y0, int x1, int y1, TRgb color) = 0;
    // The run's left edge at x, its cell's top at y.
    virtual void Text(int x, int y, const TTextRun& run, TRgb color) = 0;
    // The image scaled to the box, pixel by pixel, over what lies there.
    virtual void Image(const TBox& box, const TPixmap& image) = 0;
    // Clipping nests: a pushed box is cut by the ones pushed before it.
    virtual void PushClip(const TBox& box) = 0;
    virtual void PopClip() = 0;
    // What is drawn until EndStretch, inside `area`, appears stretched by `scale`
    // about the area's top-left corner: a window of a program unaware of the
    // screen's resolution, as the system shows it.
    virtual void BeginStretch(const TBox& area, double scale) = 0;
    virtual void EndStretch() = 0;
    // A tooltip for what follows (the SVG shows it on hovering); no effect in pixels.
    virtual void BeginGroup(const std::string& title) { (void)title; }
    virtual void EndGroup() {}
};

} // namespace QuorvelTool
