#include "CommandLine.h"

#include "Design.h"
#include "FormFiles.h"
#include "FormPainter.h"
#include "HtmlReport.h"
#include "InstallPaths.h"
#include "Lint.h"
#include "Palette.h"
#include "Progress.h"
#include "Report.h"
#include "RunSession.h"
#include "Sweep.h"
#include "quorvel/Version.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <unistd.h>

namespace QuorvelTool {

namespace {

const char* const ToolFooter = R"(Commands:
  quorvel check FILE...             read form files; FILE: ok or FILE:LINE:COL: error: MESSAGE
  quorvel print FILE                write the form back in canonical text syntax
  quorvel run [FILE [FRAME_FILE...]] [OPTIONS] [ACTION...]
                                    load the form on a fresh simulated desktop, show it, run
                                    the actions, report a snapshot after each (default: the
                                    bundled example)
  quorvel design FILE --set COMPONENT.PROPERTY=VALUE... [--screen ...] [-o OUT]
                                    edit in design mode through the setters; writes the form
                                    with fresh design values
  quorvel lint FILE... [DESKTOP OPTIONS] [--sizes WxH,...|--sweep] [--dpi 96,120,144]
               [--min-font POINTS] [--translate FILE] [--json]
                                    run each form at several sizes and resolutions and
                                    report text that does not fit, new overlaps, controls
                                    off their parent, small fonts, one-pixel controls
  quorvel palette [PACKAGE]         load the component package and list its palette pages

Exit status: 0 success; 1 an action failed, a setter refused a value or lint found
something; 2 usage or file errors. 'quorvel COMMAND --help' tells more.)";

const char* const RunFooter = R"(Actions (run in order, a snapshot after each):
  show                    show the form (it is shown once before the first action)
  client WxH              resize so that the client area is WxH
  outer WxH               resize the window to WxH
  drag EDGE DX DY         a user drag; EDGE: left right top bottom topleft topright
                          bottomleft bottomright
  maximize | restore | minimize
  move X Y                move the window (a user move)
  set COMPONENT.PROPERTY=VALUE
                          run-time assignment through the setter; VALUE in form-file
                          syntax ('text', 12, True, [fsBold]); Form1.Caption=text also works
  add CLASS NAME OWNER L,T,W,H
                          create a control at run time; OWNER is the form or a frame;
                          NAME - leaves it unnamed (dynamic-add then names it QvlAdd0001...)
  free NAME               free a component (FRAME.NAME for a frame's control)
  dynamic-add | dynamic-delete
                          TQuorvel.DynamicAdd / DynamicDelete

Output: a table per snapshot; with --json one array of
  {"action", "form": {"name", "client": [w, h], "window": [l, t, r, b], "font",
   "state": "normal|maximized|minimized", "dpi", "scale"},
   "controls": [{"name", "class", "owner", "bounds": [l, t, w, h], "font": size or null,
                 "parentFont"}],
   "events": [[xscale, yscale], ...], "error": message (only when the step failed)}
Controls come in their owner's component order, a frame's controls after the frame.
A failing action is reported in its snapshot's error and the run goes on (exit 1).)";

void AddDesktopOptions(CLI::App& command, TDesktopOptions& desktop) {
    command.add_option("--screen", desktop.Screen, "primary monitor WxH[@DPI]")
        ->capture_default_str();
    command.add_option("--monitor", desktop.Monitors, "another monitor X,Y,WxH[@DPI] (repeatable)")
        ->allow_extra_args(false);
    command.add_option("--taskbar", desktop.Taskbar, "EDGE[:THICKNESS][:autohide] or none")
        ->capture_default_str();
    command.add_option("--os", desktop.Os, "system version MAJOR.MINOR")->capture_default_str();
    command.add_option("--locale", desktop.Locale,
                       "user locale abbreviation (default from LANG: ja* gives JPN, else ENU)");
    command.add_option("--dwm", desktop.Dwm, "desktop composition on|off")->capture_default_str();
    command.add_flag("--custom-style", desktop.CustomStyle, "a custom visual style is active");
    command
        .add_option("--dpi-awareness", desktop.DpiAwareness,
                    "the program's DPI awareness: unaware (the system stretches its windows), "
                    "system, permonitor")
        ->capture_default_str();
}

void AddSearchOption(CLI::App& command, std::vector<std::string>& dirs) {
    command
        .add_option("--search", dirs,
                    "another folder to find frame and ancestor form files in (repeatable)")
        ->allow_extra_args(false);
}

// A usage error naming the page when this build cannot read it.
void AddCodePageOption(CLI::App& command, unsigned& codePage) {
    command
        .add_option("--codepage", codePage,
                    "ANSI code page of text without a byte-order mark (936, 932, 1251 ...)")
        ->capture_default_str()
        ->check([](const std::string& text) -> std::string {
            unsigned long number = 0;
            try {
                std::size_t used = 0;
                number = std::stoul(text, &used);
                if (used != text.size())
                    return "code page '" + text + "' is not a number";
            } catch (const std::exception&) {
                return "code page '" + text + "' is not a number";
            }
            if (number > 0xFFFF)
                return "unknown code page " + text;
            return Vcl::CodePageProblem(Vcl::TCodePage(static_cast<unsigned>(number)));
        });
}

bool LooksLikeFormFile(const std::string& token) {
    if (std::filesystem::is_regular_file(token))
        return true;
    const std::string ext = Vcl::AnsiLowerCase(std::filesystem::path(token).extension().string());
    return ext == ".dfm";
}

// FILE [FRAME_FILE...] [ACTION...]: files until the first action word.
void SplitRunArguments(const std::vector<std::string>& args, TRunOptions& options) {
    std::size_t i = 0;
    if (args.empty() || IsActionWord(args[0])) {
        options.FormFile = DefaultExample();
    } else {
        options.FormFile = args[0];
        i = 1;
        while (i < args.size() && !IsActionWord(args[i]) && LooksLikeFormFile(args[i]))
            options.FrameFiles.push_back(args[i++]);
    }
    options.Actions = ParseActions({args.begin() + static_cast<std::ptrdiff_t>(i), args.end()});
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.flush();
    return static_cast<bool>(file);
}

struct TRunOutput {
    bool Json = false;
    bool Verbose = false;
    bool Wireframe = false;
    bool Sweep = false;
    bool Progress = false;
    std::string Svg;
    std::string Png;
    std::string Html;
    int MinFontPoints = 6;
};

// Today's outlined boxes, the PNG through rsvg-convert.
int WriteWireframe(const std::vector<TSnapshot>& snapshots, const TRunOutput& output,
                   std::ostream& err) {
    const std::string svg = MakeSvg(snapshots);
    std::string svgFile = output.Svg;
    if (svgFile.empty()) {
        // The converter reads a file; a private one that goes away afterwards.
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quorvel-XXXXXX.svg").string();
        int fd = mkstemps(pattern.data(), 4);
        if (fd < 0) {
            err << "quorvel: error: cannot create a temporary file\n";
            return 2;
        }
        ::close(fd);
        svgFile = pattern;
    }
    if (!WriteText(svgFile, svg)) {
        err << FormatError(svgFile, "cannot write the file") << "\n";
        return 2;
    }
    if (!output.Png.empty()) {
        const std::string problem = ConvertSvgToPng(svgFile, output.Png);
        if (output.Svg.empty())
            std::remove(svgFile.c_str());
        if (!problem.empty()) {
            err << "quorvel: error: " << problem << "\n";
            return 2;
        }
    }
    return 0;
}

// The forms as they look, both pictures drawn here.
int WritePictures(const std::vector<TSnapshot>& snapshots, const TRunOutput& output,
                  std::ostream& err) {
    if (!output.Svg.empty() && !WriteText(output.Svg, MakeFormSvg(snapshots))) {
        err << FormatError(output.Svg, "cannot write the file") << "\n";
        return 2;
    }
    if (!output.Png.empty() && !WriteText(output.Png, MakeFormPng(snapshots))) {
        err << FormatError(output.Png, "cannot write the file") << "\n";
        return 2;
    }
    return 0;
}

// The page of the run: its pictures, its bounds and what the layout check finds
// in its snapshots, measured on a desktop like the run's.
int WriteHtml(const TRunOptions& options, const TRunResult& result, std::size_t sweepCount,
              const TRunOutput& output, std::ostream& err) {
    Sim::TDesktop metrics(MakeDesktopConfig(options.Desktop));
    THtmlReport report;
    report.FormFile = options.FormFile;
    report.Dpi = ScreenDpi(options.Desktop);
    report.Snapshots = result.Snapshots;
    report.SweepCount = sweepCount;
    report.Findings =
        CheckSnapshots(options.FormFile, report.Dpi, result.Snapshots, output.MinFontPoints);
    if (!WriteText(output.Html, MakeHtml(report))) {
        err << FormatError(output.Html, "cannot write the file") << "\n";
        return 2;
    }
    return 0;
}

int Run(TRunOptions& options, const std::vector<std::string>& args, const TRunOutput& output,
        std::ostream& out, std::ostream& err) {
    SplitRunArguments(args, options);
    if (output.Wireframe && !output.Png.empty() && !HavePngConverter())
        throw EUsageError("--png needs rsvg-convert (Debian package librsvg2-bin), which is "
                          "not installed (the picture without --wireframe needs none)");

    // The sweep follows the actions, from the limits of the form as it is then.
    std::size_t sweepCount = 0;
    if (output.Sweep)
        options.Plan = [&sweepCount](Vcl::TCustomForm& form) {
            std::vector<TAction> steps = SweepActions(FormLimits(form));
            sweepCount = steps.size();
            return steps;
        };
    std::optional<TProgress> progress;
    options.Progress = [&](std::size_t done, std::size_t total, const std::string& action) {
        if (!progress)
            progress.emplace(err, ChooseProgress(output.Progress, total), "run", total);
        progress->Step(done, action);
    };

    TRunResult result = RunForm(options, err);
    progress.reset();
    if (!result.Loaded) {
        err << result.LoadError << "\n";
        return 2;
    }
    if (output.Verbose)
        for (const std::string& guess : result.GuessedClasses)
            err << options.FormFile << ": note: unknown class " << guess << "\n";
    if (output.Json)
        WriteJson(result.Snapshots, out);
    else
        WriteTable(result.Snapshots, out);

    int status = result.ActionFailed ? 1 : 0;
    if (!output.Svg.empty() || !output.Png.empty()) {
        const int written = output.Wireframe ? WriteWireframe(result.Snapshots, output, err)
                                             : WritePictures(result.Snapshots, output, err);
        if (written != 0)
            return written;
    }
    if (!output.Html.empty()) {
        const int written = WriteHtml(options, result, sweepCount, output, err);
        if (written != 0)
            return written;
    }
    return status;
}

} // namespace

int Main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CLI::App app{"Runs Windows form files on a simulated desktop and shows where every control "
                 "ends up.",
                 "quorvel"};
    app.require_subcommand(1);
    app.footer(ToolFooter);
    app.set_version_flag("--version", "quorvel " QUORVEL_VERSION_STRING,
                         "print the version and exit");

