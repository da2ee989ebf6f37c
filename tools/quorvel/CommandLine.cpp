#include "CommandLine.h"

#include "CommandLineDefinition.h"
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
#include <sstream>
#include <unistd.h>

namespace QuorvelTool {

const char* const ToolFooter = R"(Commands:
  quorvel check FILE|DIR...         read form files; FILE: ok or FILE:LINE:COL: error: MESSAGE
  quorvel print FILE                write the form back in canonical text syntax
  quorvel run [FILE [FRAME_FILE...]] [OPTIONS] [ACTION...]
                                    load the form on a fresh simulated desktop, show it, run
                                    the actions, report a snapshot after each (default: the
                                    bundled example)
  quorvel design FILE --set COMPONENT.PROPERTY=VALUE... [--screen ...] [-o OUT]
                                    edit in design mode through the setters; writes the form
                                    with fresh design values
  quorvel lint FILE|DIR... [DESKTOP OPTIONS] [--sizes WxH,...|--sweep] [--dpi 96,120,144]
               [--min-font POINTS] [--translate FILE] [--attach] [--json]
                                    run each form at several sizes and resolutions and
                                    report what the form as designed did not show: text
                                    cut off, new overlaps, content off its parent, tabs
                                    that do not fit, small fonts, one-pixel controls
  quorvel palette [PACKAGE]         load the component package and list its palette pages

A folder given to check or lint stands for the form files (*.dfm) under it.

Exit status: 0 success; 1 an action failed, a setter refused a value or lint found
something; 2 usage or file errors, told before anything runs. 'quorvel COMMAND --help'
tells more.)";

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

namespace {

namespace fs = std::filesystem;

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
        ->type_name(DirValue)
        ->allow_extra_args(false);
}

// Not given: the page of the fonts' Charset, else Windows-1252. A usage error
// naming the page when this build cannot read it.
void AddCodePageOption(CLI::App& command, unsigned& codePage) {
    codePage = 0;
    command
        .add_option("--codepage", codePage,
                    "ANSI code page of text without a byte-order mark (936, 932, 1251 ...; "
                    "default: the one of the fonts' Charset, else 1252)")
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
            if (number > 0xFFFF || number == 0)
                return "unknown code page " + text;
            return Vcl::CodePageProblem(Vcl::TCodePage(static_cast<unsigned>(number)));
        });
}

void AddClassMapOption(CLI::App& command, std::vector<std::string>& map) {
    command
        .add_option("--class-map", map,
                    "draw and lay out an unknown CLASS as the standard one (CLASS=TCheckBox; "
                    "repeatable)")
        ->type_name("CLASS=STANDARD")
        ->allow_extra_args(false);
}

