#include "Lint.h"

#include "ControlText.h"
#include "FormFiles.h"
#include "Progress.h"
#include "RunSession.h"
#include "Sweep.h"
#include "quorvel/vcl/SysUtils.h"

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

// The client size of a control's parent in the snapshot.
std::pair<int, int> ParentSize(const TSnapshot& s, const TControlState& c) {
    if (c.Parent < 0)
        return {s.ClientWidth, s.ClientHeight};
    const TControlState& p = s.Controls[static_cast<std::size_t>(c.Parent)];
    return {p.Width, p.Height};
}

bool Inside(const TSnapshot& s, const TControlState& c) {
    const auto [w, h] = ParentSize(s, c);
    return c.Left >= 0 && c.Top >= 0 && c.Left + c.Width <= w && c.Top + c.Height <= h;
}

std::string ParentName(const TSnapshot& s, const TControlState& c) {
    return c.Parent < 0 ? s.FormName : s.Controls[static_cast<std::size_t>(c.Parent)].Name;
}

std::string Size(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

// The text finding of one place, if the text needs more than the room.
std::optional<TFinding> TextFinding(const TControlState& c, const TTextPlace& place) {
    if (place.Text.empty())
        return std::nullopt;
    const std::u16string text = Vcl::Utf8ToUtf16(place.Text);
    int needW = 0, needH = 0;
    if (place.Wrap) {
        const std::vector<std::u16string> lines = WrapText(c.Look.Font, text, place.Room.Width);
        for (const std::u16string& line : lines)
            needW = std::max(needW, MeasureRun(c.Look.Font, line).Width());
        needH = MeasureRun(c.Look.Font, u"Ag").Height() * static_cast<int>(lines.size());
    } else {
        const TTextRun run = MeasureRun(c.Look.Font, text);
        needW = run.Width();
        needH = run.Height();
    }
    const bool wide = place.CheckWidth && needW > place.Room.Width;
    const bool tall = place.CheckHeight && needH > place.Room.Height;
    if (!wide && !tall)
        return std::nullopt;
    TFinding f;
    f.Kind = "text";
    f.Needs = {needW, needH};
    f.Has = {std::max(place.Room.Width, 0), std::max(place.Room.Height, 0)};
    f.Message = place.What + " '" + place.Text + "' needs " + Size(needW, needH) + ", has " +
                Size(f.Has->first, f.Has->second);
    return f;
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
    for (const TSnapshot& s : snapshots) {
        // The same size twice (a maximum that equals the work area) says nothing new.
        if (s.State == "minimized" || !seenSizes.insert({s.ClientWidth, s.ClientHeight}).second)
            continue;
        auto add = [&](TFinding f, const TControlState& c) {
            f.File = file;
            f.Width = s.ClientWidth;
            f.Height = s.ClientHeight;
            f.Dpi = dpi;
            f.Control = c.Name.empty() ? "(" + c.ClassName + ")" : c.Name;
            findings.push_back(std::move(f));
        };
        const bool comparable = s.Controls.size() == design.Controls.size();
        for (std::size_t i = 0; i < s.Controls.size(); ++i) {
            const TControlState& c = s.Controls[i];
            if (!c.Look.Visible)
                continue;
            const TControlState* before = comparable ? &design.Controls[i] : nullptr;
            for (const TTextPlace& place : TextPlaces(c.Look, c.Width, c.Height))
                if (auto f = TextFinding(c, place))
                    add(*f, c);
            for (std::size_t j = i + 1; j < s.Controls.size(); ++j) {
                const TControlState& d = s.Controls[j];
                if (d.Parent != c.Parent || !d.Look.Visible || !Overlap(c, d))
                    continue;
                if (before && Overlap(*before, design.Controls[j]))
                    continue;
                TFinding f;
                f.Kind = "overlap";
                f.Other = d.Name;
                f.Message = "overlaps " + d.Name;
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
            if (c.FontSize && *c.FontSize < minFontPoints && c.Look.HasFont) {
                TFinding f;
                f.Kind = "font";
                f.Message = "font " + std::to_string(*c.FontSize) + " pt is below " +
                            std::to_string(minFontPoints) + " pt";
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
    if (status != 0)
        return status;
    return findings.empty() ? 0 : 1;
}

} // namespace QuorvelTool
