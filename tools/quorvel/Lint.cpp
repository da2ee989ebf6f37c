#include "Lint.h"

#include "ControlText.h"
#include "FormFiles.h"
#include "Progress.h"
#include "RasterCanvas.h"
#include "RunSession.h"
#include "Sweep.h"
#include "quorvel/vcl/SysUtils.h"
#include "quorvel/win/sim/SimDesktop.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

namespace QuorvelTool {

namespace {

bool Overlap(const TControlState& a, const TControlState& b) {
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
           b.Top < a.Top + a.Height && a.Width > 0 && a.Height > 0 && b.Width > 0 && b.Height > 0;
}

// How far two controls overlap, across and down.
std::pair<int, int> OverlapSize(const TControlState& a, const TControlState& b) {
    return {std::min(a.Left + a.Width, b.Left + b.Width) - std::max(a.Left, b.Left),
            std::min(a.Top + a.Height, b.Top + b.Height) - std::max(a.Top, b.Top)};
}

// Whether an overlap the form has as designed has grown past what the larger
// resolution and size explain (a label grown over its edit by a longer caption).
bool OverlapGrown(const TSnapshot& s, const TControlState& a, const TControlState& b,
                  const TSnapshot& design, const TControlState& da, const TControlState& db) {
    // One lying wholly on the other as designed is layered on purpose (a label
    // on a bevel or a picture).
    auto contains = [](const TControlState& outer, const TControlState& inner) {
        return inner.Left >= outer.Left && inner.Top >= outer.Top &&
               inner.Left + inner.Width <= outer.Left + outer.Width &&
               inner.Top + inner.Height <= outer.Top + outer.Height;
    };
    if (contains(da, db) || contains(db, da))
        return false;
    const double dpi = design.Dpi > 0 && s.Dpi > 0 ? std::max(1.0, 1.0 * s.Dpi / design.Dpi) : 1.0;
    const double kx = dpi * std::max(1.0, 1.0 * s.ClientWidth / std::max(design.ClientWidth, 1));
    const double ky = dpi * std::max(1.0, 1.0 * s.ClientHeight / std::max(design.ClientHeight, 1));
    const auto [w, h] = OverlapSize(a, b);
    const auto [dw, dh] = OverlapSize(da, db);
    // A few pixels of rounding are no change a person sees.
    constexpr int slack = 2;
    return w > dw * kx + slack || h > dh * ky + slack;
}

// The client size of a control's parent in the snapshot.
std::pair<int, int> ParentSize(const TSnapshot& s, const TControlState& c) {
    if (c.Parent < 0)
        return {s.ClientWidth, s.ClientHeight};
    const TControlState& p = s.Controls[static_cast<std::size_t>(c.Parent)];
    return {p.Width, p.Height};
}

// Shown, or on a page of a page control that is not the active one: it shows
// once its page is picked.
bool Checked(const TControlState& c) { return c.Look.Visible || c.Look.OnOtherPage; }

bool Inside(const TSnapshot& s, const TControlState& c) {
    const auto [w, h] = ParentSize(s, c);
    return c.Left >= 0 && c.Top >= 0 && c.Left + c.Width <= w && c.Top + c.Height <= h;
}

// A control's name, with its frame's when a frame owns it (two frames of one
// class have controls of the same names).
std::string NameIn(const TSnapshot& s, const TControlState& c) {
    const std::string name = c.Name.empty() ? "(" + c.ClassName + ")" : c.Name;
    return c.Owner.empty() || c.Owner == s.FormName ? name : c.Owner + "." + name;
}

std::string ParentName(const TSnapshot& s, const TControlState& c) {
    return c.Parent < 0 ? s.FormName : NameIn(s, s.Controls[static_cast<std::size_t>(c.Parent)]);
}

// Whether an ancestor is empty: the window system clips a child to its parent,
// so nothing of it shows (the sheets of a page control of an unknown class).
bool InEmptyParent(const TSnapshot& s, const TControlState& c) {
    int guard = 0;
    for (int p = c.Parent; p >= 0 && p < static_cast<int>(s.Controls.size()) && guard < 1000;
         ++guard) {
        const TControlState& parent = s.Controls[static_cast<std::size_t>(p)];
        if (parent.Width <= 0 || parent.Height <= 0)
            return true;
        p = parent.Parent;
    }
    return false;
}

std::string Size(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

// The ink of the place's text as drawn without clipping, relative to the control,
// and whether enough of it lies outside the clip box to be cut off.
struct TInk {
    TBox Box;
    bool CutWide = false, CutTall = false;
};

TInk InkOf(const TControlLook& look, const TTextPlace& place,
           const std::vector<TPlacedLine>& lines) {
    const TBox clip = place.ClipBox();
    int left = clip.Left, top = clip.Top, right = clip.Right(), bottom = clip.Bottom();
    std::vector<TTextRun> runs;
    for (const TPlacedLine& line : lines) {
        runs.push_back(MeasureRun(look.Font, line.Text));
        // Overhangs of italics and accents reach past the cell.
        const int slack = runs.back().Height();
        left = std::min(left, line.X - slack);
        top = std::min(top, line.Y - slack);
        right = std::max(right, line.X + runs.back().Width() + slack);
        bottom = std::max(bottom, line.Y + runs.back().Height() + slack);
    }
    TRasterCanvas canvas(right - left, bottom - top, 0xFFFFFF);
    for (std::size_t i = 0; i < lines.size(); ++i)
        canvas.Text(lines[i].X - left, lines[i].Y - top, runs[i], 0x000000);
    TInk ink;
    int inkLeft = right, inkTop = bottom, inkRight = left, inkBottom = top;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            // A pixel at least half covered: fainter anti-aliasing reads as nothing.
            if ((canvas.Pixel(x, y) & 0xFF) > 0x80)
                continue;
            const int cx = x + left, cy = y + top;
            inkLeft = std::min(inkLeft, cx);
            inkTop = std::min(inkTop, cy);
            inkRight = std::max(inkRight, cx + 1);
            inkBottom = std::max(inkBottom, cy + 1);
            if (cx < clip.Left || cx >= clip.Right())
                ink.CutWide = true;
            if (cy < clip.Top || cy >= clip.Bottom())
                ink.CutTall = true;
        }
    if (inkRight > inkLeft)
        ink.Box = {inkLeft, inkTop, inkRight - inkLeft, inkBottom - inkTop};
    return ink;
}

bool SameFace(const std::u16string& a, const std::u16string& b) {
    return Vcl::CompareText(Vcl::Utf16ToUtf8(a), Vcl::Utf16ToUtf8(b)) == 0;
}

std::u16string FaceOf(const Win32::LOGFONTW& font) {
    std::u16string face;
    for (std::size_t i = 0; i < std::size(font.lfFaceName) && font.lfFaceName[i] != 0; ++i)
        face += font.lfFaceName[i];
    return face;
}

// Which face measured the text, when it is not the one the form asks for.
std::string FaceNote(const Win32::LOGFONTW& font, const std::u16string& text) {
    const Sim::TFontSource source = MeasureRun(font, text).Measure.Source;
    const std::u16string asked = FaceOf(font);
    if (source.Approximate)
        return " (no font file for " + Vcl::Utf16ToUtf8(asked) + ": an approximate metric)";
    if (!source.Family.empty() && !SameFace(source.Family, asked))
        return " (measured in " + Vcl::Utf16ToUtf8(source.Family) + ", standing in for " +
               Vcl::Utf16ToUtf8(asked) + ")";
    return "";
}

// The text finding of one place, if the window system cuts its ink off.
std::optional<TFinding> TextFinding(const TControlState& c, const TTextPlace& place) {
    if (place.Text.empty())
        return std::nullopt;
    const std::vector<TPlacedLine> lines = PlaceLines(c.Look, place);
    int needW = 0, needH = 0;
    for (const TPlacedLine& line : lines)
        needW = std::max(needW, MeasureRun(c.Look.Font, line.Text).Width());
    needH = MeasureRun(c.Look.Font, u"Ag").Height() * static_cast<int>(lines.size());
    const bool wide = place.CheckWidth && needW > place.Room.Width;
    const bool tall = place.CheckHeight && needH > place.Room.Height;
    if (!wide && !tall)
        return std::nullopt;
    // The cell does not fit; what counts is whether the glyphs are cut.
    const TInk ink = InkOf(c.Look, place, lines);
    if (!(wide && ink.CutWide) && !(tall && ink.CutTall))
        return std::nullopt;
    TFinding f;
    f.Kind = "text";
    f.Needs = {needW, needH};
    f.Has = {std::max(place.Room.Width, 0), std::max(place.Room.Height, 0)};
    f.Message = place.What + " '" + place.Text + "' needs " + Size(needW, needH) + ", has " +
                Size(f.Has->first, f.Has->second) + ", cut off " +
                (ink.CutWide && ink.CutTall ? "at the sides and top or bottom"
                 : ink.CutWide              ? "at the sides"
                                            : "at the top or bottom") +
                FaceNote(c.Look.Font, Vcl::Utf8ToUtf16(place.Text));
    return f;
}

// The pixels per em of a font as the desktop makes it, whatever sign its height has.
int EmPixels(const Win32::LOGFONTW& font) {
    const TTextRun run = MeasureRun(font, u"Ag");
    return run.Measure.Metrics.tmHeight - run.Measure.Metrics.tmInternalLeading;
}

// The pixels per em of a control's font; 0 without one.
int FontEm(const TControlState& c) {
    return c.FontSize && c.Look.HasFont ? EmPixels(c.Look.Font) : 0;
}

// Pixels as points at a resolution, to a tenth.
std::string Points(int pixels, int dpi) {
    const long long tenths = (pixels * 720LL + dpi / 2) / dpi;
    return std::to_string(tenths / 10) + (tenths % 10 ? "." + std::to_string(tenths % 10) : "");
}

// The width the tabs of a page or tab control take in one row; 0 when they
// break into rows.
int TabRowNeeds(const TControlLook& look) {
    long long sum = 0;
    for (int w : look.OneRowTabs)
        sum += w;
    return static_cast<int>(std::min<long long>(sum, 1 << 30));
}

} // namespace

std::string FormatFinding(const TFinding& f) {
    return f.File + ": " + Size(f.Width, f.Height) + "@" + std::to_string(f.Dpi) + ": " +
           f.Control + ": " + f.Message;
}

std::vector<TFinding> CheckSnapshots(const std::string& file, int dpi,
                                     const std::vector<TSnapshot>& snapshots,
                                     const std::optional<TSnapshot>& designed, int minFontPoints) {
    std::vector<TFinding> findings;
    if (snapshots.empty())
        return findings;
    const TSnapshot& design = designed ? *designed : snapshots.front();
    std::set<std::pair<int, int>> seenSizes;
    std::set<std::pair<int, int>> fontsSeen; // control index (-1: the form), pixels
    for (const TSnapshot& s : snapshots) {
        // The same size twice (a maximum that equals the work area) says nothing new.
        if (s.State == "minimized" || !seenSizes.insert({s.ClientWidth, s.ClientHeight}).second)
            continue;
        auto add = [&](TFinding f, const TControlState& c) {
            f.File = file;
            f.Width = s.ClientWidth;
            f.Height = s.ClientHeight;
            f.Dpi = dpi;
            f.Control = NameIn(s, c);
            findings.push_back(std::move(f));
        };
        const bool comparable = s.Controls.size() == design.Controls.size();
        // Fonts are compared in pixels at the snapshot's resolution: a positive
        // Font.Height is a cell height and gives a negative Size. A form font too
        // small is one finding for the form and the controls that share it, once
        // per resolution; another control's font is its own finding.
        const int resolution = s.Dpi > 0 ? s.Dpi : dpi;
        const int least = (minFontPoints * resolution + 36) / 72;
        const int formEm = s.Look.HasFont ? EmPixels(s.Look.Font) : 0;
        const bool formSmall = formEm > 0 && formEm < least;
        auto fontFinding = [&](int em, const std::string& sharing) {
            TFinding f;
            f.Kind = "font";
            f.Message = "font " + Points(em, resolution) + " pt (" + std::to_string(em) +
                        " px) is below " + std::to_string(minFontPoints) + " pt (" +
                        std::to_string(least) + " px at " + std::to_string(resolution) + " DPI)" +
                        sharing;
            return f;
        };
        if (formSmall && fontsSeen.insert({-1, formEm}).second) {
            int sharing = 0;
            for (const TControlState& c : s.Controls)
                sharing += c.Look.Visible && FontEm(c) == formEm ? 1 : 0;
            TFinding f = fontFinding(formEm, ", the form's font, in " + std::to_string(sharing) +
                                                 (sharing == 1 ? " control" : " controls"));
            f.File = file;
            f.Width = s.ClientWidth;
            f.Height = s.ClientHeight;
            f.Dpi = dpi;
            f.Control = s.FormName;
            findings.push_back(std::move(f));
        }
        for (std::size_t i = 0; i < s.Controls.size(); ++i) {
            const TControlState& c = s.Controls[i];
            if (!Checked(c) || InEmptyParent(s, c))
                continue;
            const TControlState* before = comparable ? &design.Controls[i] : nullptr;
            for (const TTextPlace& place : TextPlaces(c.Look, c.Width, c.Height))
                if (auto f = TextFinding(c, place))
                    add(*f, c);
            for (std::size_t j = i + 1; j < s.Controls.size(); ++j) {
                const TControlState& d = s.Controls[j];
                // The pages of a page control lie on one another.
                if (d.Parent != c.Parent || !Checked(d) || !Overlap(c, d) ||
                    (c.Look.Kind == TLookKind::TabSheet && d.Look.Kind == TLookKind::TabSheet))
                    continue;
                const bool asDesigned = before && Overlap(*before, design.Controls[j]);
                if (asDesigned && !OverlapGrown(s, c, d, design, *before, design.Controls[j]))
                    continue;
                TFinding f;
                f.Kind = "overlap";
                f.Other = NameIn(s, d);
                f.Message = "overlaps " + f.Other + (asDesigned ? ", more than as designed" : "");
                add(f, c);
            }
            if (!Inside(s, c) && (!before || Inside(design, *before))) {
                const auto [pw, ph] = ParentSize(s, c);
                TFinding f;
                f.Kind = "outside";
                f.Message = "leaves " + ParentName(s, c) + " (" + std::to_string(c.Left) + "," +
                            std::to_string(c.Top) + " " + Size(c.Width, c.Height) + " in " +
                            Size(pw, ph) + ")";
                add(f, c);
            }
            if (const int em = FontEm(c); em > 0 && em < least && !(formSmall && em == formEm) &&
                                          fontsSeen.insert({static_cast<int>(i), em}).second)
                add(fontFinding(em, ""), c);
            if (const int need = TabRowNeeds(c.Look);
                need > c.Width && (!before || TabRowNeeds(before->Look) <= before->Width)) {
                TFinding f;
                f.Kind = "tabs";
                f.Needs = {need, 0};
                f.Has = {c.Width, 0};
                f.Message = "tabs need " + std::to_string(need) + " px in one row, it is " +
                            std::to_string(c.Width) +
                            " px wide: arrows scroll the row and hide the tabs beyond it";
                add(f, c);
            }
            if ((c.Width <= 1 || c.Height <= 1) &&
                (!before || (before->Width > 1 && before->Height > 1))) {
                TFinding f;
                f.Kind = "shrunk";
                f.Message = "shrunk to " + Size(c.Width, c.Height);
                add(f, c);
            }
        }
    }
    return findings;
}

std::vector<std::string> ReadTranslation(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw EUsageError("--translate: cannot read " + file);
    std::vector<std::string> assignments;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0)
            line.erase(0, 3);
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#')
            continue;
        const std::size_t eq = line.find('=');
        const std::size_t dot = line.find('.');
        if (eq == std::string::npos || dot == std::string::npos || dot > eq || dot == 0 ||
            dot + 1 == eq)
            throw EUsageError("--translate: " + file + ":" + std::to_string(number) +
                              ": not COMPONENT.PROPERTY=text");
        // The text as it stands, as a string of the form file.
        std::string quoted = "'";
        for (char ch : line.substr(eq + 1))
            quoted += ch == '\'' ? std::string("''") : std::string(1, ch);
        assignments.push_back(line.substr(0, eq + 1) + quoted + "'");
    }
    return assignments;
}