    TReadOptions checkOptions;
    bool checkProgress = false;
    std::vector<std::string> checkFiles;
    CLI::App* check = app.add_subcommand("check", "Read form files and report the first error "
                                                  "of each");
    check->add_option("FILE", checkFiles, "form files")->required();
    check->add_flag("--lenient", checkOptions.Lenient, "accept unknown classes and properties");
    AddSearchOption(*check, checkOptions.SearchDirs);
    AddCodePageOption(*check, checkOptions.CodePage);
    check->add_flag("--progress", checkProgress,
                    "a line per file on standard error (on a terminal: for ten files or more)");

    TLintOptions lintOptions;
    CLI::App* lint = app.add_subcommand(
        "lint", "Run forms at other sizes and resolutions and report what no longer fits");
    lint->add_option("FILE", lintOptions.Files, "form files")->required();
    AddDesktopOptions(*lint, lintOptions.Desktop);
    lint->add_flag("--lenient", lintOptions.Lenient, "accept unknown classes and properties");
    AddSearchOption(*lint, lintOptions.SearchDirs);
    AddCodePageOption(*lint, lintOptions.CodePage);
    CLI::Option* sizes =
        lint->add_option("--sizes", lintOptions.Sizes,
                         "client sizes WxH,... (default: minimum, design size, sizes between, "
                         "maximum or work area)")
            ->delimiter(',');
    lint->add_flag("--sweep", lintOptions.Sweep, "thirteen sizes from the smallest to the largest")
        ->excludes(sizes);
    lint->add_option("--dpi", lintOptions.Dpis, "screen resolutions DPI,... (default: --screen's)")
        ->delimiter(',');
    lint->add_option("--min-font", lintOptions.MinFontPoints,
                     "the smallest readable font size in points")
        ->capture_default_str();
    lint->add_option("--translate", lintOptions.Translate,
                     "replacement texts, COMPONENT.PROPERTY=text a line, set before showing");
    lint->add_flag("--json", lintOptions.Json, "write the findings as one JSON array");
    lint->add_flag("--progress", lintOptions.Progress,
                   "a line per form and resolution on standard error");

