#include "FormPainter.h"

#include "ControlText.h"
#include "PngWriter.h"
#include "RasterCanvas.h"
#include "SvgCanvas.h"
#include "quorvel/vcl/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>

namespace QuorvelTool {

namespace {

// The classic scheme.
constexpr TRgb DownFace = 0xEAE8E4; // the face dithered with white
constexpr TRgb Face = 0xD4D0C8, Light = 0xD4D0C8, Highlight = 0xFFFFFF, Shadow = 0x808080,
               DarkShadow = 0x404040, WindowColor = 0xFFFFFF, GrayText = 0x808080,
               Selection = 0x0A246A, CaptionColor = 0x0A246A, Outline = 0x4A6FA5;

constexpr int Margin = 20, TitleHeight = 22, FooterHeight = 36, Gap = 40, MinPanelWidth = 220;

Win32::LOGFONTW UiFont(int height, bool bold) {
    Win32::LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = bold ? 700 : 400;
    const char16_t face[] = u"Tahoma";
    std::copy(std::begin(face), std::end(face), lf.lfFaceName);
    return lf;
}

std::u16string U16(const std::string& text) { return Vcl::Utf8ToUtf16(text); }

// Top and left in one colour, bottom and right in another.
void Edge(TCanvas& cv, const TBox& b, TRgb topLeft, TRgb bottomRight) {
    if (b.Empty())
        return;
    cv.FillRect({b.Left, b.Top, b.Width - 1, 1}, topLeft);
    cv.FillRect({b.Left, b.Top, 1, b.Height - 1}, topLeft);
    cv.FillRect({b.Left, b.Bottom() - 1, b.Width, 1}, bottomRight);
    cv.FillRect({b.Right() - 1, b.Top, 1, b.Height}, bottomRight);
}

void Raised(TCanvas& cv, const TBox& b) {
    Edge(cv, b, Highlight, DarkShadow);
    Edge(cv, b.Inset(1, 1), Light, Shadow);
}

void Sunken(TCanvas& cv, const TBox& b) {
    Edge(cv, b, Shadow, Highlight);
    Edge(cv, b.Inset(1, 1), DarkShadow, Light);
}

void Etched(TCanvas& cv, const TBox& b) {
    cv.FrameRect({b.Left + 1, b.Top + 1, b.Width - 1, b.Height - 1}, Highlight);
    cv.FrameRect({b.Left, b.Top, b.Width - 1, b.Height - 1}, Shadow);
}

void Bevel(TCanvas& cv, const TBox& b, const std::string& cut, int width) {
    for (int i = 0; i < width; ++i) {
        if (cut == "bvRaised")
            Edge(cv, b.Inset(i, i), Highlight, Shadow);
        else if (cut == "bvLowered")
            Edge(cv, b.Inset(i, i), Shadow, Highlight);
    }
}

// A small black triangle pointing down (or up), centred in the box.
void Arrow(TCanvas& cv, const TBox& b, bool up, TRgb color) {
    const int cx = b.Left + b.Width / 2, cy = b.Top + b.Height / 2;
    for (int row = 0; row < 4; ++row) {
        const int half = 3 - row;
        const int y = up ? cy + 1 - row : cy - 2 + row;
        cv.FillRect({cx - half, y, 2 * half + 1, 1}, color);
    }
}

void SideArrow(TCanvas& cv, const TBox& b, bool left, TRgb color) {
    const int cx = b.Left + b.Width / 2, cy = b.Top + b.Height / 2;
    for (int col = 0; col < 4; ++col) {
        const int half = 3 - col;
        const int x = left ? cx + 1 - col : cx - 2 + col;
        cv.FillRect({x, cy - half, 1, 2 * half + 1}, color);
    }
}

// A scroll bar with nothing to scroll: its track and its two arrow buttons.
void ScrollBar(TCanvas& cv, const TBox& bar, bool vertical, bool enabled) {
    cv.FillRect(bar, DownFace);
    const int n =
        vertical ? std::min(bar.Width, bar.Height / 2) : std::min(bar.Height, bar.Width / 2);
    const TBox first =
        vertical ? TBox{bar.Left, bar.Top, bar.Width, n} : TBox{bar.Left, bar.Top, n, bar.Height};
    const TBox last = vertical ? TBox{bar.Left, bar.Bottom() - n, bar.Width, n}
                               : TBox{bar.Right() - n, bar.Top, n, bar.Height};
    const TRgb color = enabled ? 0x000000 : GrayText;
    for (const TBox& button : {first, last}) {
        cv.FillRect(button, Face);
        Raised(cv, button);
    }
    if (vertical) {
        Arrow(cv, first, true, color);
        Arrow(cv, last, false, color);
    } else {
        SideArrow(cv, first, true, color);
        SideArrow(cv, last, false, color);
    }
}

void DrawLine(TCanvas& cv, const Win32::LOGFONTW& font, const std::u16string& text, int x, int y,
              TRgb color, bool enabled) {
    const TTextRun run = MeasureRun(font, text);
    if (!enabled) {
        cv.Text(x + 1, y + 1, run, Highlight);
        color = GrayText;
    }
    cv.Text(x, y, run, color);
}

// A text place of the control drawn at the control's corner (ox, oy).
void DrawPlace(TCanvas& cv, const TControlLook& look, const TTextPlace& p, int ox, int oy,
               TRgb color) {
    if (p.Text.empty() || p.Room.Empty())
        return;
    const TBox clip = p.ClipBox();
    cv.PushClip({ox + clip.Left, oy + clip.Top, clip.Width, clip.Height});
    for (const TPlacedLine& line : PlaceLines(look, p))
        DrawLine(cv, look.Font, line.Text, ox + line.X, oy + line.Y, color, look.Enabled);
    cv.PopClip();
}

void DrawPlaces(TCanvas& cv, const TControlLook& look, const TBox& b, TRgb color) {
    for (const TTextPlace& p : TextPlaces(look, b.Width, b.Height))
        DrawPlace(cv, look, p, b.Left, b.Top, color);
}

void CheckMark(TCanvas& cv, int x, int y, TRgb color) {
    for (int i = 0; i < 3; ++i) {
        cv.Line(x, y + 2 + i, x + 2, y + 4 + i, color);
        cv.Line(x + 2, y + 4 + i, x + 6, y + i, color);
    }
}

void CheckBox(TCanvas& cv, const TBox& box, int state, bool enabled) {
    Sunken(cv, box);
    cv.FillRect(box.Inset(2, 2), state == 2 || !enabled ? Face : WindowColor);
    if (state != 0)
        CheckMark(cv, box.Left + 3, box.Top + 3, state == 2 || !enabled ? GrayText : 0x000000);
}

void RadioMark(TCanvas& cv, const TBox& box, bool checked, bool enabled) {
    cv.FillEllipse(box, Shadow);
    cv.FillEllipse({box.Left + 1, box.Top + 1, box.Width - 1, box.Height - 1}, Highlight);
    cv.FillEllipse(box.Inset(1, 1), DarkShadow);
    cv.FillEllipse(box.Inset(2, 2), enabled ? WindowColor : Face);
    if (checked)
        cv.FillEllipse(box.Inset(4, 4), enabled ? 0x000000 : GrayText);
}

// Lines of a list or memo from the top of the box, the selected one highlighted.
void ListLines(TCanvas& cv, const TControlLook& look, const TBox& inner,
               const std::vector<std::string>& lines, int selected, int indent) {
    const int h = std::max(MeasureRun(look.Font, u"Ag").Height(), 1);
    cv.PushClip(inner);
    int y = inner.Top;
    for (std::size_t i = 0; i < lines.size() && y < inner.Bottom(); ++i, y += h) {
        const bool chosen = static_cast<int>(i) == selected;
        if (chosen)
            cv.FillRect({inner.Left, y, inner.Width, h}, Selection);
        if (look.Kind == TLookKind::CheckListBox) {
            const int s = std::min(h - 2, 13);
            CheckBox(cv, {inner.Left + 1, y + (h - s) / 2, s, s}, 0, look.Enabled);
        }
        DrawLine(cv, look.Font, U16(lines[i]), inner.Left + indent, y,
                 chosen ? Highlight : look.FontColor, look.Enabled);
    }
    cv.PopClip();
}

// A disabled glyph without a glyph of its own is drawn faded.
TPixmap Faded(const TPixmap& image) {
    TPixmap out = image;
    for (std::uint32_t& p : out.Argb) {
        const std::uint32_t grey =
            (((p >> 16) & 0xFF) * 3 + ((p >> 8) & 0xFF) * 6 + (p & 0xFF)) / 10;
        const std::uint32_t light = 0x80 + grey / 2;
        p = (p & 0xFF000000u) | (light << 16) | (light << 8) | light;
    }
    return out;
}

// One tab: raised, its image and caption inside.
void Tab(TCanvas& cv, const TControlLook& look, std::size_t i, const TBox& tab, int left) {
    cv.FillRect(tab, Face);
    cv.FillRect({tab.Left, tab.Top, 1, tab.Height}, Highlight);
    cv.FillRect({tab.Left + 1, tab.Top, tab.Width - 2, 1}, Highlight);
    cv.FillRect({tab.Right() - 2, tab.Top + 1, 1, tab.Height - 1}, Shadow);
    cv.FillRect({tab.Right() - 1, tab.Top + 1, 1, tab.Height - 1}, DarkShadow);
    cv.PushClip(tab);
    int x = left + 6;
    if (look.TabImageWidth > 0) {
        const TBox place{x, tab.Top + (tab.Height - look.TabImageHeight) / 2, look.TabImageWidth,
                         look.TabImageHeight};
        if (const TImageRef& image = look.Tabs[i].Image) {
            cv.Image({place.Left, tab.Top + (tab.Height - image->Height) / 2, image->Width,
                      image->Height},
                     look.Enabled ? *image : Faded(*image));
        } else if (std::none_of(look.Tabs.begin(), look.Tabs.end(),
                                [](const TControlLook::TTab& t) { return t.Image != nullptr; })) {
            // A list this program could not read; an index beyond a list it read shows nothing.
            cv.FrameRect(place, Shadow);
            cv.Line(place.Left, place.Top, place.Right() - 1, place.Bottom() - 1, Shadow);
        }
        x += look.TabImageWidth + 3;
    }
    const std::u16string text = U16(StripAccelerators(look.Items[i]));
    DrawLine(cv, look.Font, text, x,
             tab.Top + (tab.Height - MeasureRun(look.Font, text).Height()) / 2, look.FontColor,
             look.Enabled);
    cv.PopClip();
}

// Tabs along the top of the box, in the rows the framework breaks them into,
// the selected tab's row next to the page; returns the body below them.
TBox Tabs(TCanvas& cv, const TControlLook& look, const TBox& b) {
    const bool laidOut = look.Tabs.size() == look.Items.size();
    const int rowHeight = laidOut && look.TabRowHeight > 0 ? look.TabRowHeight : TabHeight(look);
    int rows = look.Items.empty() ? 0 : 1;
    if (laidOut)
        for (const TControlLook::TTab& t : look.Tabs)
            rows = std::max(rows, t.Row + 1);
    const TBox body{b.Left, b.Top + rows * rowHeight, b.Width, b.Height - rows * rowHeight};
    cv.FillRect(body, look.Color);
    Raised(cv, body);
    const auto count = look.Items.size();
    auto rowOf = [&](std::size_t i) { return laidOut ? look.Tabs[i].Row : 0; };
    auto widthOf = [&](std::size_t i) {
        return laidOut ? look.Tabs[i].Width
                       : MeasureRun(look.Font, U16(StripAccelerators(look.Items[i]))).Width() + 12;
    };
    const int activeRow =
        look.Index >= 0 && static_cast<std::size_t>(look.Index) < count ? rowOf(look.Index) : 0;
    std::optional<std::pair<TBox, int>> activeTab; // the box and the text's left
    for (std::size_t first = 0; first < count;) {
        const int row = rowOf(first);
        std::size_t last = first;
        long long used = 0;
        while (last < count && rowOf(last) == row)
            used += widthOf(last++);
        // Rows of a multi-line control stretch to the full width unless RaggedRight;
        // the rows rotate so that the selected one touches the page.
        const long long room = b.Width - 4;
        const long long spare = rows > 1 && !look.RaggedRight && used < room ? room - used : 0;
        const int top = b.Top + ((row - activeRow + rows - 1) % std::max(rows, 1)) * rowHeight;
        int x = b.Left + 2;
        for (std::size_t i = first; i < last; ++i) {
            const auto n = static_cast<long long>(i - first);
            const auto extra = spare * (n + 1) / static_cast<long long>(last - first) -
                               spare * n / static_cast<long long>(last - first);
            const int w = widthOf(i) + static_cast<int>(extra);
            if (static_cast<int>(i) == look.Index) {
                activeTab = {{{x - 2, top, w + 4, rowHeight + 1}, x}};
            } else {
                Tab(cv, look, i, {x, top + 2, w, rowHeight - 1}, x);
            }
            x += w;
        }
        first = last;
    }
    // The selected tab last, over its neighbours, opening into the body.
    if (activeTab) {
        const TBox& tab = activeTab->first;
        Tab(cv, look, static_cast<std::size_t>(look.Index), tab, activeTab->second);
        cv.FillRect({tab.Left + 1, body.Top, tab.Width - 3, 2}, Face);
    }
    return body;
}

void Outlined(TCanvas& cv, const TControlState& c, const TBox& b) {
    cv.FillRect(b, 0xF4F7FB);
    cv.FrameRect(b, Outline);
    if (b.Width >= 24 && b.Height >= 10) {
        cv.PushClip(b.Inset(1, 1));
        const TTextRun run = MeasureRun(UiFont(-11, false), U16(c.Name));
        cv.Text(b.Left + 3, b.Top + 1, run, 0x1A1A1A);
        cv.PopClip();
    }
}

bool IsGraphic(TLookKind kind) {
    switch (kind) {
    case TLookKind::Label:
    case TLookKind::SpeedButton:
    case TLookKind::Image:
    case TLookKind::Bevel:
    case TLookKind::Shape:
    case TLookKind::Splitter:
    case TLookKind::PaintBox:
    case TLookKind::ToolButton: return true;
    default: return false;
    }
}

// Where a picture lies in its control: at the top-left corner at its own size,
// centred, stretched, or scaled keeping its proportions (down only, unless
// stretched as well).
TBox PictureBox(const TControlLook& look, const TBox& b) {
    const TPixmap& image = *look.Image;
    int w = image.Width, h = image.Height;
    if (look.Proportional && (look.Stretch || w > b.Width || h > b.Height)) {
        if (static_cast<long long>(w) * b.Height > static_cast<long long>(h) * b.Width) {
            h = static_cast<int>(static_cast<long long>(h) * b.Width / std::max(w, 1));
            w = b.Width;
        } else {
            w = static_cast<int>(static_cast<long long>(w) * b.Height / std::max(h, 1));
            h = b.Height;
        }
    } else if (look.Stretch) {
        return b;
    }
    if (look.Center)
        return {b.Left + (b.Width - w) / 2, b.Top + (b.Height - h) / 2, w, h};
    return {b.Left, b.Top, w, h};
}

// A button with a glyph: glyph and caption centred together, 4 pixels apart,
// the glyph on the side its Layout names.
void GlyphButton(TCanvas& cv, const TControlLook& look, const TBox& b, TRgb text) {
    const TPixmap& glyph = *look.Image;
    const bool hasText = !look.Text.empty();
    const bool vertical = look.Layout == "blGlyphTop" || look.Layout == "blGlyphBottom";
    const int spacing = hasText ? 4 : 0;
    const int textW =
        hasText ? MeasureRun(look.Font, U16(StripAccelerators(look.Text))).Width() : 0;
    const int textH = hasText ? MeasureRun(look.Font, u"Ag").Height() : 0;
    int gx = b.Left + (b.Width - glyph.Width) / 2, gy = b.Top + (b.Height - glyph.Height) / 2;
    int dx = 0, dy = 0;
    if (vertical) {
        const int total = glyph.Height + spacing + textH;
        const int top = b.Top + (b.Height - total) / 2;
        const bool first = look.Layout == "blGlyphTop";
        gy = first ? top : top + textH + spacing;
        dy = first ? (glyph.Height + spacing) / 2 : -(glyph.Height + spacing) / 2;
    } else {
        const int total = glyph.Width + spacing + textW;
        const int left = b.Left + (b.Width - total) / 2;
        const bool first = look.Layout != "blGlyphRight";
        gx = first ? left : left + textW + spacing;
        dx = first ? (glyph.Width + spacing) / 2 : -(glyph.Width + spacing) / 2;
    }
    cv.Image({gx, gy, glyph.Width, glyph.Height}, look.Enabled ? glyph : Faded(glyph));
    if (hasText)
        DrawPlaces(cv, look, {b.Left + dx, b.Top + dy, b.Width, b.Height}, text);
}

void PaintControl(TCanvas& cv, const TControlState& c, const TBox& b) {
    const TControlLook& look = c.Look;
    const TRgb text = look.FontColor;
    switch (look.Kind) {
    case TLookKind::Label:
        if (!look.Transparent)
            cv.FillRect(b, look.Color);
        DrawPlaces(cv, look, b, text);
        return;
    case TLookKind::Button:
    case TLookKind::SpeedButton: {
        // A speed button held down is sunken on a lighter face, its content a
        // pixel to the lower right.
        const bool down = look.Kind == TLookKind::SpeedButton && look.State == 1;
        cv.FillRect(b, down ? DownFace : Face);
        TBox edge = b;
        if (look.Kind == TLookKind::Button && look.State == 1) {
            // The default button has a black frame around its edge.
            cv.FrameRect(b, 0x000000);
            edge = b.Inset(1, 1);
        }
        if (down)
            Sunken(cv, edge);
        else
            Raised(cv, edge);
        const TBox content = down ? TBox{b.Left + 1, b.Top + 1, b.Width, b.Height} : b;
        if (look.Image)
            GlyphButton(cv, look, content, text);
        else
            DrawPlaces(cv, look, content, text);
        return;
    }
    case TLookKind::CheckBox:
    case TLookKind::RadioButton: {
        cv.FillRect(b, look.Color);
        const TBox mark{b.Left, b.Top + (b.Height - 13) / 2, 13, 13};
        if (look.Kind == TLookKind::CheckBox)
            CheckBox(cv, mark, look.State, look.Enabled);
        else
            RadioMark(cv, {mark.Left, mark.Top, 12, 12}, look.State != 0, look.Enabled);
        DrawPlaces(cv, look, b, text);
        return;
    }
    case TLookKind::Edit:
    case TLookKind::ComboBox: {
        const int e = SunkenEdge(look);
        cv.FillRect(b, look.Enabled ? look.Color : Face);
        if (e)
            Sunken(cv, b);
        if (look.Kind == TLookKind::ComboBox) {
            const TBox button{b.Right() - e - 16, b.Top + e, 16, b.Height - 2 * e};
            cv.FillRect(button, Face);
            Raised(cv, button);
            Arrow(cv, button, false, look.Enabled ? 0x000000 : GrayText);
        }
        DrawPlaces(cv, look, b, text);
        return;
    }
    case TLookKind::Memo:
    case TLookKind::ListBox:
    case TLookKind::CheckListBox: {
        const int e = SunkenEdge(look);
        cv.FillRect(b, look.Enabled ? look.Color : Face);
        if (e)
            Sunken(cv, b);
        TBox inner = b.Inset(e, e);
        if (look.Kind == TLookKind::Memo) {
            const int v = std::clamp(look.VScroll, 0, std::max(inner.Width, 0)),
                      h = std::clamp(look.HScroll, 0, std::max(inner.Height, 0));
            if (v > 0)
                ScrollBar(cv, {inner.Right() - v, inner.Top, v, inner.Height - h}, true,
                          look.Enabled);
            if (h > 0)
                ScrollBar(cv, {inner.Left, inner.Bottom() - h, inner.Width - v, h}, false,
                          look.Enabled);
            if (v > 0 && h > 0)
                cv.FillRect({inner.Right() - v, inner.Bottom() - h, v, h}, Face);
            inner.Width -= v;
            inner.Height -= h;
            ListLines(cv, look, {inner.Left + 1, inner.Top + 1, inner.Width - 2, inner.Height - 1},
                      look.Items, -1, 0);
        } else
            ListLines(cv, look, inner, look.Items, look.Index,
                      look.Kind == TLookKind::CheckListBox ? 17 : 2);
        return;
    }
    case TLookKind::GroupBox:
    case TLookKind::RadioGroup: {
        cv.FillRect(b, look.Color);
        const int h = MeasureRun(look.Font, u"Ag").Height();
        Etched(cv, {b.Left, b.Top + h / 2, b.Width, b.Height - h / 2});
        for (const TTextPlace& p : TextPlaces(look, b.Width, b.Height)) {
            if (p.Text.empty())
                continue;
            // The caption sits in a gap of the frame.
            const int w = std::min(MeasureRun(look.Font, U16(p.Text)).Width(), p.Room.Width);
            cv.FillRect({b.Left + p.Room.Left - 2, b.Top, w + 4, h}, look.Color);
            DrawPlace(cv, look, p, b.Left, b.Top, text);
        }
        if (look.Kind == TLookKind::RadioGroup && !look.Items.empty()) {
            const int columns = look.Columns;
            const int count = static_cast<int>(look.Items.size());
            const int rows = (count + columns - 1) / columns;
            const int top = b.Top + h, height = std::max(b.Height - h - 4, 1);
            const int colWidth = std::max((b.Width - 16) / columns, 1);
            for (int i = 0; i < count; ++i) {
                const int col = i / rows, row = i % rows;
                const int y = top + height * row / rows + (height / rows - 13) / 2;
                const int x = b.Left + 8 + col * colWidth;
                RadioMark(cv, {x, y, 12, 12}, i == look.Index, look.Enabled);
                cv.PushClip({x, y - 2, colWidth, 17});
                DrawLine(cv, look.Font,
                         U16(StripAccelerators(look.Items[static_cast<std::size_t>(i)])), x + 17,
                         y + (12 - MeasureRun(look.Font, u"Ag").Height()) / 2, text, look.Enabled);
                cv.PopClip();
            }
        }
        return;
    }
    case TLookKind::Panel:
        cv.FillRect(b, look.Color);
        Bevel(cv, b, look.BevelOuter, look.BevelWidth);
        {
            const int inner = look.BevelOuter != "bvNone" ? look.BevelWidth : 0;
            Bevel(cv, b.Inset(inner + look.BorderWidth, inner + look.BorderWidth), look.BevelInner,
                  look.BevelWidth);
        }
        DrawPlaces(cv, look, b, text);
        return;
    case TLookKind::Frame:
    case TLookKind::TabSheet:
    case TLookKind::ToolBar:
    case TLookKind::Splitter: cv.FillRect(b, look.Color); return;
    case TLookKind::CoolBar:
        // Its default edges: lowered outside, raised inside.
        cv.FillRect(b, look.Color);
        Etched(cv, b);
        return;
    case TLookKind::ScrollBox:
        cv.FillRect(b, look.Color);
        if (look.Border)
            Sunken(cv, b);
        return;
    case TLookKind::PageControl:
    case TLookKind::TabControl: Tabs(cv, look, b); return;
    case TLookKind::StatusBar: {
        cv.FillRect(b, Face);
        const std::vector<TTextPlace> places = TextPlaces(look, b.Width, b.Height);
        for (const TTextPlace& p : places) {
            const TBox panel{b.Left + p.Room.Left - 3, b.Top + 2, p.Room.Width + 4, b.Height - 2};
            Edge(cv, panel, Shadow, Highlight);
            DrawPlace(cv, look, p, b.Left, b.Top, text);
        }
        // The size grip.
        for (int i = 0; i < 3; ++i) {
            const int d = 4 * i + 3;
            cv.Line(b.Right() - d, b.Bottom() - 1, b.Right() - 1, b.Bottom() - d, Highlight);
            cv.Line(b.Right() - d + 1, b.Bottom() - 1, b.Right() - 1, b.Bottom() - d + 1, Shadow);
            cv.Line(b.Right() - d + 2, b.Bottom() - 1, b.Right() - 1, b.Bottom() - d + 2, Shadow);
        }
        return;
    }
    case TLookKind::ToolButton:
        if (look.State == 1) {
            cv.FillRect(b, DownFace);
            Sunken(cv, b);
        }
        if (look.Style == "tbsSeparator" || look.Style == "tbsDivider") {
            const int x = b.Left + b.Width / 2 - 1;
            cv.FillRect({x, b.Top + 2, 1, b.Height - 4}, Shadow);
            cv.FillRect({x + 1, b.Top + 2, 1, b.Height - 4}, Highlight);
        } else if (look.Image) {
            const TPixmap& image = *look.Image;
            cv.Image({b.Left + (b.Width - image.Width) / 2, b.Top + (b.Height - image.Height) / 2,
                      image.Width, image.Height},
                     look.Enabled ? image : Faded(image));
        } else {
            // The glyph's place.
            const TBox glyph{b.Left + (b.Width - 16) / 2, b.Top + (b.Height - 16) / 2, 16, 16};
            cv.FrameRect(glyph, Shadow);
            cv.Line(glyph.Left, glyph.Top, glyph.Right() - 1, glyph.Bottom() - 1, Shadow);
        }
        return;
    case TLookKind::Image:
        if (look.Image) {
            cv.Image(PictureBox(look, b), *look.Image);
            return;
        }
        if (!look.Transparent)
            cv.FillRect(b, 0xECECEC);
        cv.FrameRect(b, Shadow);
        cv.Line(b.Left, b.Top, b.Right() - 1, b.Bottom() - 1, Shadow);
        cv.Line(b.Left, b.Bottom() - 1, b.Right() - 1, b.Top, Shadow);
        return;
    case TLookKind::Bevel: {
        const bool raised = look.Style == "bsRaised";
        const std::string& shape = look.Style;
        const TRgb a = raised ? Highlight : Shadow, z = raised ? Shadow : Highlight;
        (void)shape;
        Edge(cv, b, a, z);
        return;
    }
    case TLookKind::Shape:
        if (look.Style == "stCircle" || look.Style == "stEllipse") {
            cv.FillEllipse(b, 0x000000);
            cv.FillEllipse(b.Inset(1, 1), WindowColor);
        } else {
            cv.FillRect(b, WindowColor);
            cv.FrameRect(b, 0x000000);
        }
        return;
    case TLookKind::ProgressBar: {
        cv.FillRect(b, Face);
        Edge(cv, b, Shadow, Highlight);
        const TBox inner = b.Inset(2, 2);
        const int filled =
            look.Range > 0 ? inner.Width * std::clamp(look.State, 0, look.Range) / look.Range : 0;
        cv.PushClip({inner.Left, inner.Top, filled, inner.Height});
        for (int x = inner.Left; x < inner.Left + filled; x += 10)
            cv.FillRect({x, inner.Top, 8, inner.Height}, Selection);
        cv.PopClip();
        return;
    }
    case TLookKind::TrackBar: {
        cv.FillRect(b, look.Color);
        const int y = b.Top + b.Height / 2 - 2;
        Sunken(cv, {b.Left + 8, y, std::max(b.Width - 16, 0), 4});
        const int span = std::max(b.Width - 16 - 11, 0);
        const int x =
            b.Left + 8 +
            (look.Range > 0 ? span * std::clamp(look.State, 0, look.Range) / look.Range : 0);
        const TBox thumb{x, b.Top + b.Height / 2 - 10, 11, 20};
        cv.FillRect(thumb, Face);
        Raised(cv, thumb);
        return;
    }
    case TLookKind::UpDown: {
        const TBox up{b.Left, b.Top, b.Width, b.Height / 2};
        const TBox down{b.Left, b.Top + b.Height / 2, b.Width, b.Height - b.Height / 2};
        for (const TBox& half : {up, down}) {
            cv.FillRect(half, Face);
            Raised(cv, half);
        }
        Arrow(cv, up, true, 0x000000);
        Arrow(cv, down, false, 0x000000);
        return;
    }
    case TLookKind::Grid: {
        cv.FillRect(b, WindowColor);
        const int e = SunkenEdge(look);
        if (e)
            Sunken(cv, b);
        const TBox inner = b.Inset(e, e);
        const int colWidth = std::max(look.Columns, 1) + 1, rowHeight = std::max(look.State, 1) + 1;
        const int fixedRows = look.Index & 0xFF, fixedCols = (look.Index >> 8) & 0xFF;
        cv.PushClip(inner);
        for (int row = 0; inner.Top + row * rowHeight < inner.Bottom() && row < 1000; ++row)
            for (int col = 0; inner.Left + col * colWidth < inner.Right() && col < 1000; ++col) {
                const TBox cell{inner.Left + col * colWidth, inner.Top + row * rowHeight,
                                colWidth - 1, rowHeight - 1};
                if (row < fixedRows || col < fixedCols) {
                    cv.FillRect(cell, Face);
                    Edge(cv, cell, Highlight, Shadow);
                }
                cv.FillRect({cell.Right(), cell.Top, 1, rowHeight}, 0xC0C0C0);
                cv.FillRect({cell.Left, cell.Bottom(), colWidth, 1}, 0xC0C0C0);
            }
        cv.PopClip();
        return;
    }
    case TLookKind::ListView:
    case TLookKind::TreeView: {
        cv.FillRect(b, look.Enabled ? look.Color : Face);
        const int e = SunkenEdge(look);
        if (e)
            Sunken(cv, b);
        if (!look.Items.empty()) {
            // Report columns: a header with the column captions.
            const TBox inner = b.Inset(e, e);
            const int h = MeasureRun(look.Font, u"Ag").Height() + 6;
            cv.PushClip(inner);
            int x = inner.Left;
            for (std::size_t i = 0; i < look.Items.size(); ++i) {
                const TBox header{x, inner.Top, look.ItemWidths[i], h};
                cv.FillRect(header, Face);
                Raised(cv, header);
                cv.PushClip(header.Inset(2, 1));
                DrawLine(cv, look.Font, U16(look.Items[i]), x + 6, inner.Top + 3, text,
                         look.Enabled);
                cv.PopClip();
                x += look.ItemWidths[i];
            }
            cv.PopClip();
        }
        return;
    }
    case TLookKind::PaintBox: return;
    case TLookKind::Unknown: Outlined(cv, c, b); return;
    }
}

// The control and then the controls on it, each clipped to its parent.
void PaintTree(TCanvas& cv, const TSnapshot& s, const std::vector<std::vector<int>>& children,
               int parent, int ox, int oy, int depth) {
    const std::vector<int>& list = children[static_cast<std::size_t>(parent + 1)];
    // A parent draws its graphic controls first; windowed controls lie above them.
    for (int pass = 0; pass < 2; ++pass)
        for (int index : list) {
            const TControlState& c = s.Controls[static_cast<std::size_t>(index)];
            if (!c.Look.Visible || IsGraphic(c.Look.Kind) != (pass == 0))
                continue;
            const TBox box{ox + c.ClientLeft, oy + c.ClientTop, c.Width, c.Height};
            cv.BeginGroup(c.Name + ": " + c.ClassName + " " + std::to_string(c.Left) + "," +
                          std::to_string(c.Top) + " " + std::to_string(c.Width) + "x" +
                          std::to_string(c.Height));
            cv.PushClip(box);
            PaintControl(cv, c, box);
            if (depth < 64)
                PaintTree(cv, s, children, index, ox, oy, depth + 1);
            cv.PopClip();
            cv.EndGroup();
        }
}

enum class TCaptionGlyph { Minimize, Maximize, Help, Close };

void CaptionButton(TCanvas& cv, const TBox& b, TCaptionGlyph glyph, bool enabled) {
    cv.FillRect(b, Face);
    Raised(cv, b);
    // Small buttons of a tool window have a smaller glyph.
    const int size = b.Height >= 14 ? 6 : 4;
    const int x = b.Left + (b.Width - size) / 2 - 1, y = b.Top + (b.Height - size) / 2 - 1;
    // A disabled glyph is grey with a white shadow, as Windows etches it.
    for (int pass = enabled ? 1 : 0; pass < 2; ++pass) {
        const int d = pass == 0 ? 1 : 0;
        const TRgb ink = pass == 0 ? Highlight : enabled ? 0x000000 : GrayText;
        switch (glyph) {
        case TCaptionGlyph::Minimize: cv.FillRect({x + d, y + size + d, size, 2}, ink); break;
        case TCaptionGlyph::Maximize:
            cv.FrameRect({x - 1 + d, y - 1 + d, size + 3, size + 3}, ink);
            cv.FillRect({x - 1 + d, y + d, size + 3, 1}, ink);
            break;
        case TCaptionGlyph::Help: {
            // A question mark.
            const int cx = x + size / 2 + d, top = y - 1 + d;
            cv.FillRect({cx - 2, top, 4, 1}, ink);
            cv.FillRect({cx - 3, top + 1, 2, 2}, ink);
            cv.FillRect({cx + 1, top + 1, 2, 3}, ink);
            cv.FillRect({cx, top + 4, 1, 2}, ink);
            cv.FillRect({cx, top + size + 1, 1, 2}, ink);
            break;
        }
        case TCaptionGlyph::Close:
            for (int i = 0; i < 2; ++i) {
                cv.Line(x + i + d, y + d, x + size + i + d, y + size + d, ink);
                cv.Line(x + size + i + d, y + d, x + i + d, y + size + d, ink);
            }
            break;
        }
    }
}

std::string TitleOf(const TSnapshot& s) {
    std::string title = "after " + s.Action + ": " + std::to_string(s.ClientWidth) + " x " +
                        std::to_string(s.ClientHeight);
    if (s.State != "normal")
        title += ", " + s.State;
    if (s.DisplayScale != 1.0)
        title += ", shown at " + std::to_string(std::lround(s.DisplayScale * 100)) + " %";
    return title;
}

bool Borderless(const TSnapshot& s) { return s.Window.BorderStyle == "bsNone"; }
bool ToolWindow(const TSnapshot& s) {
    return s.Window.BorderStyle == "bsToolWindow" || s.Window.BorderStyle == "bsSizeToolWin";
}

// The frame around the client area: a sizeable border is thicker than a fixed one.
int Border(const TSnapshot& s) {
    if (Borderless(s))
        return 0;
    return s.Window.BorderStyle == "bsSizeable" || s.Window.BorderStyle == "bsSizeToolWin" ? 4 : 3;
}

// The caption bar and the line below it; a tool window's is smaller.
int CaptionHeight(const TSnapshot& s) { return Borderless(s) ? 0 : ToolWindow(s) ? 16 : 19; }

// The main menu's bar between the caption and the client area, as high as the
// window system made it.
int MenuHeight(const TSnapshot& s) { return s.Window.MenuBar; }

int TopFrame(const TSnapshot& s) { return Border(s) + CaptionHeight(s) + MenuHeight(s); }

int WindowWidth(const TSnapshot& s) {
    return s.State == "minimized" ? 160 : s.ClientWidth + 2 * Border(s);
}
int WindowHeight(const TSnapshot& s) {
    return s.State == "minimized" ? CaptionHeight(s) + 2 * Border(s) - 1
                                  : s.ClientHeight + TopFrame(s) + Border(s);
}

// The window's size as the user sees it, stretched for an unaware program.
int Shown(int size, const TSnapshot& s) {
    return static_cast<int>(std::lround(size * s.DisplayScale));
}

// The caption buttons from the right: close, then maximize and minimize, or help.
// Returns where the buttons begin.
int CaptionButtons(TCanvas& cv, const TSnapshot& s, const TBox& caption) {
    const TWindowLook& w = s.Window;
    int bx = caption.Right() - 2;
    if (!w.SystemMenu)
        return bx;
    const bool small = ToolWindow(s);
    const int buttonW = small ? 12 : 16, buttonH = small ? 10 : 14;
    const int buttonTop = caption.Top + (caption.Height - buttonH) / 2;
    bx -= buttonW;
    CaptionButton(cv, {bx, buttonTop, buttonW, buttonH}, TCaptionGlyph::Close, true);
    if (small)
        return bx;
    // Only a resizable or single-border window has the pair, shown when either is
    // asked for; help shows only where the pair does not.
    const bool framed = w.BorderStyle == "bsSingle" || w.BorderStyle == "bsSizeable";
    if (framed && (w.Minimize || w.Maximize)) {
        bx -= buttonW + 2;
        CaptionButton(cv, {bx, buttonTop, buttonW, buttonH}, TCaptionGlyph::Maximize, w.Maximize);
        bx -= buttonW;
        CaptionButton(cv, {bx, buttonTop, buttonW, buttonH}, TCaptionGlyph::Minimize, w.Minimize);
    } else if (w.Help && (framed || w.BorderStyle == "bsDialog")) {
        bx -= buttonW + 2;
        CaptionButton(cv, {bx, buttonTop, buttonW, buttonH}, TCaptionGlyph::Help, true);
    }
    return bx;
}

void MenuBar(TCanvas& cv, const TSnapshot& s, const TBox& bar) {
    cv.FillRect(bar, Face);
    const Win32::LOGFONTW font = UiFont(-11, false);
    int x = bar.Left;
    cv.PushClip(bar);
    for (const TWindowLook::TMenuItem& item : s.Window.Menu) {
        const TTextRun run = MeasureRun(font, U16(StripAccelerators(item.Caption)));
        // Each item has room for its text and 7 pixels either side.
        DrawLine(cv, font, run.Text, x + 7, bar.Top + (bar.Height - run.Height()) / 2, 0x000000,
                 item.Enabled);
        x += run.Width() + 14;
    }
    cv.PopClip();
}

void PaintWindow(TCanvas& cv, const TSnapshot& s, int x, int y) {
    const TBox window{x, y, WindowWidth(s), WindowHeight(s)};
    const int border = Border(s);
    cv.FillRect(window, Face);
    if (border > 0)
        Raised(cv, window);
    if (!Borderless(s)) {
        const TBox caption{x + border, y + border, window.Width - 2 * border, CaptionHeight(s) - 1};
        cv.FillRect(caption, CaptionColor);
        const int buttons = CaptionButtons(cv, s, caption);
        cv.PushClip({caption.Left, caption.Top, buttons - 2 - caption.Left, caption.Height});
        const TTextRun title = MeasureRun(UiFont(ToolWindow(s) ? -9 : -11, true),
                                          U16(s.Caption.empty() ? s.FormName : s.Caption));
        cv.Text(caption.Left + 3, caption.Top + (caption.Height - title.Height()) / 2, title,
                Highlight);
        cv.PopClip();
    }
    if (s.State == "minimized")
        return;
    if (MenuHeight(s) > 0)
        MenuBar(
            cv, s,
            {x + border, y + border + CaptionHeight(s), window.Width - 2 * border, MenuHeight(s)});

    const int cx = x + border, cy = y + TopFrame(s);
    const TBox client{cx, cy, s.ClientWidth, s.ClientHeight};
    cv.PushClip(client);
    cv.FillRect(client, s.Look.Color);
    std::vector<std::vector<int>> children(s.Controls.size() + 1);
    for (std::size_t i = 0; i < s.Controls.size(); ++i)
        children[static_cast<std::size_t>(s.Controls[i].Parent + 1)].push_back(static_cast<int>(i));
    PaintTree(cv, s, children, -1, cx, cy, 0);
    cv.PopClip();
}

int PanelWidth(const TSnapshot& s) {
    const int title = MeasureRun(UiFont(-13, true), U16(TitleOf(s))).Width();
    return std::max({Shown(WindowWidth(s), s), title, MinPanelWidth});
}

// Metrics need a desktop; the run that made the snapshots has gone with its own.
class TMetricsScope {
public:
    TMetricsScope() {
        if (!Sim::TDesktop::Exists())
            FDesktop.emplace();
    }

private:
    std::optional<Sim::TDesktop> FDesktop;
};

} // namespace

TPictureLayout LayoutPicture(const std::vector<TSnapshot>& snapshots) {
    TPictureLayout layout;
    int x = Margin, maxHeight = 0;
    for (const TSnapshot& s : snapshots) {
        layout.Clients.push_back({x + Shown(Border(s), s),
                                  Margin + TitleHeight + Shown(TopFrame(s), s),
                                  Shown(s.ClientWidth, s), Shown(s.ClientHeight, s)});
        x += PanelWidth(s) + Gap;
        maxHeight = std::max(maxHeight, Shown(WindowHeight(s), s));
    }
    layout.Width = std::max(x - Gap + Margin, 2 * Margin);
    layout.Height = Margin + TitleHeight + maxHeight + FooterHeight + Margin;
    return layout;
}

void PaintPicture(TCanvas& cv, const std::vector<TSnapshot>& snapshots) {
    const TPictureLayout layout = LayoutPicture(snapshots);
    cv.FillRect({0, 0, layout.Width, layout.Height}, 0xFFFFFF);
    for (std::size_t i = 0; i < snapshots.size(); ++i) {
        const TSnapshot& s = snapshots[i];
        const int x = layout.Clients[i].Left - Shown(Border(s), s);
        cv.Text(x, Margin, MeasureRun(UiFont(-13, true), U16(TitleOf(s))), 0x222222);
        const bool stretched = s.DisplayScale != 1.0;
        if (stretched)
            cv.BeginStretch({x, Margin + TitleHeight, WindowWidth(s), WindowHeight(s)},
                            s.DisplayScale);
        PaintWindow(cv, s, x, Margin + TitleHeight);
        if (stretched)
            cv.EndStretch();
        const int footer = Margin + TitleHeight + Shown(WindowHeight(s), s) + 6;
        cv.Text(x, footer, MeasureRun(UiFont(-11, false), U16(EventText(s))), 0x444444);
        if (s.Error)
            cv.Text(x, footer + 15, MeasureRun(UiFont(-11, false), U16("error: " + *s.Error)),
                    0xB00020);
    }
}

std::string MakeFormSvg(const std::vector<TSnapshot>& snapshots, const std::string& idPrefix) {
    TMetricsScope metrics;
    const TPictureLayout layout = LayoutPicture(snapshots);
    TSvgCanvas canvas(idPrefix);
    PaintPicture(canvas, snapshots);
    return canvas.Document(layout.Width, layout.Height);
}

std::string MakeFormPng(const std::vector<TSnapshot>& snapshots) {
    TMetricsScope metrics;
    const TPictureLayout layout = LayoutPicture(snapshots);
    TRasterCanvas canvas(layout.Width, layout.Height, 0xFFFFFF);
    PaintPicture(canvas, snapshots);
    return EncodePng(canvas.Width(), canvas.Height(), canvas.Pixels());
}

} // namespace QuorvelTool