namespace {

// The sizes a form is checked at, planned once it is shown.
std::vector<TAction> PlanSizes(Vcl::TCustomForm& form, const TLintOptions& options) {
    std::vector<TAction> actions;
    if (!options.Sizes.empty()) {
        for (const std::string& size : options.Sizes) {
            const auto parsed = ParseSize(size);
            actions.push_back(ResizeAction(TActionKind::Client, parsed->Width, parsed->Height));
        }
        return actions;
    }
    // Outer sizes: the design size as shown, the limits of the component or of the
    // form's constraints, the work area when there is no maximum.
    const TSizeLimits limits = FormLimits(form);
    const int w0 = limits.DesignWidth, h0 = limits.DesignHeight;
    const int minW = limits.MinWidth, minH = limits.MinHeight;
    const int highW = limits.HighWidth(), highH = limits.HighHeight();
    auto between = [](int a, int b, int k, int n) { return a + (b - a) * k / n; };
    if (options.Sweep) {
        actions = SweepActions(limits);
    } else {
        if (minW) {
            actions.push_back(ResizeAction(TActionKind::Outer, minW, minH));
            actions.push_back(
                ResizeAction(TActionKind::Outer, between(minW, w0, 1, 2), between(minH, h0, 1, 2)));
        }
        for (int k = 1; k <= 2; ++k)
            actions.push_back(ResizeAction(TActionKind::Outer, between(w0, highW, k, 3),
                                           between(h0, highH, k, 3)));
        actions.push_back(ResizeAction(TActionKind::Outer, highW, highH));
    }
    if (!limits.MaxWidth)
        actions.push_back(ParseActions({"maximize"}).front());
    return actions;
}

// A Scaled form that the framework scaled as it was read, and that a component
// corrects for the same resolutions again when it starts: fonts and bounds are
// scaled twice, as in the real framework.
std::vector<TFinding> ScalingFindings(const std::string& file, int dpi, const TRunResult& run) {
    std::vector<TFinding> findings;
    if (run.Snapshots.empty())
        return findings;
    const TSnapshot& design = run.Snapshots.front();
    for (const std::string& component : run.CorrectingComponents) {
        TFinding f;
        f.File = file;
        f.Width = design.ClientWidth;
        f.Height = design.ClientHeight;
        f.Dpi = dpi;
        f.Control = component;
        f.Kind = "scaled";
        f.Message = "the form is Scaled: the framework scales it from " +
                    std::to_string(run.ScaledFromDpi) + " to " + std::to_string(run.ScaledToDpi) +
                    " DPI as it is read, and " + component +
                    " corrects its fonts and bounds for the resolution once more (Scaled = "
                    "False leaves the correction to " +
                    component + ")";
        findings.push_back(std::move(f));
    }
    return findings;
}

// The form as it is shown, cut off by the edges of its monitor's work area: its
// frame may lie beyond them (an invisible border does), its caption and client
// area not.
std::optional<TFinding> ScreenFinding(const std::string& file, int dpi, const TSnapshot& shown,
                                      const Sim::TDesktop& desktop) {
    if (shown.State != "normal" || shown.Error)
        return std::nullopt;
    const int width = shown.WindowRight - shown.WindowLeft;
    const int height = shown.WindowBottom - shown.WindowTop;
    const int border = std::max(0, (width - shown.ClientWidth) / 2);
    const int left = shown.WindowLeft + border, right = shown.WindowRight - border;
    const int top = shown.WindowTop + border, bottom = shown.WindowBottom - border;
    // The monitor that holds most of the window, as the window system picks it.
    long long best = -1;
    Win32::RECT work{};
    for (int i = 0; i < desktop.MonitorCount(); ++i) {
        const Win32::RECT m = desktop.MonitorBounds(i);
        const long long w = std::max(0, std::min<int>(m.right, shown.WindowRight) -
                                            std::max<int>(m.left, shown.WindowLeft));
        const long long h = std::max(0, std::min<int>(m.bottom, shown.WindowBottom) -
                                            std::max<int>(m.top, shown.WindowTop));
        if (w * h > best) {
            best = w * h;
            work = desktop.WorkArea(i);
        }
    }
    std::vector<std::string> cuts;
    auto cut = [&](long long by, const char* side) {
        if (by > 0)
            cuts.push_back(std::to_string(by) + " px " + side);
    };
    cut(static_cast<long long>(work.left) - left, "at the left");
    cut(static_cast<long long>(work.top) - top, "at the top");
    cut(static_cast<long long>(right) - work.right, "at the right");
    cut(static_cast<long long>(bottom) - work.bottom, "at the bottom");
    if (cuts.empty())
        return std::nullopt;
    TFinding f;
    f.File = file;
    f.Width = shown.ClientWidth;
    f.Height = shown.ClientHeight;
    f.Dpi = dpi;
    f.Control = shown.FormName;
    f.Kind = "screen";
    f.Needs = {width, height};
    f.Has = {static_cast<int>(work.right - work.left), static_cast<int>(work.bottom - work.top)};
    f.Message = "the window (" + std::to_string(shown.WindowLeft) + "," +
                std::to_string(shown.WindowTop) + " " + Size(width, height) +
                ") is shown beyond the work area of its monitor (" + std::to_string(work.left) +
                "," + std::to_string(work.top) + " " + Size(f.Has->first, f.Has->second) +
                "), cut off ";
    for (std::size_t i = 0; i < cuts.size(); ++i)
        f.Message += (i == 0 ? "" : i + 1 == cuts.size() ? " and " : ", ") + cuts[i];
    return f;
}

nlohmann::ordered_json ToJson(const TFinding& f) {
    nlohmann::ordered_json j;
    j["file"] = f.File;
    j["size"] = {f.Width, f.Height};
    j["dpi"] = f.Dpi;
    j["control"] = f.Control;
    j["kind"] = f.Kind;
    j["message"] = f.Message;
    if (f.Needs)
        j["needs"] = {f.Needs->first, f.Needs->second};
    if (f.Has)
        j["has"] = {f.Has->first, f.Has->second};
    if (!f.Other.empty())
        j["other"] = f.Other;
    return j;
}

} // namespace

