// Usage and file errors, exit statuses, and the check and print commands.
#include "tool/ToolTestSupport.h"

#include "quorvel/Version.h"

namespace ToolTest {
namespace {

const std::string Broken = "object Form1: TForm1\n  Left = 0\n  Top = = 3\nend\n";
const std::string UnknownClass = "object Form1: TForm1\n  ClientWidth = 100\n"
                                 "  object W1: TWidget\n    Left = 1\n    Top = 1\n    Width = 10\n"
                                 "    Height = 10\n  end\nend\n";

TEST(CommandLine, CheckReportsEachFileAndSucceedsOnlyWhenAllRead) {
    TScratch dir;
    const std::string good = Example("OrderEntry.dfm");
    const std::string bad = dir.Write("bad.dfm", Broken);
    TResult r = Quorvel({"check", good, bad});
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Out.rfind(good + ": ok\n" + bad + ":3:9: error: ", 0), 0u) << r.Out;

    EXPECT_EQ(Quorvel({"check", good, Example("LogViewer.dfm")}).Status, 0);
    // Unknown classes fail strict reading and pass lenient reading.
    const std::string odd = dir.Write("odd.dfm", UnknownClass);
    r = Quorvel({"check", odd});
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Out, odd + ":3:3: error: Class TWidget not found\n");
    EXPECT_EQ(Quorvel({"check", "--lenient", odd}).Out, odd + ": ok\n");
    r = Quorvel({"check", dir.Path("missing.dfm")});
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Out.rfind(dir.Path("missing.dfm") + ": error: ", 0), 0u) << r.Out;
}

TEST(CommandLine, PrintWritesTheCanonicalText) {
    TScratch dir;
    const std::string file =
        dir.Write("f.dfm", "object  Form1 :TForm1\r\n  Caption='It''s'\r\n  Tag=$0A\r\n"
                           "object B: TButton\r\nend\r\nend");
    TResult r = Quorvel({"print", file});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "object Form1: TForm1\n  Caption = 'It''s'\n  Tag = $0A\n"
                     "  object B: TButton\n  end\nend\n");
    // Printing the printed text changes nothing.
    EXPECT_EQ(Quorvel({"print", dir.Write("g.dfm", r.Out)}).Out, r.Out);

    r = Quorvel({"print", dir.Write("bad.dfm", Broken)});
    EXPECT_EQ(r.Status, 2);
    EXPECT_TRUE(r.Out.empty());
    EXPECT_EQ(r.Err.rfind(dir.Path("bad.dfm") + ":3:9: error: ", 0), 0u) << r.Err;
}

TEST(CommandLine, CodePageReadsLegacyTextAndPrintReadsBackTheSame) {
    TScratch dir;
    // 确定 saved in GBK without a byte-order mark.
    const std::string file =
        dir.Write("gbk.dfm", "object Form1: TForm1\n  Caption = '\xC8\xB7\xB6\xA8'\nend\n");
    TResult r = Quorvel({"print", "--codepage", "936", file});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "object Form1: TForm1\n  Caption = #30830#23450\nend\n");
    EXPECT_EQ(Quorvel({"print", "--codepage", "936", dir.Write("again.dfm", r.Out)}).Out, r.Out);
    // Without the option the bytes are Windows-1252, as before.
    EXPECT_EQ(Quorvel({"print", file}).Out,
              "object Form1: TForm1\n  Caption = #200#183#182#168\nend\n");
    EXPECT_EQ(Quorvel({"check", "--codepage", "1251", file}).Status, 0);
    EXPECT_EQ(Quorvel({"run", file, "--codepage", "932"}).Status, 0);

    for (const char* command : {"check", "print", "run", "design", "lint"}) {
        r = Quorvel({command, file, "--codepage", "437"});
        EXPECT_EQ(r.Status, 2) << command;
        EXPECT_NE(r.Err.find("code page 437"), std::string::npos) << command << ": " << r.Err;
        EXPECT_TRUE(r.Out.empty()) << command;
    }
    r = Quorvel({"check", file, "--codepage", "cp936"});
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("cp936"), std::string::npos) << r.Err;
}

