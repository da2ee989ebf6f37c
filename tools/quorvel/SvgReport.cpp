#include "Markup.h"
#include "Report.h"
#include "SvgCanvas.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace QuorvelTool {

namespace {

constexpr double Margin = 20;
constexpr double Gap = 40;
constexpr double TitleHeight = 26;
constexpr double CaptionHeight = 24;
constexpr double FooterHeight = 34;
constexpr double MinPanelWidth = 220;
// The largest client area is drawn at most this big; all panels share one scale so
// that sizes compare across snapshots.
constexpr double MaxDrawnWidth = 800;
constexpr double MaxDrawnHeight = 600;

std::string Num(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    std::string text = buffer;
    if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0)
        text.resize(text.size() - 2);
    return text;
}

// Fill colours by nesting depth: controls on panels stand out from their parent.
const char* Fill(int depth) {
    static const char* const fills[] = {"#ffffff", "#e8f0fb", "#d6e4f7", "#c4d8f2"};
    return fills[std::min(depth, 3)];
}

double PanelWidth(const TSnapshot& s, double scale) {
    return std::max(s.ClientWidth * scale, MinPanelWidth);
}

void WritePanel(std::ostream& svg, const TSnapshot& s, std::size_t index, double left,
                double scale) {
    const double top = Margin;
    const double width = PanelWidth(s, scale);
    const double clientW = s.ClientWidth * scale;
    const double clientH = s.ClientHeight * scale;
    const double captionTop = top + TitleHeight;
    const double clientTop = captionTop + CaptionHeight;
    const std::string clip = "client" + std::to_string(index);

    svg << "<g>\n";
    svg << "<text x=\"" << Num(left) << "\" y=\"" << Num(top + 16) << "\" class=\"title\">after "
        << MarkupEscape(s.Action) << "</text>\n";
    // Caption bar: the window's title with the form's name and client size.
    svg << "<rect x=\"" << Num(left) << "\" y=\"" << Num(captionTop) << "\" width=\""
        << Num(std::max(clientW, width)) << "\" height=\"" << Num(CaptionHeight)
        << "\" class=\"caption\"/>\n";
    std::string caption = s.Caption.empty() ? s.FormName : s.Caption;
    caption += "  " + std::to_string(s.ClientWidth) + "x" + std::to_string(s.ClientHeight);
    if (s.State != "normal")
        caption += " " + s.State;
    svg << "<text x=\"" << Num(left + 6) << "\" y=\"" << Num(captionTop + 16)
        << "\" class=\"captiontext\">" << MarkupEscape(caption) << "</text>\n";
    svg << "<clipPath id=\"" << clip << "\"><rect x=\"" << Num(left) << "\" y=\"" << Num(clientTop)
        << "\" width=\"" << Num(clientW) << "\" height=\"" << Num(clientH) << "\"/></clipPath>\n";
    svg << "<rect x=\"" << Num(left) << "\" y=\"" << Num(clientTop) << "\" width=\"" << Num(clientW)
        << "\" height=\"" << Num(clientH) << "\" class=\"client\"/>\n";
    svg << "<g clip-path=\"url(#" << clip << ")\">\n";
    for (const TControlState& c : s.Controls) {
        const double x = left + c.ClientLeft * scale;
        const double y = clientTop + c.ClientTop * scale;
        const double w = std::max(c.Width * scale, 0.0);
        const double h = std::max(c.Height * scale, 0.0);
        svg << "<rect x=\"" << Num(x) << "\" y=\"" << Num(y) << "\" width=\"" << Num(w)
            << "\" height=\"" << Num(h) << "\" fill=\"" << Fill(c.Depth)
            << "\" class=\"control\"><title>" << MarkupEscape(c.Name) << ": "
            << MarkupEscape(c.ClassName) << " " << c.Left << "," << c.Top << " " << c.Width << "x"
            << c.Height << "</title></rect>\n";
        // A container's name goes to its bottom edge, clear of the controls on it.
        const double baseline = c.Container ? y + h - 3 : y + std::min(h - 2, 11.0);
        if (w >= 24 && h >= 10)
            svg << "<text x=\"" << Num(x + 3) << "\" y=\"" << Num(baseline) << "\" class=\"label\">"
                << MarkupEscape(c.Name) << "</text>\n";
    }
    svg << "</g>\n";
    const double footer = clientTop + clientH + 16;
    svg << "<text x=\"" << Num(left) << "\" y=\"" << Num(footer) << "\" class=\"note\">"
        << MarkupEscape(EventText(s)) << "</text>\n";
    if (s.Error)
        svg << "<text x=\"" << Num(left) << "\" y=\"" << Num(footer + 15)
            << "\" class=\"error\">error: " << MarkupEscape(*s.Error) << "</text>\n";
    svg << "</g>\n";
}

} // namespace

std::string MakeSvg(const std::vector<TSnapshot>& snapshots) {
    int maxW = 1, maxH = 1;
    for (const TSnapshot& s : snapshots) {
        maxW = std::max(maxW, s.ClientWidth);
        maxH = std::max(maxH, s.ClientHeight);
    }
    const double scale = std::min({1.0, MaxDrawnWidth / maxW, MaxDrawnHeight / maxH});

    double width = Margin;
    for (const TSnapshot& s : snapshots)
        width += std::max(PanelWidth(s, scale), s.ClientWidth * scale) + Gap;
    width += Margin - Gap;
    const double height =
        Margin + TitleHeight + CaptionHeight + maxH * scale + FooterHeight + Margin;

    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << Num(std::max(width, 1.0))
        << "\" height=\"" << Num(height) << "\" viewBox=\"0 0 " << Num(std::max(width, 1.0)) << " "
        << Num(height) << "\" font-family=\"DejaVu Sans, Arial, sans-serif\">\n";
    svg << "<style>\n"
           ".title{font-size:13px;font-weight:bold;fill:#222}\n"
           ".caption{fill:#2b579a}\n"
           ".captiontext{font-size:12px;fill:#fff}\n"
           ".client{fill:#f0f0f0;stroke:#555;stroke-width:1}\n"
           ".control{stroke:#4a6fa5;stroke-width:1}\n"
           ".label{font-size:10px;fill:#1a1a1a}\n"
           ".note{font-size:11px;fill:#444}\n"
           ".error{font-size:11px;fill:#b00020}\n"
           "</style>\n";
    svg << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    double left = Margin;
    for (std::size_t i = 0; i < snapshots.size(); ++i) {
        WritePanel(svg, snapshots[i], i, left, scale);
        left += std::max(PanelWidth(snapshots[i], scale), snapshots[i].ClientWidth * scale) + Gap;
    }
    svg << "</svg>\n";
    return svg.str();
}

bool HavePngConverter() {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t colon = dirs.find(':', start);
        std::string dir = dirs.substr(start, colon == std::string::npos ? colon : colon - start);
        if (!dir.empty() && ::access((dir + "/rsvg-convert").c_str(), X_OK) == 0)
            return true;
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    return false;
}

std::string ConvertSvgToPng(const std::string& svgFile, const std::string& pngFile) {
    if (!HavePngConverter())
        return "--png needs rsvg-convert (Debian package librsvg2-bin), which is not installed";
    // No shell: file names go to the converter as they are.
    std::string program = "rsvg-convert", output = "-o";
    std::string out = pngFile, in = svgFile;
    char* argv[] = {program.data(), output.data(), out.data(), in.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "rsvg-convert", nullptr, nullptr, argv, environ) != 0)
        return "could not start rsvg-convert";
    int status = 0;
    if (waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "rsvg-convert failed to convert " + svgFile;
    return {};
}

} // namespace QuorvelTool
