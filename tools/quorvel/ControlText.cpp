#include "ControlText.h"

#include "quorvel/vcl/SysUtils.h"

namespace QuorvelTool {

std::string StripAccelerators(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        else if (text[i] == '&')
            continue;
        out += text[i];
    }
    return out;
}

std::vector<std::u16string> WrapText(const Win32::LOGFONTW& font, const std::u16string& text,
                                     int width) {
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(u'\n', start);
        std::u16string paragraph =
            text.substr(start, end == std::u16string::npos ? end : end - start);
        if (!paragraph.empty() && paragraph.back() == u'\r')
            paragraph.pop_back();
        std::u16string line;
        std::size_t pos = 0;
        while (pos < paragraph.size()) {
            std::size_t blank = paragraph.find(u' ', pos);
            std::u16string word =
                paragraph.substr(pos, blank == std::u16string::npos ? blank : blank - pos);
            std::u16string candidate = line.empty() ? word : line + u" " + word;
            if (!line.empty() && MeasureRun(font, candidate).Width() > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            pos = blank == std::u16string::npos ? paragraph.size() : blank + 1;
        }
        lines.push_back(line);
        if (end == std::u16string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

std::vector<TPlacedLine> PlaceLines(const TControlLook& look, const TTextPlace& p) {
    std::vector<TPlacedLine> placed;
    if (p.Text.empty())
        return placed;
    const std::u16string text = Vcl::Utf8ToUtf16(p.Text);
    const std::vector<std::u16string> lines =
        p.Wrap ? WrapText(look.Font, text, p.Room.Width) : std::vector{text};
    const int lineHeight = MeasureRun(look.Font, u"Ag").Height();
    const int total = lineHeight * static_cast<int>(lines.size());
    int y = p.Room.Top;
    if (p.VAlign == TVAlign::Center)
        y = p.Room.Top + (p.Room.Height - total) / 2;
    else if (p.VAlign == TVAlign::Bottom)
        y = p.Room.Bottom() - total;
    for (const std::u16string& line : lines) {
        const int w = MeasureRun(look.Font, line).Width();
        int x = p.Room.Left;
        if (p.HAlign == THAlign::Center)
            x = p.Room.Left + (p.Room.Width - w) / 2;
        else if (p.HAlign == THAlign::Right)
            x = p.Room.Right() - w;
        placed.push_back({line, x, y});
        y += lineHeight;
    }
    return placed;
}

int SunkenEdge(const TControlLook& look) { return look.Border ? 2 : 0; }

int TabHeight(const TControlLook& look) { return MeasureRun(look.Font, u"Ag").Height() + 6; }

namespace {

THAlign HAlignOf(const std::string& alignment, THAlign def) {
    if (alignment == "taCenter")
        return THAlign::Center;
    if (alignment == "taRightJustify")
        return THAlign::Right;
    if (alignment == "taLeftJustify")
        return THAlign::Left;
    return def;
}

int BevelSize(const TControlLook& look) {
    int size = look.BorderWidth;
    if (look.BevelOuter != "bvNone")
        size += look.BevelWidth;
    if (look.BevelInner != "bvNone")
        size += look.BevelWidth;
    return size;
}

} // namespace

std::vector<TTextPlace> TextPlaces(const TControlLook& look, int width, int height) {
    std::vector<TTextPlace> places;
    if (!look.HasFont)
        return places;
    TTextPlace p;
    p.What = "caption";
    switch (look.Kind) {
    case TLookKind::Label:
        p.Text = StripAccelerators(look.Text);
        p.Room = {0, 0, width, height};
        p.HAlign = HAlignOf(look.Alignment, THAlign::Left);
        p.VAlign = look.Layout == "tlCenter"   ? TVAlign::Center
                   : look.Layout == "tlBottom" ? TVAlign::Bottom
                                               : TVAlign::Top;
        p.Wrap = look.WordWrap;
        p.CheckWidth = !look.WordWrap;
        break;
    case TLookKind::Button:
    case TLookKind::SpeedButton:
        // Inside the raised edge and the focus rectangle.
        p.Text = StripAccelerators(look.Text);
        p.Room = {4, 3, width - 8, height - 6};
        p.Clip = {2, 2, width - 4, height - 4};
        p.HAlign = THAlign::Center;
        break;
    case TLookKind::CheckBox:
    case TLookKind::RadioButton:
        // Right of the 13-pixel mark and its gap.
        p.Text = StripAccelerators(look.Text);
        p.Room = {17, 0, width - 17, height};
        break;
    case TLookKind::GroupBox:
    case TLookKind::RadioGroup: {
        p.Text = StripAccelerators(look.Text);
        const int h = MeasureRun(look.Font, u"Ag").Height();
        p.Room = {8, 0, width - 16, std::min(h, height)};
        p.CheckHeight = false;
        break;
    }
    case TLookKind::Panel: {
        if (!look.ShowCaption)
            return places;
        const int b = BevelSize(look);
        p.Text = look.Text;
        p.Room = {b, b, width - 2 * b, height - 2 * b};
        p.HAlign = HAlignOf(look.Alignment, THAlign::Center);
        break;
    }
    case TLookKind::Edit:
    case TLookKind::ComboBox: {
        // An edit scrolls its text; only a line taller than the room is cut.
        const int e = SunkenEdge(look);
        const int button = look.Kind == TLookKind::ComboBox ? 16 : 0;
        p.What = "text";
        p.Text = look.Text;
        p.Room = {e + 1, e + 1, width - 2 * e - 2 - button, height - 2 * e - 2};
        p.VAlign = look.Kind == TLookKind::ComboBox ? TVAlign::Center : TVAlign::Top;
        p.CheckWidth = false;
        break;
    }
    case TLookKind::StatusBar: {
        if (look.Items.empty()) {
            p.What = "text";
            p.Text = look.Text;
            p.Room = {3, 2, width - 6, height - 3};
            p.CheckWidth = false;
            places.push_back(p);
            return places;
        }
        int x = 0;
        for (std::size_t i = 0; i < look.Items.size(); ++i) {
            const bool last = i + 1 == look.Items.size();
            const int w = last ? std::max(width - x, 0) : look.ItemWidths[i];
            TTextPlace panel;
            panel.What = "panel " + std::to_string(i);
            panel.Text = look.Items[i];
            panel.Room = {x + 3, 3, std::max(w - 6, 0), height - 4};
            panel.CheckHeight = false;
            panel.CheckWidth = !last;
            places.push_back(panel);
            x += w;
        }
        return places;
    }
    default: return places;
    }
    places.push_back(p);
    return places;
}

} // namespace QuorvelTool
