// A canvas that writes SVG elements: rectangles, circles, lines and text elements
// naming the control's face (then the family it is measured with), clip paths for
// the clipping boxes. No font is embedded.
#pragma once

#include "Canvas.h"

#include <sstream>
#include <string>
#include <string_view>

namespace QuorvelTool {

class TSvgCanvas : public TCanvas {
public:
    // Clip ids start with the prefix: pictures that share one page need their own.
    explicit TSvgCanvas(std::string idPrefix = "c") : FIdPrefix(std::move(idPrefix)) {}

    void FillRect(const TBox& box, TRgb color) override;
    void FrameRect(const TBox& box, TRgb color) override;
    void FillEllipse(const TBox& box, TRgb color) override;
    void Line(int x0, int y0, int x1, int y1, TRgb color) override;
    void Text(int x, int y, const TTextRun& run, TRgb color) override;
    void Image(const TBox& box, const TPixmap& image) override;
    void PushClip(const TBox& box) override;
    void PopClip() override;
    void BeginStretch(const TBox& area, double scale) override;
    void EndStretch() override;
    void BeginGroup(const std::string& title) override;
    void EndGroup() override;

    // The whole document of that size, with what was drawn.
    std::string Document(int width, int height) const;

private:
    std::ostringstream FBody;
    std::string FIdPrefix;
    int FNextClip = 0;
};

std::string CssColor(TRgb color);

} // namespace QuorvelTool