int RunLint(const TLintOptions& options, std::ostream& out, std::ostream& err) {
    for (const std::string& size : options.Sizes) {
        const auto parsed = ParseSize(size);
        if (!parsed || size.find('@') != std::string::npos || parsed->Width <= 0 ||
            parsed->Height <= 0 || parsed->Width > 65535 || parsed->Height > 65535)
            throw EUsageError("--sizes: '" + size + "' is not a size WxH");
    }
    for (int dpi : options.Dpis)
        if (dpi < 48 || dpi > 960)
            throw EUsageError("--dpi: " + std::to_string(dpi) + " is not a resolution (48 to 960)");
    const std::vector<std::string> translation =
        options.Translate.empty() ? std::vector<std::string>{} : ReadTranslation(options.Translate);
    // The options are checked before anything runs.
    MakeDesktopConfig(options.Desktop);
    ParseClassMap(options.ClassMap);

    const std::vector<int> dpis =
        options.Dpis.empty() ? std::vector<int>{ScreenDpi(options.Desktop)} : options.Dpis;
    std::vector<TFinding> findings;
    int status = 0;
    const std::size_t total = options.Files.size() * dpis.size();
    std::size_t done = 0;
    TProgress progress(err, ChooseProgress(options.Progress, total), "lint", total);
    const auto library = std::make_shared<Vcl::TFormLibrary>();
    for (const std::string& file : options.Files) {
        for (int dpi : dpis) {
            progress.Step(++done, file + " at " + std::to_string(dpi) + " DPI");
            TRunOptions run;
            run.FormFile = file;
            run.Desktop = options.Desktop;
            const std::string screen =
                options.Desktop.Screen.substr(0, options.Desktop.Screen.find('@'));
            run.Desktop.Screen = screen + "@" + std::to_string(dpi);
            run.Lenient = options.Lenient;
            run.SearchDirs = options.SearchDirs;
            run.CodePage = options.CodePage;
            run.Library = library;
            run.ClassMap = options.ClassMap;
            run.Attach = options.Attach;
            run.WithDesigned = true;
            run.Assignments = translation;
            run.Plan = [&](Vcl::TCustomForm& form) { return PlanSizes(form, options); };
            TRunResult result = RunForm(run, err);
            if (!result.Loaded) {
                err << result.LoadError << "\n";
                status = 2;
                break;
            }
            for (const TSnapshot& s : result.Snapshots)
                if (s.Error)
                    err << file << ": " << s.Action << ": error: " << *s.Error << "\n";
            Sim::TDesktop metrics(MakeDesktopConfig(run.Desktop));
            std::vector<TFinding> found = ScalingFindings(file, dpi, result);
            if (!result.Snapshots.empty())
                if (auto f = ScreenFinding(file, dpi, result.Snapshots.front(), metrics))
                    found.push_back(std::move(*f));
            std::vector<TFinding> checked =
                CheckSnapshots(file, dpi, result.Snapshots, result.Designed, options.MinFontPoints);
            found.insert(found.end(), checked.begin(), checked.end());
            findings.insert(findings.end(), found.begin(), found.end());
        }
    }
    if (options.Json) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const TFinding& f : findings)
            list.push_back(ToJson(f));
        out << list.dump(1) << "\n";
    } else {
        for (const TFinding& f : findings)
            out << FormatFinding(f) << "\n";
    }
    // The summary goes with the progress, so that the findings stay one a line.
    if (!options.Json) {
        std::map<std::string, int> kinds;
        std::set<std::string> files;
        for (const TFinding& f : findings) {
            ++kinds[f.Kind];
            files.insert(f.File);
        }
        err << "lint: " << findings.size() << (findings.size() == 1 ? " finding" : " findings")
            << " in " << files.size() << " of " << options.Files.size()
            << (options.Files.size() == 1 ? " file" : " files") << " at " << dpis.size()
            << (dpis.size() == 1 ? " resolution" : " resolutions");
        const char* separator = ": ";
        for (const auto& [kind, count] : kinds) {
            err << separator << kind << " " << count;
            separator = ", ";
        }
        err << "\n";
    }
    if (status != 0)
        return status;
    return findings.empty() ? 0 : 1;
}

} // namespace QuorvelTool
