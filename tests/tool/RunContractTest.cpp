// `quorvel run` through its real command line: the JSON contract, the default
// table, actions and their failures, desktop options.
#include "tool/ToolTestSupport.h"

namespace ToolTest {
namespace {

std::vector<std::string> Keys(const json& object) {
    std::vector<std::string> keys;
    for (auto it = object.begin(); it != object.end(); ++it)
        keys.push_back(it.key());
    return keys;
}

const json* FindControl(const json& snapshot, const std::string& owner, const std::string& name) {
    for (const json& c : snapshot["controls"])
        if (c["owner"] == owner && c["name"] == name)
            return &c;
    return nullptr;
}

using Strings = std::vector<std::string>;

TEST(RunContract, SnapshotsHaveTheDocumentedFieldsInOrder) {
    json report = RunJson({Example("OrderEntry.dfm"), "client", "800x550", "maximize", "restore"});
    ASSERT_EQ(report.size(), 4u);
    EXPECT_EQ(report[0]["action"], "show");
    EXPECT_EQ(report[1]["action"], "client 800x550");
    for (const json& snapshot : report) {
        EXPECT_EQ(Keys(snapshot), (Strings{"action", "form", "controls", "events"}));
        EXPECT_EQ(Keys(snapshot["form"]),
                  (Strings{"name", "client", "window", "font", "state", "dpi", "scale"}));
        for (const json& control : snapshot["controls"])
            EXPECT_EQ(Keys(control),
                      (Strings{"name", "class", "owner", "bounds", "font", "parentFont"}));
    }
    const json& form = report[1]["form"];
    EXPECT_EQ(form["name"], "OrderEntryForm");
    EXPECT_EQ(form["client"], json::parse("[800, 550]"));
    EXPECT_EQ(form["window"].size(), 4u);
    EXPECT_EQ(form["state"], "normal");
    EXPECT_EQ(report[2]["form"]["state"], "maximized");

    // One pass for the new client size, with the factors of that size.
    ASSERT_EQ(report[1]["events"].size(), 1u);
    EXPECT_DOUBLE_EQ(report[1]["events"][0][0].get<double>(), 1.25);
    EXPECT_DOUBLE_EQ(report[1]["events"][0][1].get<double>(), 1.25);
    const json* ok = FindControl(report[1], "OrderEntryForm", "OkButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ((*ok)["bounds"], json::parse("[580, 500, 94, 31]"));
    EXPECT_EQ((*ok)["font"], 10);
    // Restoring gives back exactly the layout before the maximize.
    EXPECT_EQ(report[3]["controls"], report[1]["controls"]);
    EXPECT_EQ(report[3]["form"], report[1]["form"]);
}

TEST(RunContract, ControlsComeInComponentOrderWithFrameChildrenAfterTheirFrame) {
    json report = RunJson({Example("OrderEntry.dfm")});
    ASSERT_EQ(report.size(), 1u);
    Strings order;
    for (const json& c : report[0]["controls"])
        order.push_back(c["owner"].get<std::string>() + "." + c["name"].get<std::string>());
    const Strings frame{"StreetLabel", "CityLabel", "PostcodeLabel", "CountryLabel",
                        "StreetEdit",  "CityEdit",  "PostcodeEdit",  "CountryCombo"};
    Strings expected{"OrderEntryForm.CustomerLabel",  "OrderEntryForm.OrderDateLabel",
                     "OrderEntryForm.CustomerEdit",   "OrderEntryForm.OrderDateEdit",
                     "OrderEntryForm.BillingAddress", "BillingAddress.TitleLabel"};
    for (const auto& name : frame)
        expected.push_back("BillingAddress." + name);
    expected.insert(expected.end(),
                    {"OrderEntryForm.ShippingAddress", "ShippingAddress.TitleLabel"});
    for (const auto& name : frame)
        expected.push_back("ShippingAddress." + name);
    expected.insert(expected.end(), {"OrderEntryForm.ItemsList", "OrderEntryForm.NotesMemo",
                                     "OrderEntryForm.OkButton", "OrderEntryForm.CancelButton"});
    EXPECT_EQ(order, expected);
    // The non-visual component is no control.
    EXPECT_EQ(FindControl(report[0], "OrderEntryForm", "Quorvel1"), nullptr);
    // A label with a font of its own says so; the frame's others follow their parent.
    const json* title = FindControl(report[0], "BillingAddress", "TitleLabel");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ((*title)["parentFont"], false);
    EXPECT_EQ((*FindControl(report[0], "BillingAddress", "CityEdit"))["parentFont"], true);
}

TEST(RunContract, WithoutArgumentsTheBundledExampleRuns) {
    TResult r = Quorvel({"run"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("after show"), std::string::npos);
    EXPECT_NE(r.Out.find("OrderEntryForm"), std::string::npos);
    // Actions alone also run on the example; the environment names another one.
    r = Quorvel({"run", "client", "700x500"}, {{"QUORVEL_EXAMPLE", Example("LogViewer.dfm")}});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("LogViewerForm"), std::string::npos);
    EXPECT_NE(r.Out.find("after client 700x500"), std::string::npos);
}

TEST(RunContract, TheTableIsTheDefaultReport) {
    TScratch dir;
    const std::string file =
        dir.Write("f.dfm", FormWithComponent(Button("Button1", 10, 20, 75, 25)));
    TResult r = Quorvel({"run", file, "client", "800x600"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("after show\n  form Form1  client 400x300"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("after client 800x600\n  form Form1  client 800x600"), std::string::npos);
    EXPECT_NE(r.Out.find("name     class    owner  left  top  width  height  font  parentFont"),
              std::string::npos)
        << r.Out;
    EXPECT_NE(r.Out.find("Button1  TButton  Form1    20   40    150      50    16  yes"),
              std::string::npos)
        << r.Out;
    EXPECT_NE(r.Out.find("events: (2.0000, 2.0000)"), std::string::npos);
}

TEST(RunContract, ARefusedAssignmentIsReportedAndTheRunGoesOn) {
    TScratch dir;
    const std::string file =
        dir.Write("f.dfm", FormWithComponent(Button("Button1", 10, 20, 75, 25)));
    const Strings args{"run",    file,      "set",   "Quorvel1.FormMinWidth=-5",
                       "client", "800x600", "--json"};
    TResult r = Quorvel(args);
    EXPECT_EQ(r.Status, 1);
    json report = json::parse(r.Out);
    ASSERT_EQ(report.size(), 3u);
    EXPECT_EQ(report[1]["error"], "Set this value equal to or greater than 0");
    EXPECT_EQ(Keys(report[1]).back(), "error");
    EXPECT_FALSE(report[2].contains("error"));
    EXPECT_EQ(report[2]["controls"][0]["bounds"], json::parse("[20, 40, 150, 50]"));

    // The user's locale picks the language: the option, or a Japanese LANG.
    Strings japanese = args;
    japanese.push_back("--locale=JPN");
    EXPECT_EQ(json::parse(Quorvel(japanese).Out)[1]["error"], "0 以上の値を入れてください");
    EXPECT_EQ(json::parse(Quorvel(args, {{"LANG", "ja_JP.UTF-8"}}).Out)[1]["error"],
              "0 以上の値を入れてください");
    // A limit set through the setter holds for the rest of the run.
    json limited = RunJson({file, "set", "Quorvel1.FormMinWidth=300", "set",
                            "Quorvel1.FormMinHeight=200", "drag", "right", "-500", "0"});
    EXPECT_FALSE(limited[1].contains("error"));
    const json& window = limited[3]["form"]["window"];
    EXPECT_EQ(window[2].get<int>() - window[0].get<int>(), 300);
}

TEST(RunContract, AssignmentsGoThroughThePublishedProperties) {
    TScratch dir;
    const std::string file =
        dir.Write("f.dfm", FormWithComponent(Button("Button1", 10, 20, 75, 25)));
    json report = RunJson({file, "set", "Button1.Width=120", "set", "Button1.Font.Size=12", "set",
                           "Form1.Caption=Orders & <more>", "set", "Button1.Nope=1", "set",
                           "Form1.BorderStyle=bsWide", "set", "Button2.Width=1"});
    ASSERT_EQ(report.size(), 7u);
    EXPECT_EQ(report[1]["controls"][0]["bounds"], json::parse("[10, 20, 120, 25]"));
    EXPECT_EQ(report[2]["controls"][0]["font"], 12);
    EXPECT_EQ(report[2]["controls"][0]["parentFont"], false);
    EXPECT_FALSE(report[3].contains("error"));
    EXPECT_EQ(report[4]["error"], "TButton has no published property Nope");
    EXPECT_NE(report[5]["error"].get<std::string>().find("bsSizeable"), std::string::npos);
    EXPECT_EQ(report[6]["error"], "no component named Button2");
}

TEST(RunContract, ControlsAddedAndFreedAtRunTime) {
    TScratch dir;
    const std::string file =
        dir.Write("f.dfm", FormWithComponent(Button("Button1", 10, 20, 75, 25)));
    json report =
        RunJson({file,          "add",     "TMemo",   "Memo9",   "Form1",   "30,60,100,21",
                 "dynamic-add", "client",  "800x600", "free",    "Button1", "dynamic-delete",
                 "free",        "Button1", "add",     "TNoSuch", "X",       "Form1",
                 "0,0,1,1",     "add",     "TMemo",   "Memo9",   "Form1",   "0,0,1,1"});
    ASSERT_EQ(report.size(), 9u);
    const json* added = FindControl(report[1], "Form1", "Memo9");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ((*added)["class"], "TMemo");
    EXPECT_EQ((*added)["bounds"], json::parse("[30, 60, 100, 21]"));
    // Once reconciled, the new control takes part in the next pass.
    EXPECT_FALSE(report[2].contains("error"));
    EXPECT_EQ((*FindControl(report[3], "Form1", "Memo9"))["bounds"],
              json::parse("[60, 120, 200, 42]"));
    EXPECT_EQ(FindControl(report[4], "Form1", "Button1"), nullptr);
    EXPECT_FALSE(report[5].contains("error"));
    EXPECT_EQ(report[6]["error"], "no component named Button1");
    EXPECT_EQ(report[7]["error"], "class TNoSuch is not registered");
    // A name that is taken is refused, and nothing is left behind.
    EXPECT_NE(report[8]["error"].get<std::string>().find("Memo9"), std::string::npos);
    EXPECT_EQ(report[8]["controls"], report[7]["controls"]);

    // An unnamed control shows the name reconciliation gives it.
    json unnamed = RunJson({file, "add", "TEdit", "-", "Form1", "5,5,50,21", "dynamic-add"});
    ASSERT_EQ(unnamed.size(), 3u);
    EXPECT_NE(FindControl(unnamed[1], "Form1", ""), nullptr);
    EXPECT_NE(FindControl(unnamed[2], "Form1", "QvlAdd0001"), nullptr) << unnamed[2].dump();

    // Without a component there is nothing to reconcile.
    const std::string plain =
        dir.Write("plain.dfm", "object Form2: TForm2\n  ClientWidth = 200\n  ClientHeight = 100\n" +
                                   Button("B", 1, 2, 3, 4) + "end\n");
    EXPECT_EQ(RunJson({plain, "dynamic-add"})[1]["error"], "the form has no TQuorvel");
}

TEST(RunContract, AttachPutsAComponentOnAFormThatHasNone) {
    TScratch dir;
    const std::string file =
        dir.Write("plain.dfm", "object Form2: TForm2\n  ClientWidth = 400\n  ClientHeight = 300\n"
                               "  PixelsPerInch = 96\n" +
                                   Button("B", 10, 20, 75, 25) + "end\n");
    json still = RunJson({file, "client", "800x600"});
    EXPECT_EQ(still[1]["events"].size(), 0u);
    EXPECT_EQ(still[1]["controls"][0]["bounds"], json::parse("[10, 20, 75, 25]"));

    json scaled = RunJson({file, "--attach", "client", "800x600"});
    EXPECT_EQ(scaled[1]["events"].size(), 1u);
    EXPECT_EQ(scaled[1]["controls"][0]["bounds"], json::parse("[20, 40, 150, 50]"));
    // A form that has its own component keeps it; no second one is put on.
    json own = RunJson({Example("LogViewer.dfm"), "--attach", "client", "1400x840"});
    EXPECT_EQ(own[1]["events"].size(), 1u);
}

TEST(RunContract, AFrameFileRunsOnAFormOfItsSize) {
    json report = RunJson({Example("AddressFrame.dfm")});
    ASSERT_EQ(report.size(), 1u);
    EXPECT_EQ(report[0]["form"]["client"], json::parse("[296, 176]"));
    EXPECT_EQ(report[0]["controls"][0]["name"], "AddressFrame");
    EXPECT_EQ(report[0]["controls"][1]["owner"], "AddressFrame");
}

TEST(RunContract, DesktopOptionsShapeTheDesktop) {
    const std::string form = Example("OrderEntry.dfm");
    // The form keeps to the work area the taskbar leaves.
    json top = RunJson({form, "--screen", "1280x720@144", "--taskbar", "top:50", "maximize"});
    EXPECT_EQ(top[1]["form"]["window"], json::parse("[-8, 42, 1272, 712]"));
    // An auto-hidden taskbar leaves the whole screen; a shown one takes its thickness.
    auto maximizedBottom = [&](const std::string& taskbar) {
        return RunJson({form, "--screen", "1280x720", "--taskbar=" + taskbar,
                        "maximize"})[1]["form"]["window"][3]
            .get<int>();
    };
    EXPECT_EQ(maximizedBottom("bottom:60:autohide"), maximizedBottom("none"));
    EXPECT_EQ(maximizedBottom("bottom:60:autohide") - maximizedBottom("bottom:60"), 60);
    // A second monitor: the form maximizes on the one it was moved to.
    json two = RunJson({form, "--screen", "1280x720", "--monitor", "1280,0,1920x1080", "move",
                        "1500", "100", "maximize"});
    EXPECT_EQ(two[2]["form"]["window"], json::parse("[1272, -8, 3192, 1032]"));
    // A higher resolution corrects fonts at start-up.
    EXPECT_EQ(RunJson({form, "--screen", "1920x1080@144"})[0]["form"]["font"], 12);
}

TEST(RunContract, TheDpiAwarenessDecidesWhatTheProgramIsToldAndWhatTheUserSees) {
    TScratch dir;
    const std::string scaled =
        dir.Write("plain.dfm", "object Form2: TForm2\n  ClientWidth = 400\n  ClientHeight = 300\n"
                               "  PixelsPerInch = 96\n" +
                                   Button("B", 10, 20, 75, 25) + "end\n");
    auto run = [&](const std::string& file, const std::string& awareness) {
        return RunJson(
            {file, "--screen", "2880x1620@144", "--dpi-awareness", awareness, "maximize"});
    };
    // System aware: told 144 DPI; the framework scales a Scaled form as it is read.
    json system = run(scaled, "system");
    EXPECT_EQ(system[0]["form"]["dpi"], 144);
    EXPECT_EQ(system[0]["form"]["scale"], 1.0);
    EXPECT_EQ(system[0]["form"]["client"], json::parse("[600, 450]"));
    EXPECT_EQ(system[0]["controls"][0]["bounds"], json::parse("[15, 30, 113, 38]"));
    // Unaware: told 96 DPI on a desktop of 1920 x 1080 of its own pixels, which
    // the system shows half as big again.
    json unaware = run(scaled, "unaware");
    EXPECT_EQ(unaware[0]["form"]["dpi"], 96);
    EXPECT_EQ(unaware[0]["form"]["scale"], 1.5);
    EXPECT_EQ(unaware[0]["form"]["client"], json::parse("[400, 300]"));
    EXPECT_EQ(unaware[0]["controls"][0]["bounds"], json::parse("[10, 20, 75, 25]"));
    EXPECT_EQ(unaware[1]["form"]["window"], json::parse("[-8, -8, 1928, 1061]"));
    // The component's own correction follows what the program is told.
    const std::string form = Example("OrderEntry.dfm");
    EXPECT_EQ(run(form, "system")[0]["form"]["font"], 12);
    EXPECT_EQ(run(form, "unaware")[0]["form"]["font"], 8);

    TResult bad = Quorvel({"run", form, "--dpi-awareness", "sometimes"});
    EXPECT_EQ(bad.Status, 2);
    EXPECT_NE(bad.Err.find("--dpi-awareness"), std::string::npos) << bad.Err;
}

// A 96-DPI primary and a 144-DPI monitor to its right; the form moved onto the
// second and back.
TEST(RunContract, AMoveOntoAMonitorOfAnotherDpiShowsWhatTheAwarenessGives) {
    const std::string form = Example("OrderEntry.dfm");
    auto moved = [&](const std::string& awareness, Strings more = {}) {
        Strings args{form, "--monitor", "1920,0,2880x1620@144", "--dpi-awareness", awareness};
        args.insert(args.end(), more.begin(), more.end());
        for (const char* word : {"move", "2400", "200", "move", "400", "200"})
            args.emplace_back(word);
        return RunJson(args);
    };
    auto sameControls = [](const json& a, const json& b) {
        EXPECT_EQ(a["controls"], b["controls"]);
        EXPECT_EQ(a["form"]["font"], b["form"]["font"]);
        EXPECT_EQ(a["form"]["client"], b["form"]["client"]);
    };
    // Per-monitor aware with the component following: the layout on the second
    // monitor is the one a start-up there gives at that client size, and moving
    // back gives the first one exactly.
    for (const Strings& scaled : {Strings{}, Strings{"set", "OrderEntryForm.Scaled=True"}}) {
        Strings options{"--follow-monitor-dpi"};
        options.insert(options.end(), scaled.begin(), scaled.end());
        json follow = moved("permonitor", options);
        const json& there = follow[follow.size() - 2];
        ASSERT_EQ(there["form"]["dpi"], 144);
        EXPECT_EQ(there["form"]["scale"], 1.0);
        const int w = there["form"]["client"][0], h = there["form"]["client"][1];
        json fresh = RunJson({form, "--screen", "2880x1620@144", "--dpi-awareness", "permonitor",
                              "client", std::to_string(w + 1) + "x" + std::to_string(h), "client",
                              std::to_string(w) + "x" + std::to_string(h)});
        ASSERT_EQ(fresh.size(), 3u);
        sameControls(there, fresh[2]);
        sameControls(follow.back(), follow[0]);
        EXPECT_EQ(follow.back()["form"]["dpi"], 96);
    }
    // Without the switch the window is told the new DPI and keeps its layout.
    json still = moved("permonitor");
    EXPECT_EQ(still[1]["form"]["dpi"], 144);
    sameControls(still[1], still[0]);
    // A program that does not follow the monitor is stretched there by the
    // system and lays nothing out again.
    for (const char* awareness : {"unaware", "system"}) {
        json stretched = moved(awareness);
        EXPECT_EQ(stretched[1]["form"]["dpi"], 96) << awareness;
        EXPECT_EQ(stretched[1]["form"]["scale"], 1.5) << awareness;
        EXPECT_EQ(stretched[2]["form"]["scale"], 1.0) << awareness;
        sameControls(stretched[1], stretched[0]);
    }
}

TEST(RunContract, PicturesAreDrawnForEverySnapshot) {
    TScratch dir;
    const std::string svg = dir.Path("out.svg");
    TResult r = Quorvel({"run", Example("OrderEntry.dfm"), "set", "OrderEntryForm.Caption=A<B&C",
                         "client", "960x660", "--wireframe", "--svg", svg});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::string text = ReadFile(svg);
    EXPECT_EQ(text.rfind("<svg ", 0), 0u);
    EXPECT_NE(text.find("</svg>"), std::string::npos);
    std::size_t panels = 0, controls = 0;
    for (std::size_t at = 0; (at = text.find("clip-path=", at)) != std::string::npos; ++at)
        ++panels;
    for (std::size_t at = 0; (at = text.find("class=\"control\"", at)) != std::string::npos; ++at)
        ++controls;
    EXPECT_EQ(panels, 3u);
    EXPECT_EQ(controls, 3u * 28u);
    EXPECT_NE(text.find("A&lt;B&amp;C"), std::string::npos);
    EXPECT_EQ(text.find("A<B"), std::string::npos);

    const std::string png = dir.Path("out.png");
    r = Quorvel({"run", Example("LogViewer.dfm"), "--wireframe", "--png", png});
    if (r.Status == 2 && r.Err.find("rsvg-convert") != std::string::npos)
        GTEST_SKIP() << "rsvg-convert is not installed";
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(ReadFile(png).substr(1, 3), "PNG");
}

TEST(RunContract, AWireframePngWithoutTheConverterIsAUsageError) {
    TScratch dir;
    TResult r =
        Quorvel({"run", Example("LogViewer.dfm"), "--wireframe", "--png", dir.Path("x.png")},
                {{"PATH", dir.Dir.string()}});
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("rsvg-convert"), std::string::npos);
    EXPECT_TRUE(r.Out.empty());
    EXPECT_FALSE(fs::exists(dir.Path("x.png")));
}

} // namespace
} // namespace ToolTest