// Without --codepage the fonts' character set names the page: the designer
// saved the text in the page of the machine whose script the font was set for.
TEST(CommandLine, TheFontsCharsetIsTheCodePageWhenNoneIsNamed) {
    TScratch dir;
    const std::string gbk =
        dir.Write("gbk.dfm", "object Form1: TForm1\n  Font.Charset = GB2312_CHARSET\n"
                             "  Caption = '\xC8\xB7\xB6\xA8'\nend\n");
    EXPECT_EQ(Quorvel({"print", gbk}).Out, "object Form1: TForm1\n  Font.Charset = GB2312_CHARSET\n"
                                           "  Caption = #30830#23450\nend\n");
    // A control's font names it as well; the page named wins.
    const std::string cyrillic = dir.Write(
        "ru.dfm", "object Form1: TForm1\n  object L: TLabel\n    Font.Charset = RUSSIAN_CHARSET\n"
                  "    Caption = '\xC4\xE0'\n  end\nend\n");
    EXPECT_NE(Quorvel({"print", cyrillic}).Out.find("#1044#1072"), std::string::npos);
    EXPECT_NE(Quorvel({"print", cyrillic, "--codepage", "1252"}).Out.find("#196#224"),
              std::string::npos);
}

// An unknown class mapped to a standard one is read, laid out and drawn as that.
TEST(CommandLine, AClassMapReadsAnUnknownClassAsAStandardOne) {
    TScratch dir;
    const std::string form = dir.Write(
        "f.dfm", "object Form1: TForm1\n  object C: TJvCheckBox\n    Left = 8\n    Top = 8\n"
                 "    Width = 97\n    Height = 17\n    Caption = 'Remember me'\n"
                 "    Checked = True\n    HotTrack = True\n  end\nend\n");
    const json plain = RunJson({form, "--lenient"});
    EXPECT_EQ(plain[0]["controls"][0]["class"], "TJvCheckBox");
    const json mapped = RunJson({form, "--class-map", "TJvCheckBox=TCheckBox"});
    EXPECT_EQ(mapped[0]["controls"][0]["class"], "TCheckBox");
    EXPECT_EQ(mapped[0]["controls"][0]["bounds"], json::parse("[8, 8, 97, 17]"));
}

TEST(CommandLine, RunRefusesFilesThatDoNotLoad) {
    TScratch dir;
    TResult r = Quorvel({"run", dir.Write("bad.dfm", Broken), "client", "800x600"});
    EXPECT_EQ(r.Status, 2);
    EXPECT_TRUE(r.Out.empty());
    EXPECT_EQ(r.Err.rfind(dir.Path("bad.dfm") + ":3:9: error: ", 0), 0u) << r.Err;

    const std::string odd = dir.Write("odd.dfm", UnknownClass);
    r = Quorvel({"run", odd});
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Err, odd + ":3:3: error: Class TWidget not found\n");
    r = Quorvel({"run", "--lenient", odd, "--json"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(json::parse(r.Out)[0]["controls"][0]["class"], "TWidget");

    r = Quorvel({"run", dir.Path("missing.dfm")});
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("missing.dfm"), std::string::npos);

    r = Quorvel({"run", dir.Write("button.dfm", "object B: TButton\nend\n")});
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("is not a form"), std::string::npos) << r.Err;
}

