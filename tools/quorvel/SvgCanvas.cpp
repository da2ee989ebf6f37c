#include "SvgCanvas.h"

#include "Markup.h"
#include "PngWriter.h"

#include "quorvel/vcl/SysUtils.h"

#include <algorithm>
#include <cstdio>

namespace QuorvelTool {

std::string CssColor(TRgb color) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%06x", static_cast<unsigned>(color & 0xFFFFFF));
    return buffer;
}

namespace {

std::string Half(int v) { return std::to_string(v) + ".5"; }

std::string FaceOf(const Win32::LOGFONTW& font) {
    std::u16string face;
    for (int i = 0; i < Win32::LF_FACESIZE && font.lfFaceName[i]; ++i)
        face += font.lfFaceName[i];
    return Vcl::Utf16ToUtf8(face);
}

// The face as asked for, then the file's family, then a generic family.
std::string FontFamily(const TTextRun& run) {
    std::string families;
    auto add = [&](const std::string& name) {
        if (name.empty() || families.find("'" + name + "'") != std::string::npos)
            return;
        families += "'" + name + "', ";
    };
    add(FaceOf(run.Font));
    add(Vcl::Utf16ToUtf8(run.Measure.Source.Face));
    add(Vcl::Utf16ToUtf8(run.Measure.Source.Family));
    const bool fixed = (run.Measure.Metrics.tmPitchAndFamily & 0xF0) == 0x30;
    return families + (fixed ? "monospace" : "sans-serif");
}

} // namespace

void TSvgCanvas::FillRect(const TBox& box, TRgb color) {
    if (box.Empty())
        return;
    FBody << "<rect x=\"" << box.Left << "\" y=\"" << box.Top << "\" width=\"" << box.Width
          << "\" height=\"" << box.Height << "\" fill=\"" << CssColor(color) << "\"/>\n";
}

void TSvgCanvas::FrameRect(const TBox& box, TRgb color) {
    if (box.Empty())
        return;
    FBody << "<rect x=\"" << Half(box.Left) << "\" y=\"" << Half(box.Top) << "\" width=\""
          << box.Width - 1 << "\" height=\"" << box.Height - 1 << "\" fill=\"none\" stroke=\""
          << CssColor(color) << "\"/>\n";
}

void TSvgCanvas::FillEllipse(const TBox& box, TRgb color) {
    if (box.Empty())
        return;
    char buffer[160];
    std::snprintf(buffer, sizeof buffer,
                  "<ellipse cx=\"%.1f\" cy=\"%.1f\" rx=\"%.1f\" ry=\"%.1f\" fill=\"%s\"/>\n",
                  box.Left + box.Width / 2.0, box.Top + box.Height / 2.0, box.Width / 2.0,
                  box.Height / 2.0, CssColor(color).c_str());
    FBody << buffer;
}

void TSvgCanvas::Line(int x0, int y0, int x1, int y1, TRgb color) {
    // Through the pixel centres, the last pixel included as the raster line has it.
    double ex = x1 + 0.5, ey = y1 + 0.5;
    if (x0 == x1)
        ey += y1 >= y0 ? 0.5 : -0.5;
    else if (y0 == y1)
        ex += x1 >= x0 ? 0.5 : -0.5;
    char buffer[160];
    std::snprintf(buffer, sizeof buffer,
                  "<line x1=\"%d.5\" y1=\"%d.5\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"%s\"/>\n", x0, y0,
                  ex, ey, CssColor(color).c_str());
    FBody << buffer;
}

namespace {

std::string Base64(const std::string& bytes) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(bytes.size() - i, 3);
        std::uint32_t v = 0;
        for (std::size_t k = 0; k < 3; ++k)
            v = (v << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= n ? digits[(v >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return out;
}

} // namespace

void TSvgCanvas::Image(const TBox& box, const TPixmap& image) {
    if (box.Empty() || image.Width <= 0 || image.Height <= 0)
        return;
    std::vector<unsigned char> rgba;
    rgba.reserve(image.Argb.size() * 4);
    for (std::uint32_t p : image.Argb)
        for (int shift : {16, 8, 0, 24})
            rgba.push_back(static_cast<unsigned char>((p >> shift) & 0xFF));
    FBody << "<image x=\"" << box.Left << "\" y=\"" << box.Top << "\" width=\"" << box.Width
          << "\" height=\"" << box.Height
          << "\" preserveAspectRatio=\"none\" style=\"image-rendering:pixelated\" "
             "href=\"data:image/png;base64,"
          << Base64(EncodePngRgba(image.Width, image.Height, rgba)) << "\"/>\n";
}

void TSvgCanvas::Text(int x, int y, const TTextRun& run, TRgb color) {
    if (run.Text.empty())
        return;
    const Sim::TFontSource& source = run.Measure.Source;
    FBody << "<text x=\"" << x << "\" y=\"" << y + run.Ascent() << "\" font-family=\""
          << MarkupEscape(FontFamily(run)) << "\" font-size=\"" << source.EmHeight << "px\"";
    if (run.Font.lfWeight >= 600)
        FBody << " font-weight=\"bold\"";
    if (run.Font.lfItalic)
        FBody << " font-style=\"italic\"";
    if (run.Font.lfUnderline || run.Font.lfStrikeOut)
        FBody << " text-decoration=\"" << (run.Font.lfUnderline ? "underline" : "")
              << (run.Font.lfUnderline && run.Font.lfStrikeOut ? " " : "")
              << (run.Font.lfStrikeOut ? "line-through" : "") << "\"";
    FBody << " fill=\"" << CssColor(color) << "\" xml:space=\"preserve\">"
          << MarkupEscape(Vcl::Utf16ToUtf8(run.Text)) << "</text>\n";
}

void TSvgCanvas::PushClip(const TBox& box) {
    const int id = FNextClip++;
    FBody << "<clipPath id=\"" << FIdPrefix << id << "\"><rect x=\"" << box.Left << "\" y=\""
          << box.Top << "\" width=\"" << std::max(box.Width, 0) << "\" height=\""
          << std::max(box.Height, 0) << "\"/></clipPath>\n<g clip-path=\"url(#" << FIdPrefix << id
          << ")\">\n";
}

void TSvgCanvas::PopClip() { FBody << "</g>\n"; }

void TSvgCanvas::BeginStretch(const TBox& area, double scale) {
    FBody << "<g transform=\"translate(" << area.Left << " " << area.Top << ") scale(" << scale
          << ") translate(" << -area.Left << " " << -area.Top << ")\">\n";
}

void TSvgCanvas::EndStretch() { FBody << "</g>\n"; }

void TSvgCanvas::BeginGroup(const std::string& title) {
    FBody << "<g><title>" << MarkupEscape(title) << "</title>\n";
}

void TSvgCanvas::EndGroup() { FBody << "</g>\n"; }

std::string TSvgCanvas::Document(int width, int height) const {
    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
        << "\" viewBox=\"0 0 " << width << " " << height << "\" shape-rendering=\"crispEdges\">\n"
        << FBody.str() << "</svg>\n";
    return svg.str();
}

} // namespace QuorvelTool
