#include "quorvel/vcl/TextMetrics.h"

#include <algorithm>
#include <vector>

namespace Vcl {

using namespace Win32;

namespace {

// The screen's device context with the font selected, released on leaving.
class TMeasuringDC {
public:
    explicit TMeasuringDC(TFont& font) : FDC(GetDC(nullptr)) {
        FOld = SelectObject(FDC, font.Handle());
        GetTextMetricsW(FDC, &FMetrics);
    }
    ~TMeasuringDC() {
        if (FOld)
            SelectObject(FDC, FOld);
        ReleaseDC(nullptr, FDC);
    }
    TMeasuringDC(const TMeasuringDC&) = delete;
    TMeasuringDC& operator=(const TMeasuringDC&) = delete;

    const TEXTMETRICW& Metrics() const { return FMetrics; }

    // One line's width, tabs expanded to the next stop.
    int Width(std::u16string_view line) const {
        const int stop = std::max<int>(FMetrics.tmAveCharWidth * 8, 1);
        int x = 0;
        std::size_t start = 0;
        while (true) {
            const std::size_t tab = line.find(u'\t', start);
            const std::u16string_view piece =
                line.substr(start, tab == std::u16string_view::npos ? line.npos : tab - start);
            SIZE size{};
            if (!piece.empty())
                GetTextExtentPoint32W(FDC, reinterpret_cast<LPCWSTR>(piece.data()),
                                      static_cast<int>(piece.size()), &size);
            x += size.cx;
            if (tab == std::u16string_view::npos)
                return x;
            x = (x / stop + 1) * stop;
            start = tab + 1;
        }
    }

private:
    HDC FDC;
    HGDIOBJ FOld = nullptr;
    TEXTMETRICW FMetrics{};
};

std::u16string WithoutPrefixes(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&')
                out += u'&', ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

std::vector<std::u16string> Lines(const std::u16string& text) {
    std::vector<std::u16string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

// How many lines a paragraph takes at that width, and the widest of them.
void Wrap(const TMeasuringDC& dc, const std::u16string& paragraph, int width, int& lines,
          int& widest) {
    std::u16string line;
    auto flush = [&] {
        while (!line.empty() && line.back() == u' ')
            line.pop_back();
        widest = std::max(widest, dc.Width(line));
        ++lines;
        line.clear();
    };
    std::size_t i = 0;
    bool any = false;
    while (i < paragraph.size()) {
        // A word with the spaces before it.
        std::size_t end = i;
        while (end < paragraph.size() && paragraph[end] == u' ')
            ++end;
        while (end < paragraph.size() && paragraph[end] != u' ')
            ++end;
        const std::u16string word = paragraph.substr(i, end - i);
        std::u16string candidate = line + word;
        std::u16string trimmed = candidate;
        while (!trimmed.empty() && trimmed.back() == u' ')
            trimmed.pop_back();
        if (any && !line.empty() && dc.Width(trimmed) > width) {
            flush();
            std::size_t first = word.find_first_not_of(u' ');
            line = first == std::u16string::npos ? std::u16string() : word.substr(first);
        } else {
            line = candidate;
        }
        any = true;
        i = end;
    }
    flush();
}

} // namespace

int FontLineHeight(TFont& font) { return TMeasuringDC(font).Metrics().tmHeight; }

TTextBox CaptionExtent(TFont& font, const String& text, bool wordWrap, int wrapWidth,
                       bool accelChars) {
    std::u16string units = IsValidUtf8(text) ? Utf8ToUtf16(text) : std::u16string(u"?");
    if (accelChars)
        units = WithoutPrefixes(units);
    if (units.empty()) // an empty caption measures as one space
        units.push_back(u' ');
    TMeasuringDC dc(font);
    int lines = 0, widest = 0;
    for (const std::u16string& paragraph : Lines(units)) {
        if (wordWrap) {
            Wrap(dc, paragraph, wrapWidth, lines, widest);
        } else {
            widest = std::max(widest, dc.Width(paragraph));
            ++lines;
        }
    }
    return {widest, lines * dc.Metrics().tmHeight};
}

} // namespace Vcl