// A component on a form of the plain class TForm (or on a TFrame) has no field
// of its own in that class, so it never starts; check and run say so and go on.
TEST(CommandLine, AComponentItsFormsClassDeclaresNoFieldForIsReported) {
    TScratch dir;
    const std::string plain = FormWithComponent(Button("Button1", 10, 10, 75, 25));
    const std::string form =
        dir.Write("plain.dfm", "object Form1: TForm\n" + plain.substr(plain.find('\n') + 1));
    const std::string warning = form + ": warning: Quorvel1 takes no part in the layout: the class "
                                       "TForm declares no field named Quorvel1\n";
    TResult r = Quorvel({"check", form});
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Out, form + ": ok\n");
    EXPECT_EQ(r.Err, warning);
    r = Quorvel({"run", form, "client", "800x600", "--json"});
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Err, warning);
    // It takes no part: the button stays where it was.
    EXPECT_EQ(json::parse(r.Out)[1]["controls"][0]["bounds"], json::parse("[10, 10, 75, 25]"));

    const std::string frame = dir.Write("frame.dfm", "object Frame1: TFrame\n"
                                                     "  Width = 300\n  Height = 200\n"
                                                     "  object Quorvel1: TQuorvel\n  end\nend\n");
    EXPECT_EQ(Quorvel({"check", frame}).Err,
              frame + ": warning: Quorvel1 takes no part in the layout: the class TFrame declares "
                      "no field named Quorvel1\n");
    // A form class of its own declares a field for every named component.
    const std::string own = dir.Write("own.dfm", plain);
    r = Quorvel({"run", own, "client", "800x600", "--json"});
    EXPECT_TRUE(r.Err.empty()) << r.Err;
    EXPECT_EQ(json::parse(r.Out)[1]["controls"][0]["bounds"], json::parse("[20, 20, 150, 50]"));
}

TEST(CommandLine, UsageErrorsExitWithTwoBeforeAnythingRuns) {
    const std::string form = Example("OrderEntry.dfm");
    struct TCase {
        std::vector<std::string> Args;
        std::string Message;
    };
    const std::vector<TCase> cases{
        {{}, "subcommand"},
        {{"frobnicate"}, "frobnicate"},
        {{"run", form, "--frobnicate"}, "frobnicate"},
        {{"run", form, "jump"}, "unknown action 'jump'"},
        {{"run", form, "client", "800"}, "client WxH"},
        {{"run", form, "client"}, "missing arguments"},
        {{"run", form, "drag", "sideways", "1", "1"}, "EDGE"},
        {{"run", form, "move", "1", "up"}, "'up' is not a whole number"},
        {{"run", form, "set", "Caption"}, "COMPONENT.PROPERTY=VALUE"},
        {{"run", form, "add", "TButton", "B", "Form1", "1,2,3"}, "L,T,W,H"},
        {{"run", form, "--screen", "12"}, "--screen"},
        {{"run", form, "--screen", "800x600@0"}, "--screen"},
        {{"run", form, "--monitor", "10,10"}, "--monitor"},
        {{"run", form, "--monitor", "1920,0,1280x720@0"}, "--monitor"},
        {{"run", form, "--monitor", "1000,500,1280x720@120"}, "overlaps the primary monitor"},
        {{"run", form, "--monitor", "-1280,0,1280x720", "--monitor", "-1600,-500,1280x720"},
         "overlaps --monitor -1280,0,1280x720"},
        {{"run", form, "--taskbar", "middle"}, "--taskbar"},
        {{"run", form, "--os", "ten"}, "--os"},
        {{"run", form, "--dwm", "maybe"}, "--dwm"},
        {{"run", form, "--locale", "JAPANESE"}, "--locale"},
        {{"design", form, "--set", "nothing"}, "COMPONENT.PROPERTY=VALUE"},
        {{"check"}, "FILE"},
    };
    for (const TCase& c : cases) {
        TResult r = Quorvel(c.Args);
        std::string joined;
        for (const auto& a : c.Args)
            joined += a + " ";
        EXPECT_EQ(r.Status, 2) << joined;
        EXPECT_NE(r.Err.find(c.Message), std::string::npos) << joined << "\n" << r.Err;
        EXPECT_TRUE(r.Out.empty() || r.Out.find("after") == std::string::npos) << joined;
    }
}

TEST(CommandLine, HelpDocumentsTheContract) {
    TResult r = Quorvel({"--help"});
    EXPECT_EQ(r.Status, 0);
    for (const char* text : {"quorvel check FILE", "quorvel print FILE", "quorvel run",
                             "quorvel design FILE --set", "quorvel palette", "Exit status"})
        EXPECT_NE(r.Out.find(text), std::string::npos) << text;
    r = Quorvel({"run", "--help"});
    EXPECT_EQ(r.Status, 0);
    for (const char* text :
         {"--screen", "--monitor", "--taskbar", "--os", "--locale", "--dwm", "--custom-style",
          "--lenient", "--json", "--svg", "drag EDGE DX DY", "dynamic-delete", "\"parentFont\""})
        EXPECT_NE(r.Out.find(text), std::string::npos) << text;
}