    std::string printFile;
    CLI::App* print = app.add_subcommand("print", "Write a form file in canonical text syntax");
    print->add_option("FILE", printFile, "form file")->required();
    unsigned printCodePage = 1252;
    AddCodePageOption(*print, printCodePage);

    TRunOptions runOptions;
    TRunOutput runOutput;
    std::vector<std::string> runArgs;
    CLI::App* run = app.add_subcommand(
        "run", "Load a form on a fresh simulated desktop, show it, run actions, report layouts");
    run->add_option("ARGS", runArgs, "FILE [FRAME_FILE...] [ACTION...]");
    AddDesktopOptions(*run, runOptions.Desktop);
    run->add_flag("--lenient", runOptions.Lenient, "accept unknown classes and properties");
    AddSearchOption(*run, runOptions.SearchDirs);
    AddCodePageOption(*run, runOptions.CodePage);
    run->add_option("--visual", runOptions.VisualClasses,
                    "with --lenient: take unknown CLASS for a control (repeatable)")
        ->allow_extra_args(false);
    run->add_option("--non-visual", runOptions.NonVisualClasses,
                    "with --lenient: take unknown CLASS for a non-visual component (repeatable)")
        ->allow_extra_args(false);
    run->add_flag("--verbose", runOutput.Verbose,
                  "say on standard error which unknown classes were taken for what");
    run->add_flag("--attach", runOptions.Attach,
                  "put a TQuorvel on a form that has none (design values from the form)");
    run->add_flag("--json", runOutput.Json, "write the snapshots as one JSON array");
    run->add_option("--svg", runOutput.Svg, "draw the snapshots side by side into FILE");
    run->add_option("--png", runOutput.Png, "the same picture as PNG");
    run->add_flag("--wireframe", runOutput.Wireframe,
                  "draw controls as outlined boxes with their names (--png then needs "
                  "rsvg-convert)");
    run->add_flag("--sweep", runOutput.Sweep,
                  "after the actions, resize through thirteen sizes from the smallest to the "
                  "largest, a snapshot at each");
    run->add_option("--html", runOutput.Html,
                    "write one self-contained page: pictures, bounds, layout check findings, "
                    "a slider over the sweep");
    run->add_option("--min-font", runOutput.MinFontPoints,
                    "with --html: the smallest readable font size in points")
        ->capture_default_str();
    run->add_flag("--progress", runOutput.Progress, "a line per action on standard error");
    run->footer(RunFooter);

