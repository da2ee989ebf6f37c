// `quorvel run --sweep` and `--html`: the sizes a sweep goes through, what the page
// holds and how it escapes the form's texts, and the page's slider in a real
// browser (headless Chromium, when it is installed).
#include "tool/ToolTestSupport.h"

#include <regex>
#include <set>

namespace ToolTest {
namespace {

// Window limits 300x220 to 700x500; a button whose caption fits at the design size
// and not at the minimum, and texts a page must not take for markup.
std::string SweepForm(const std::string& caption = "Dialog") {
    return "object Form1: TForm1\n"
           "  Left = 0\n  Top = 0\n  Caption = '" +
           caption +
           "'\n  ClientHeight = 300\n  ClientWidth = 400\n"
           "  Font.Height = -11\n  Font.Name = 'Tahoma'\n  PixelsPerInch = 96\n"
           "  object Quorvel1: TQuorvel\n"
           "    FormMinWidth = 300\n    FormMinHeight = 220\n"
           "    FormMaxWidth = 700\n    FormMaxHeight = 500\n"
           "    DesignFrmW = 400\n    DesignFrmH = 300\n"
           "    DesignDpiW = 96\n    DesignDpiH = 96\n  end\n"
           "  object OkButton: TButton\n    Left = 300\n    Top = 260\n    Width = 90\n"
           "    Height = 30\n    Caption = 'Apply changes'\n  end\n"
           "  object Notes: TMemo\n    Left = 8\n    Top = 8\n    Width = 384\n"
           "    Height = 240\n  end\n"
           "end\n";
}

int WindowWidth(const json& snapshot) {
    return snapshot["form"]["window"][2].get<int>() - snapshot["form"]["window"][0].get<int>();
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(RunSweep, GoesFromTheMinimumToTheMaximumAfterTheActions) {
    TScratch dir;
    const std::string file = dir.Write("Sweep.dfm", SweepForm());
    const json run = RunJson({file, "client", "500x350", "--sweep"});
    ASSERT_EQ(run.size(), 2u + 13u);
    EXPECT_EQ(run[1]["action"], "client 500x350");
    EXPECT_EQ(WindowWidth(run[2]), 300);
    EXPECT_EQ(WindowWidth(run[14]), 700);
    for (std::size_t i = 3; i < run.size(); ++i) {
        EXPECT_GT(WindowWidth(run[i]), WindowWidth(run[i - 1])) << run[i]["action"];
        EXPECT_GE(run[i]["form"]["client"][1], run[i - 1]["form"]["client"][1]);
    }

    // Without a maximum the sweep ends at the work area, as lint's does.
    const std::string open =
        dir.Write("Open.dfm", std::regex_replace(SweepForm(), std::regex("    FormMax.*\n"), ""));
    const json wide = RunJson({open, "--sweep", "--screen", "1024x768", "--taskbar", "none"});
    ASSERT_EQ(wide.size(), 14u);
    EXPECT_EQ(WindowWidth(wide[13]), 1024);
}

TEST(RunSweep, ProgressGoesToStandardErrorAndTheReportStaysClean) {
    TScratch dir;
    const std::string file = dir.Write("Sweep.dfm", SweepForm());
    TResult r = Quorvel({"run", file, "--sweep", "--progress", "--json"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(Count(r.Err, "quorvel: run "), 13u) << r.Err;
    EXPECT_NE(r.Err.find("13/14: outer 700x500"), std::string::npos) << r.Err;
    EXPECT_EQ(json::parse(r.Out).size(), 14u);
}

TEST(HtmlReport, OnePageWithEveryPictureTheBoundsAndTheFindings) {
    TScratch dir;
    const std::string file = dir.Write("Sweep.dfm", SweepForm());
    const std::string page = dir.Path("report.html");
    TResult r = Quorvel({"run", file, "client", "390x260", "--sweep", "--html", page});
    TResult lint = Quorvel({"lint", file, "--sweep"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::string html = ReadFile(page);
    ASSERT_FALSE(html.empty());

    // Nothing outside the page: no scripts, styles or images fetched.
    EXPECT_EQ(html.find(" src="), std::string::npos);
    EXPECT_EQ(html.find(" href="), std::string::npos);
    EXPECT_EQ(html.find("url(http"), std::string::npos);
    EXPECT_EQ(html.find("@import"), std::string::npos);

    EXPECT_EQ(Count(html, "<svg "), 15u);
    EXPECT_EQ(Count(html, "<table class=\"bounds\">"), 15u);
    EXPECT_EQ(Count(html, "class=\"snapshot step\""), 13u);
    EXPECT_NE(html.find("<input type=\"range\" id=\"sweep-slider\" min=\"0\" max=\"12\""),
              std::string::npos);
    EXPECT_NE(html.find("<td>OkButton</td><td>TButton</td>"), std::string::npos);

    // Ids are looked up in the whole page: a clip path of one picture must not
    // stand in for another's.
    std::set<std::string> ids;
    const std::regex id("id=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), id); it != std::sregex_iterator();
         ++it)
        EXPECT_TRUE(ids.insert((*it)[1]).second) << "id " << (*it)[1] << " twice";
    EXPECT_GT(ids.size(), 30u);

    // What lint finds over the same sweep is in the page: at the minimum the fonts
    // drop below six points.
    EXPECT_EQ(lint.Status, 1) << lint.Err;
    std::istringstream found(lint.Out);
    std::string line;
    std::size_t findings = 0;
    while (std::getline(found, line)) {
        const std::size_t message = line.rfind(": ");
        const std::size_t control = line.rfind(": ", message - 1);
        EXPECT_NE(html.find("<td>" + line.substr(control + 2, message - control - 2) + "</td>"),
                  std::string::npos);
        EXPECT_NE(html.find(line.substr(message + 2) + "</td></tr>"), std::string::npos) << line;
        ++findings;
    }
    EXPECT_GT(findings, 0u);
    EXPECT_NE(html.find(", " + std::to_string(findings) +
                        (findings == 1 ? " finding</p>" : " findings</p>")),
              std::string::npos);
    EXPECT_NE(html.find("<td>Form1</td><td>font</td><td>font 5.3 pt (7 px) is below 6 pt (8 px at "
                        "96 DPI), the form's font, in 2 controls</td>"),
              std::string::npos);
}

TEST(HtmlReport, TextsFromTheFormFileAreEscaped) {
    TScratch dir;
    const std::string nasty = "</script><script>alert(\"x\")</script> ''quoted'' & <b>bold</b>";
    const std::string file = dir.Write("Nasty.dfm", SweepForm(nasty));
    const std::string page = dir.Path("nasty.html");
    TResult r = Quorvel({"run", file, "set", "OkButton.Caption='\"/><img src=x onerror=alert(1)>'",
                         "--html", page});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::string html = ReadFile(page);
    EXPECT_EQ(Count(html, "<script>"), 1u);
    EXPECT_EQ(Count(html, "</script>"), 1u);
    EXPECT_EQ(html.find("<b>bold"), std::string::npos);
    EXPECT_EQ(html.find("<img"), std::string::npos);
    EXPECT_NE(html.find("&lt;/script&gt;&lt;script&gt;alert(&quot;x&quot;)"), std::string::npos);
    // Without a sweep there is no slider, and a page without findings says so.
    EXPECT_EQ(html.find("id=\"sweep-slider\""), std::string::npos);
    EXPECT_NE(html.find("No findings."), std::string::npos);
    EXPECT_EQ(html.find("id=\"sweep\""), std::string::npos);
}

TEST(HtmlReport, AnUnwritablePageIsRefusedBeforeTheRun) {
    TScratch dir;
    TResult r =
        Quorvel({"run", Example("LogViewer.dfm"), "--html", dir.Path("no/such/dir/x.html")});
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, "quorvel: error: --html " + dir.Path("no/such/dir/x.html") + ": the folder " +
                         dir.Path("no/such/dir") + " does not exist\n");
}

// The first chromium on the PATH, or empty.
std::string FindChromium() {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t colon = dirs.find(':', start);
        const std::string dirName =
            dirs.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        for (const char* name : {"chromium", "chromium-browser"}) {
            const std::string candidate = dirName + "/" + name;
            if (!dirName.empty() && ::access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    return {};
}

TEST(HtmlReportInBrowser, TheSliderShowsEachSizeOfTheSweep) {
    const std::string chromium = FindChromium();
    if (chromium.empty())
        GTEST_SKIP() << "chromium is not installed (Debian package chromium)";
    TScratch dir;
    const std::string file = dir.Write("Sweep.dfm", SweepForm());
    const std::string page = dir.Path("report.html");
    TResult r = Quorvel({"run", file, "--sweep", "--html", page});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const json sweep = RunJson({file, "--sweep"});
    ASSERT_EQ(sweep.size(), 14u);

    // Root needs --no-sandbox; a profile of its own keeps parallel runs apart.
    TResult browser =
        RunProgram("/usr/bin/timeout",
                   {"120", chromium, "--headless", "--no-sandbox", "--disable-gpu",
                    "--no-first-run", "--user-data-dir=" + dir.Path("profile"),
                    "--virtual-time-budget=5000", "--dump-dom", "file://" + page + "#selftest"});
    ASSERT_EQ(browser.Status, 0) << browser.Err;
    std::smatch found;
    ASSERT_TRUE(
        std::regex_search(browser.Out, found, std::regex("<pre id=\"selftest\">([^<]*)</pre>")))
        << browser.Out.substr(0, 2000);

    // A line per step: index, the size shown, the one step visible, its picture's
    // drawn size.
    std::istringstream lines(found[1].str());
    std::string line;
    std::vector<std::string> drawn;
    std::size_t k = 0;
    while (std::getline(lines, line)) {
        ASSERT_LT(k, 13u) << line;
        const json& s = sweep[k + 1];
        const std::string size = std::to_string(s["form"]["client"][0].get<int>()) + "x" +
                                 std::to_string(s["form"]["client"][1].get<int>());
        std::istringstream fields(line);
        std::string index, shown, visible, picture;
        fields >> index >> shown >> visible >> picture;
        EXPECT_EQ(index, std::to_string(k));
        EXPECT_EQ(shown, size) << line;
        EXPECT_EQ(visible, "step-" + std::to_string(k)) << line;
        drawn.push_back(picture);
        ++k;
    }
    EXPECT_EQ(k, 13u);
    ASSERT_FALSE(drawn.empty());
    EXPECT_NE(drawn.front(), "-");
    EXPECT_NE(drawn.front(), drawn.back()) << "the picture did not change";
}

} // namespace
} // namespace ToolTest