// Outputs are checked before the form is even read: nothing is printed or
// written when one of them cannot be written.
TEST(CommandLine, OutputPathsAreCheckedBeforeAnythingRuns) {
    TScratch dir;
    const std::string form = Example("OrderEntry.dfm");
    fs::create_directories(dir.Dir / "sub");
    struct TCase {
        std::vector<std::string> Args;
        std::string Message;
    };
    const std::string missing = dir.Path("none/x.png");
    const std::vector<TCase> cases{
        {{"run", form, "--png", missing},
         "--png " + missing + ": the folder " + dir.Path("none") + " does not exist"},
        {{"run", form, "--svg", dir.Path("sub")}, "--svg " + dir.Path("sub") + ": is a folder"},
        {{"run", form, "-o", dir.Path("r.txt"), "--html", dir.Path("r.txt")}, "two outputs"},
        {{"design", form, "-o", dir.Path("none/f.dfm")}, "does not exist"},
    };
    for (const TCase& c : cases) {
        TResult r = Quorvel(c.Args);
        EXPECT_EQ(r.Status, 2) << c.Message;
        EXPECT_EQ(r.Out, "") << c.Message;
        EXPECT_EQ(r.Err.rfind("quorvel: error: ", 0), 0u) << r.Err;
        EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
    }
    EXPECT_FALSE(fs::exists(dir.Path("r.txt")));
}

TEST(CommandLine, RunWritesItsReportToTheOutputFile) {
    TScratch dir;
    const std::string report = dir.Path("report.json");
    TResult r =
        Quorvel({"run", Example("OrderEntry.dfm"), "client", "960x660", "--json", "-o", report});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "");
    const json snapshots = json::parse(ReadFile(report));
    ASSERT_EQ(snapshots.size(), 2u);
    EXPECT_EQ(snapshots[1]["form"]["client"], json::parse("[960, 660]"));
    // "-" is standard output.
    r = Quorvel({"run", Example("OrderEntry.dfm"), "--output", "-"});
    EXPECT_NE(r.Out.find("OrderEntryForm"), std::string::npos);
}

// A folder stands for its form files where a command takes many, and is a clear
// error where it takes one.
TEST(CommandLine, AFolderArgumentIsItsFormFilesOrAClearError) {
    TScratch dir;
    fs::create_directories(dir.Dir / "forms" / "more");
    const std::string a = dir.Write("forms/a.dfm", "object A: TForm\nend\n");
    const std::string b = dir.Write("forms/more/B.DFM", "object B: TForm\nend\n");
    dir.Write("forms/notes.txt", "not a form");
    TResult r = Quorvel({"check", dir.Path("forms")});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, a + ": ok\n" + b + ": ok\n");
    r = Quorvel({"lint", dir.Path("forms")});
    EXPECT_EQ(r.Status, 0) << r.Out << r.Err;

    fs::create_directories(dir.Dir / "empty");
    r = Quorvel({"check", dir.Path("empty")});
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Err,
              "quorvel: error: " + dir.Path("empty") + " is a folder without form files (*.dfm)\n");
    for (const char* command : {"run", "print", "design"}) {
        r = Quorvel({command, dir.Path("forms")});
        EXPECT_EQ(r.Status, 2) << command;
        EXPECT_EQ(r.Out, "") << command;
        EXPECT_EQ(r.Err, "quorvel: error: " + dir.Path("forms") +
                             " is a folder, not a form file (check and lint take folders)\n")
            << command;
    }
}

// Parse errors of the command line read like the tool's own.
TEST(CommandLine, EveryUsageErrorHasTheToolsOneStyle) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"run", "--screen"},
                                               {"run", "--bogus"},
                                               {"lint"},
                                               {"lint", "x.dfm", "--dpi", "5"},
                                               {"run", "x.dfm", "--class-map", "TJvCheckBox"},
                                               {"run", "x.dfm", "--class-map", "TA=TNoSuch"},
                                               {"frobnicate"}}) {
        TResult r = Quorvel(args);
        EXPECT_EQ(r.Status, 2) << args[0];
        EXPECT_EQ(r.Err.rfind("quorvel: error: ", 0), 0u) << r.Err;
        EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1) << r.Err;
    }
    EXPECT_NE(Quorvel({"run", "--bogus"}).Err.find("(see 'quorvel run --help')"),
              std::string::npos);
}