    TDesignOptions designOptions;
    CLI::App* design = app.add_subcommand(
        "design", "Assign properties in design mode and write the form with fresh design values");
    design->add_option("FILE", designOptions.File, "form file")->required();
    design->add_option("--set", designOptions.Assignments, "COMPONENT.PROPERTY=VALUE...");
    AddDesktopOptions(*design, designOptions.Desktop);
    design->add_flag("--lenient", designOptions.Lenient, "accept unknown classes and properties");
    AddSearchOption(*design, designOptions.SearchDirs);
    AddCodePageOption(*design, designOptions.CodePage);
    design->add_option("-o,--output", designOptions.Output,
                       "output file (default: standard output)");

    std::string package;
    CLI::App* palette = app.add_subcommand(
        "palette", "Load the component package, register it and list its palette pages");
    palette->add_option("PACKAGE", package,
                        "the package's shared library (default: the one "
                        "built with the tool)");

    // CLI11 would only say that a command is missing.
    const std::vector<std::string> commands{"check", "print", "run", "design", "lint", "palette"};
    if (!args.empty() && !args[0].empty() && args[0][0] != '-' &&
        std::find(commands.begin(), commands.end(), args[0]) == commands.end()) {
        err << "quorvel: error: unknown command '" << args[0]
            << "' (commands: check print run design lint palette; see quorvel --help)\n";
        return 2;
    }
    try {
        // CLI11 takes the arguments last first.
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        app.exit(e, out, err);
        return e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success) ? 0 : 2;
    }

    try {
        if (*check)
            return CheckFiles(checkFiles, checkOptions, out, err, checkProgress);
        if (*lint)
            return RunLint(lintOptions, out, err);
        if (*print)
            return PrintFile(printFile, out, err, printCodePage);
        if (*run)
            return Run(runOptions, runArgs, runOutput, out, err);
        if (*design)
            return RunDesign(designOptions, out, err);
        if (*palette)
            return ListPalette(package.empty() ? DefaultPackage() : package, out, err);
    } catch (const EUsageError& e) {
        err << "quorvel: error: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        err << "quorvel: error: " << e.what() << "\n";
        return 2;
    }
    return 2;
}

} // namespace QuorvelTool
