#include "Canvas.h"

#include <algorithm>

namespace QuorvelTool {

TBox TBox::Intersect(const TBox& other) const {
    const int l = std::max(Left, other.Left), t = std::max(Top, other.Top);
    const int r = std::min(Right(), other.Right()), b = std::min(Bottom(), other.Bottom());
    return {l, t, std::max(r - l, 0), std::max(b - t, 0)};
}

TTextRun MeasureRun(const Win32::LOGFONTW& font, std::u16string text) {
    TTextRun run;
    run.Font = font;
    run.Measure = Sim::TDesktop::Current().MeasureText(font, text);
    run.Text = std::move(text);
    return run;
}

} // namespace QuorvelTool