// The manual page and the completions are written from the definition the
// program parses with, so every option of every command is in them.
TEST(CommandLine, TheManualAndTheCompletionsListEveryOption) {
    const fs::path stage = fs::path(QUORVEL_TOOL).parent_path().parent_path();
    const std::string man = ReadFile(stage / "share/man/man1/quorvel.1");
    const std::string bash = ReadFile(stage / "share/bash-completion/completions/quorvel");
    const std::string zsh = ReadFile(stage / "share/zsh/vendor-completions/_quorvel");
    ASSERT_FALSE(man.empty());
    EXPECT_EQ(man.rfind(".\\\" ", 0), 0u);
    EXPECT_NE(man.find(".TH QUORVEL 1"), std::string::npos);
    for (const char* command : {"check", "print", "run", "design", "lint", "palette"}) {
        TResult help = Quorvel({command, "--help"});
        ASSERT_EQ(help.Status, 0) << command;
        // Every long option the help names.
        std::size_t at = 0;
        while ((at = help.Out.find("  --", at)) != std::string::npos) {
            const std::size_t end = help.Out.find_first_of(" ,\n", at + 2);
            const std::string option = help.Out.substr(at + 2, end - at - 2);
            std::string roff;
            for (char ch : option)
                roff += ch == '-' ? std::string("\\-") : std::string(1, ch);
            EXPECT_NE(man.find(roff), std::string::npos) << command << " " << option;
            EXPECT_NE(bash.find(option), std::string::npos) << command << " " << option;
            EXPECT_NE(zsh.find("'" + option + "["), std::string::npos) << command << " " << option;
            at = end;
        }
    }
    // Options that take a path complete files; run completes its actions.
    EXPECT_NE(bash.find("--png|"), std::string::npos);
    EXPECT_NE(bash.find("dynamic-delete"), std::string::npos);
    EXPECT_NE(zsh.find("'--search[another folder"), std::string::npos);

    // Bash reads the script and completes a command's options with it.
    if (std::system("command -v bash >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no bash";
    TScratch dir;
    const std::string script = dir.Write(
        "complete.sh", "source '" + (stage / "share/bash-completion/completions/quorvel").string() +
                           "'\nCOMP_WORDS=(quorvel lint --at)\nCOMP_CWORD=2\n_quorvel\n"
                           "echo \"${COMPREPLY[*]}\"\n"
                           "COMP_WORDS=(quorvel ru)\nCOMP_CWORD=1\n_quorvel\n"
                           "echo \"${COMPREPLY[*]}\"\n");
    TResult r = RunProgram("/bin/bash", {script});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "--attach\nrun\n") << r.Err;
}

TEST(CommandLine, VersionIsTheProjectVersion) {
    TResult r = Quorvel({"--version"});
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Out, "quorvel " QUORVEL_VERSION_STRING "\n");
}

// The program finds its example and its package beside itself, wherever its tree
// (bin/, lib/, share/quorvel/) is copied to, with nothing of the build machine.
TEST(CommandLine, ATreeCopiedElsewhereFindsItsExampleAndPackage) {
    const fs::path stage = fs::path(QUORVEL_TOOL).parent_path().parent_path();
    TScratch copy;
    for (const char* dir : {"bin", "lib", "share"})
        fs::copy(stage / dir, copy.Dir / dir, fs::copy_options::recursive);
    const std::string program = (copy.Dir / "bin" / "quorvel").string();

    TResult r = RunProgram(program, {"run", "--json"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(json::parse(r.Out)[0]["form"]["name"], "OrderEntryForm");
    r = RunProgram(program, {"palette"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "HVCtrl: TQuorvel\n");

    // Without them it says what it misses.
    fs::remove_all(copy.Dir / "share");
    r = RunProgram(program, {"run"});
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("OrderEntry.dfm"), std::string::npos) << r.Err;
}

} // namespace
} // namespace ToolTest