bool LooksLikeFormFile(const std::string& token) {
    if (fs::is_regular_file(token))
        return true;
    const std::string ext = Vcl::AnsiLowerCase(fs::path(token).extension().string());
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

// A command that reads one form file refuses a folder by name, before the reader
// would call it an empty form file.
void RefuseFolder(const std::string& file) {
    std::error_code error;
    if (fs::is_directory(file, error))
        throw EUsageError(file + " is a folder, not a form file (check and lint take folders)");
}

bool IsFormFileName(const fs::path& path) {
    return Vcl::AnsiLowerCase(path.extension().string()) == ".dfm";
}

// Files as given, a folder by the form files under it, sorted; a folder without
// any is a usage error.
std::vector<std::string> ExpandFolders(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        std::error_code error;
        if (!fs::is_directory(arg, error)) {
            files.push_back(arg);
            continue;
        }
        std::vector<std::string> found;
        fs::recursive_directory_iterator it(arg, fs::directory_options::skip_permission_denied,
                                            error);
        for (; !error && it != fs::recursive_directory_iterator(); it.increment(error))
            if (it->is_regular_file(error) && IsFormFileName(it->path()))
                found.push_back(it->path().string());
        if (error)
            throw EUsageError(arg + ": cannot read the folder: " + error.message());
        if (found.empty())
            throw EUsageError(arg + " is a folder without form files (*.dfm)");
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}

// An output file is checked before anything runs: its folder exists and takes
// files, it is no folder itself, an existing file may be written, and no two
// outputs are the same file.
void CheckOutputs(const std::vector<std::pair<const char*, std::string>>& outputs) {
    std::vector<fs::path> seen;
    for (const auto& [option, path] : outputs) {
        if (path.empty() || path == "-")
            continue;
        const std::string named = std::string(option) + " " + path + ": ";
        std::error_code error;
        if (fs::is_directory(path, error))
            throw EUsageError(named + "is a folder");
        fs::path folder = fs::path(path).parent_path();
        if (folder.empty())
            folder = ".";
        if (!fs::exists(folder, error))
            throw EUsageError(named + "the folder " + folder.string() + " does not exist");
        if (!fs::is_directory(folder, error))
            throw EUsageError(named + folder.string() + " is not a folder");
        if (::access(folder.c_str(), W_OK) != 0)
            throw EUsageError(named + "cannot write in the folder " + folder.string());
        if (fs::exists(path, error) && ::access(path.c_str(), W_OK) != 0)
            throw EUsageError(named + "cannot write the file");
        const fs::path full = fs::weakly_canonical(path, error);
        if (std::find(seen.begin(), seen.end(), full) != seen.end())
            throw EUsageError(named + "named for two outputs");
        seen.push_back(full);
    }
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.flush();
    return static_cast<bool>(file);
}

// Today's outlined boxes, the PNG through rsvg-convert.
int WriteWireframe(const std::vector<TSnapshot>& snapshots, const TRunOutput& output,
                   std::ostream& err) {
    const std::string svg = MakeSvg(snapshots);
    std::string svgFile = output.Svg;
    if (svgFile.empty()) {
        // The converter reads a file; a private one that goes away afterwards.
        std::string pattern = (fs::temp_directory_path() / "quorvel-XXXXXX.svg").string();
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
    report.Findings = CheckSnapshots(options.FormFile, report.Dpi, result.Snapshots,
                                     result.Designed, output.MinFontPoints);
    if (!WriteText(output.Html, MakeHtml(report))) {
        err << FormatError(output.Html, "cannot write the file") << "\n";
        return 2;
    }
    return 0;
}

int Run(TRunOptions& options, const std::vector<std::string>& args, const TRunOutput& output,
        std::ostream& out, std::ostream& err) {
    SplitRunArguments(args, options);
    RefuseFolder(options.FormFile);
    for (const std::string& frame : options.FrameFiles)
        RefuseFolder(frame);
    if (output.Wireframe && !output.Png.empty() && !HavePngConverter())
        throw EUsageError("--png needs rsvg-convert (Debian package librsvg2-bin), which is "
                          "not installed (the picture without --wireframe needs none)");
    CheckOutputs({{"-o", output.Output},
                  {"--svg", output.Svg},
                  {"--png", output.Png},
                  {"--html", output.Html}});
    // The options are checked before anything runs.
    MakeDesktopConfig(options.Desktop);
    ParseClassMap(options.ClassMap);

    // The sweep follows the actions, from the limits of the form as it is then.
    std::size_t sweepCount = 0;
    if (output.Sweep)
        options.Plan = [&sweepCount](Vcl::TCustomForm& form) {
            std::vector<TAction> steps = SweepActions(FormLimits(form));
            sweepCount = steps.size();
            return steps;
        };
    options.WithDesigned = !output.Html.empty();
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
    std::ostringstream report;
    std::ostream& to = output.Output.empty() || output.Output == "-" ? out : report;
    if (output.Json)
        WriteJson(result.Snapshots, to);
    else
        WriteTable(result.Snapshots, to);
    if (&to == &report && !WriteText(output.Output, report.str())) {
        err << FormatError(output.Output, "cannot write the file") << "\n";
        return 2;
    }

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

// Every error of the command line in the tool's one style.
std::string FailureMessage(const CLI::App* app, const CLI::Error& e) {
    std::string command = "quorvel";
    for (const CLI::App* sub : app->get_subcommands())
        command += " " + sub->get_name();
    std::string text = "quorvel: error: ";
    text += e.what();
    text += " (see '" + command + " --help')\n";
    return text;
}

} // namespace

TCommandLine::TCommandLine()
    : App("Runs Windows form files on a simulated desktop and shows where every control ends "
          "up.",
          "quorvel") {
    App.require_subcommand(1);
    App.footer(ToolFooter);
    // Subcommands take the parent's failure message when they are made.
    App.failure_message(FailureMessage);
    App.set_version_flag("--version", "quorvel " QUORVEL_VERSION_STRING,
                         "print the version and exit");

    Check = App.add_subcommand("check", "Read form files and report the first error of each");
    Check->add_option("FILE", CheckFiles, "form files, or folders of them")
        ->required()
        ->type_name(FileValue);
    Check->add_flag("--lenient", CheckOptions.Lenient, "accept unknown classes and properties");
    AddSearchOption(*Check, CheckOptions.SearchDirs);
    AddCodePageOption(*Check, CheckOptions.CodePage);
    Check->add_flag("--progress", CheckProgress,
                    "a line per file on standard error (on a terminal: for ten files or more)");

    Lint = App.add_subcommand(
        "lint", "Run forms at other sizes and resolutions and report what no longer fits");
    Lint->add_option("FILE", LintOptions.Files, "form files, or folders of them")
        ->required()
        ->type_name(FileValue);
    AddDesktopOptions(*Lint, LintOptions.Desktop);
    Lint->add_flag("--lenient", LintOptions.Lenient, "accept unknown classes and properties");
    AddSearchOption(*Lint, LintOptions.SearchDirs);
    AddCodePageOption(*Lint, LintOptions.CodePage);
    AddClassMapOption(*Lint, LintOptions.ClassMap);
    Lint->add_flag("--attach", LintOptions.Attach,
                   "put a TQuorvel on a form that has none (design values from the form)");
    CLI::Option* sizes =
        Lint->add_option("--sizes", LintOptions.Sizes,
                         "client sizes WxH,... (default: minimum, design size, sizes between, "
                         "maximum or work area)")
            ->delimiter(',');
    Lint->add_flag("--sweep", LintOptions.Sweep, "thirteen sizes from the smallest to the largest")
        ->excludes(sizes);
    Lint->add_option("--dpi", LintOptions.Dpis, "screen resolutions DPI,... (default: --screen's)")
        ->delimiter(',');
    Lint->add_option("--min-font", LintOptions.MinFontPoints,
                     "the smallest readable font size in points, compared by pixel height")
        ->capture_default_str();
    Lint->add_option("--translate", LintOptions.Translate,
                     "replacement texts, COMPONENT.PROPERTY=text a line, set before showing")
        ->type_name(FileValue);
    Lint->add_flag("--json", LintOptions.Json, "write the findings as one JSON array");
    Lint->add_flag("--progress", LintOptions.Progress,
                   "a line per form and resolution on standard error");

    Print = App.add_subcommand("print", "Write a form file in canonical text syntax");
    Print->add_option("FILE", PrintFile, "form file")->required()->type_name(FileValue);
    AddCodePageOption(*Print, PrintCodePage);

    Run = App.add_subcommand(
        "run", "Load a form on a fresh simulated desktop, show it, run actions, report layouts");
    Run->add_option("ARGS", RunArgs, "FILE [FRAME_FILE...] [ACTION...]")->type_name(FileValue);
    AddDesktopOptions(*Run, RunOptions.Desktop);
    Run->add_flag("--lenient", RunOptions.Lenient, "accept unknown classes and properties");
    AddSearchOption(*Run, RunOptions.SearchDirs);
    AddCodePageOption(*Run, RunOptions.CodePage);
    AddClassMapOption(*Run, RunOptions.ClassMap);
    Run->add_option("--visual", RunOptions.VisualClasses,
                    "with --lenient: take unknown CLASS for a control (repeatable)")
        ->type_name("CLASS")
        ->allow_extra_args(false);
    Run->add_option("--non-visual", RunOptions.NonVisualClasses,
                    "with --lenient: take unknown CLASS for a non-visual component (repeatable)")
        ->type_name("CLASS")
        ->allow_extra_args(false);
    Run->add_flag("--verbose", RunOutput.Verbose,
                  "say on standard error which unknown classes were taken for what");
    Run->add_flag("--attach", RunOptions.Attach,
                  "put a TQuorvel on a form that has none (design values from the form)");
    Run->add_flag("--follow-monitor-dpi", RunOptions.FollowMonitorDpi,
                  "turn TQuorvel.FollowMonitorDpi on: with --dpi-awareness permonitor a move "
                  "onto a monitor of another DPI lays the form out as a start-up there would");
    Run->add_option("-o,--output", RunOutput.Output,
                    "write the table or the JSON to FILE (default: standard output)")
        ->type_name(FileValue);
    Run->add_flag("--json", RunOutput.Json, "write the snapshots as one JSON array");
    Run->add_option("--svg", RunOutput.Svg, "draw the snapshots side by side into FILE")
        ->type_name(FileValue);
    Run->add_option("--png", RunOutput.Png, "the same picture as PNG")->type_name(FileValue);
    Run->add_flag("--wireframe", RunOutput.Wireframe,
                  "draw controls as outlined boxes with their names (--png then needs "
                  "rsvg-convert)");
    Run->add_flag("--sweep", RunOutput.Sweep,
                  "after the actions, resize through thirteen sizes from the smallest to the "
                  "largest, a snapshot at each");
    Run->add_option("--html", RunOutput.Html,
                    "write one self-contained page: pictures, bounds, layout check findings, "
                    "a slider over the sweep")
        ->type_name(FileValue);
    Run->add_option("--min-font", RunOutput.MinFontPoints,
                    "with --html: the smallest readable font size in points")
        ->capture_default_str();
    Run->add_flag("--progress", RunOutput.Progress, "a line per action on standard error");
    Run->footer(RunFooter);

    Design = App.add_subcommand(
        "design", "Assign properties in design mode and write the form with fresh design values");
    Design->add_option("FILE", DesignOptions.File, "form file")->required()->type_name(FileValue);
    Design->add_option("--set", DesignOptions.Assignments, "COMPONENT.PROPERTY=VALUE...")
        ->type_name("COMPONENT.PROPERTY=VALUE");
    AddDesktopOptions(*Design, DesignOptions.Desktop);
    Design->add_flag("--lenient", DesignOptions.Lenient, "accept unknown classes and properties");
    AddSearchOption(*Design, DesignOptions.SearchDirs);
    AddCodePageOption(*Design, DesignOptions.CodePage);
    Design
        ->add_option("-o,--output", DesignOptions.Output, "output file (default: standard output)")
        ->type_name(FileValue);

    Palette = App.add_subcommand(
        "palette", "Load the component package, register it and list its palette pages");
    Palette
        ->add_option("PACKAGE", Package,
                     "the package's shared library (default: the one built with the tool)")
        ->type_name(FileValue);
}

int Main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TCommandLine cl;
    // CLI11 would only say that a command is missing.
    std::vector<std::string> commands;
    for (const CLI::App* sub : cl.App.get_subcommands({}))
        commands.push_back(sub->get_name());
    if (!args.empty() && !args[0].empty() && args[0][0] != '-' &&
        std::find(commands.begin(), commands.end(), args[0]) == commands.end()) {
        err << "quorvel: error: unknown command '" << args[0]
            << "' (commands: check print run design lint palette; see 'quorvel --help')\n";
        return 2;
    }
    try {
        // CLI11 takes the arguments last first.
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        cl.App.parse(reversed);
    } catch (const CLI::ParseError& e) {
        cl.App.exit(e, out, err);
        return e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success) ? 0 : 2;
    }

    try {
        if (*cl.Check)
            return CheckFiles(ExpandFolders(cl.CheckFiles), cl.CheckOptions, out, err,
                              cl.CheckProgress);
        if (*cl.Lint) {
            cl.LintOptions.Files = ExpandFolders(cl.LintOptions.Files);
            return RunLint(cl.LintOptions, out, err);
        }
        if (*cl.Print) {
            RefuseFolder(cl.PrintFile);
            return PrintFile(cl.PrintFile, out, err, cl.PrintCodePage);
        }
        if (*cl.Run)
            return Run(cl.RunOptions, cl.RunArgs, cl.RunOutput, out, err);
        if (*cl.Design) {
            RefuseFolder(cl.DesignOptions.File);
            CheckOutputs({{"-o", cl.DesignOptions.Output}});
            return RunDesign(cl.DesignOptions, out, err);
        }
        if (*cl.Palette)
            return ListPalette(cl.Package.empty() ? DefaultPackage() : cl.Package, out, err);
    } catch (const std::exception& e) {
        err << "quorvel: error: " << e.what() << "\n";
        return 2;
    }
    return 2;
}

} // namespace QuorvelTool
