// `quorvel lint`: hand-made forms with known faults at 144 DPI and at their minimum
// size, forms that fit, translations, and the corpus linted without a crash.
#include "Lint.h"
#include "FormPainter.h"
#include "RunSession.h"
#include "tool/ToolTestSupport.h"

#include <sstream>

namespace ToolTest {
namespace {

// A button whose caption fits at 96 DPI and not at 144, where fonts grow and the
// bounds of a form that neither the framework nor the component scales stay.
const std::string Dialog = R"(object Dialog: TForm
  Left = 0
  Top = 0
  ClientHeight = 120
  ClientWidth = 300
  Font.Height = -11
  Font.Name = 'Tahoma'
  PixelsPerInch = 96
  Scaled = False
  object OkButton: TButton
    Left = 100
    Top = 80
    Width = 89
    Height = 31
    Caption = 'Apply changes'
  end
  object NameLabel: TLabel
    Left = 8
    Top = 12
    Width = 120
    Height = 24
    AutoSize = False
    Caption = 'Name'
  end
end
)";

// At its minimum size the logo, kept at its size, runs into the memo; the thin
// bevel becomes one pixel high and the fonts drop below six points.
const std::string Viewer = R"(object Viewer: TViewer
  Left = 0
  Top = 0
  ClientHeight = 300
  ClientWidth = 400
  Font.Height = -11
  Font.Name = 'Tahoma'
  PixelsPerInch = 96
  object Quorvel1: TQuorvel
    FormMinWidth = 216
    FormMinHeight = 189
    NoResizeCtl = 'Logo'
    DesignFrmW = 400
    DesignFrmH = 300
    DesignDpiW = 96
    DesignDpiH = 96
  end
  object Logo: TImage
    Left = 8
    Top = 8
    Width = 64
    Height = 64
  end
  object Memo: TMemo
    Left = 80
    Top = 8
    Width = 312
    Height = 200
  end
  object Rule: TBevel
    Left = 8
    Top = 220
    Width = 384
    Height = 2
  end
end
)";

json Findings(const std::vector<std::string>& args, int expectedStatus) {
    std::vector<std::string> all{"lint"};
    all.insert(all.end(), args.begin(), args.end());
    all.push_back("--json");
    TResult r = Quorvel(all);
    EXPECT_EQ(r.Status, expectedStatus) << r.Err;
    return json::parse(r.Out);
}

TEST(Lint, TextThatOutgrowsItsButtonAt144DpiIsReportedInTheDocumentedLine) {
    TScratch dir;
    const std::string file = dir.Write("dialog.dfm", Dialog);
    TResult r = Quorvel({"lint", file});
    EXPECT_EQ(r.Status, 0) << r.Out << r.Err;
    EXPECT_EQ(r.Out, "");

    r = Quorvel({"lint", file, "--dpi", "96,144"});
    EXPECT_EQ(r.Status, 1) << r.Err;
    const std::string prefix = file + ": 300x120@144: OkButton: caption 'Apply changes' needs ";
    ASSERT_EQ(r.Out.rfind(prefix, 0), 0u) << r.Out;
    EXPECT_NE(r.Out.find(", has 81x25, cut off at the sides\n"), std::string::npos) << r.Out;
    EXPECT_EQ(r.Out.find("@96:"), std::string::npos) << r.Out;

    const json findings = Findings({file, "--dpi", "144", "--sizes", "300x120"}, 1);
    ASSERT_GE(findings.size(), 1u);
    const json& f = findings[0];
    EXPECT_EQ(f["kind"], "text");
    EXPECT_EQ(f["dpi"], 144);
    EXPECT_EQ(f["size"], json::parse("[300, 120]"));
    EXPECT_EQ(f["has"], json::parse("[81, 25]"));
    EXPECT_GT(f["needs"][0].get<int>(), 81);
}

TEST(Lint, AScaledFormWithTheComponentIsCorrectedTwiceAndLintSaysSo) {
    TScratch dir;
    const std::string file = dir.Write("viewer.dfm", Viewer);
    auto scaledFindings = [&](const std::string& path, const std::string& awareness) {
        std::vector<int> dpis;
        TResult r = Quorvel({"lint", path, "--dpi", "96,144", "--sizes", "400x300",
                             "--dpi-awareness", awareness, "--json"});
        for (const json& f : json::parse(r.Out))
            if (f["kind"] == "scaled") {
                EXPECT_EQ(f["control"], "Quorvel1");
                dpis.push_back(f["dpi"].get<int>());
            }
        return dpis;
    };
    // Once, at the resolution where the framework scaled the form.
    EXPECT_EQ(scaledFindings(file, "system"), std::vector<int>{144});
    const TResult line = Quorvel({"lint", file, "--dpi", "144", "--sizes", "400x300"});
    EXPECT_NE(line.Out.find(": 600x450@144: Quorvel1: the form is Scaled: the framework scales it "
                            "from 96 to 144 DPI as it is read, and Quorvel1 corrects"),
              std::string::npos)
        << line.Out;
    // An unaware program is told 96 DPI: neither correction happens.
    EXPECT_TRUE(scaledFindings(file, "unaware").empty());
    // Not Scaled, the component's correction is the only one.
    std::string unscaled = Viewer;
    unscaled.insert(unscaled.find("  object Quorvel1"), "  Scaled = False\n");
    EXPECT_TRUE(scaledFindings(dir.Write("unscaled.dfm", unscaled), "system").empty());
}

TEST(Lint, TheMinimumSizeShowsOverlapsOnePixelControlsAndSmallFonts) {
    TScratch dir;
    const std::string file = dir.Write("viewer.dfm", Viewer);
    const json findings = Findings({file}, 1);
    std::map<std::string, std::set<std::string>> kinds; // size -> control:kind
    for (const json& f : findings)
        kinds[std::to_string(f["size"][0].get<int>()) + "x" +
              std::to_string(f["size"][1].get<int>())]
            .insert(f["control"].get<std::string>() + ":" + f["kind"].get<std::string>());
    // Nothing at the design size; the smallest client area has all three faults.
    EXPECT_EQ(kinds.count("400x300"), 0u);
    ASSERT_FALSE(kinds.empty());
    const auto& smallest = kinds.begin()->second;
    EXPECT_TRUE(smallest.count("Logo:overlap")) << findings.dump();
    EXPECT_TRUE(smallest.count("Rule:shrunk")) << findings.dump();
    // The memo shares the form's font: the form's finding stands for it.
    EXPECT_TRUE(smallest.count("Viewer:font")) << findings.dump();
    // A lower bar for readable fonts drops that finding.
    for (const json& f : Findings({file, "--min-font", "4"}, 1))
        EXPECT_NE(f["kind"], "font");
}

// What a person reads decides: a positive Font.Height is a cell height, a caption
// whose cell is taller than the room but whose glyphs are all inside it is
// readable, and a face the desktop lacks is named with the one that stood in.
TEST(Lint, FontsAreComparedInPixelsAndOnlyCutGlyphsCount) {
    TScratch dir;
    const std::string file = dir.Write("sizes.dfm", R"(object F: TForm
  ClientHeight = 120
  ClientWidth = 320
  Font.Height = 13
  Font.Name = 'Tahoma'
  PixelsPerInch = 96
  Scaled = False
  object Cell: TCheckBox
    Left = 8
    Top = 8
    Width = 120
    Height = 14
    Caption = 'Wrap lines'
  end
  object Tiny: TLabel
    Left = 8
    Top = 40
    Font.Height = 7
    Caption = 'fine print'
  end
  object Wide: TButton
    Left = 8
    Top = 70
    Width = 40
    Height = 25
    Caption = 'Recalculate'
    Font.Name = 'Segoe UI'
  end
end
)");
    TResult r = Quorvel({"lint", file, "--sizes", "320x120", "--json"});
    EXPECT_EQ(r.Status, 1) << r.Err;
    std::map<std::string, std::string> found; // control -> kind: message
    for (const json& f : json::parse(r.Out))
        found[f["control"].get<std::string>()] +=
            f["kind"].get<std::string>() + ": " + f["message"].get<std::string>() + ";";
    // 13 px cells are an 8-point font; the check box's 14 px hold "Wrap lines".
    EXPECT_EQ(found.count("F"), 0u);
    EXPECT_EQ(found.count("Cell"), 0u) << found["Cell"];
    EXPECT_EQ(found["Tiny"], "font: font 4.5 pt (6 px) is below 6 pt (8 px at 96 DPI);");
    EXPECT_NE(found["Wide"].find("text: caption 'Recalculate' needs "), std::string::npos);
    EXPECT_NE(found["Wide"].find(", cut off at the sides (measured in Liberation Sans, standing "
                                 "in for Segoe UI);"),
              std::string::npos)
        << found["Wide"];
    // The summary line goes to standard error, the findings stay one a line.
    EXPECT_EQ(Quorvel({"lint", file, "--sizes", "320x120"}).Err,
              "lint: 2 findings in 1 of 1 file at 1 resolution: font 1, text 1\n");
}

// A form that keeps its pixel fonts at 144 DPI: one finding for the form's font and
// the controls that share it, one for a control with a smaller font of its own,
// each once whatever the number of sizes; at 96 DPI the same pixels are readable.
TEST(Lint, ASmallFormFontIsOneFindingPerResolution) {
    TScratch dir;
    const std::string file = dir.Write("pixels.dfm", R"(object Pixels: TForm
  ClientHeight = 200
  ClientWidth = 300
  Font.Height = -11
  Font.Name = 'Tahoma'
  object First: TLabel
    Left = 8
    Top = 8
    Caption = 'First'
  end
  object Second: TLabel
    Left = 8
    Top = 40
    Caption = 'Second'
  end
  object Note: TLabel
    Left = 8
    Top = 80
    Font.Height = -9
    Font.Name = 'Tahoma'
    ParentFont = False
    Caption = 'Note'
  end
end
)");
    const json findings = Findings({file, "--dpi", "96,144"}, 1);
    std::vector<std::string> found;
    for (const json& f : findings) {
        EXPECT_EQ(f["kind"], "font") << f.dump();
        EXPECT_EQ(f["dpi"], 144) << f.dump();
        found.push_back(f["control"].get<std::string>() + ": " + f["message"].get<std::string>());
    }
    EXPECT_EQ(found, (std::vector<std::string>{
                         "Pixels: font 5.5 pt (11 px) is below 6 pt (12 px at 144 DPI), the "
                         "form's font, in 2 controls",
                         "Note: font 4.5 pt (9 px) is below 6 pt (12 px at 144 DPI)"}));
}

TEST(Lint, ControlsPushedOffTheirParentAreReportedOnce) {
    TScratch dir;
    const std::string file = dir.Write("panel.dfm", R"(object F: TForm
  ClientHeight = 200
  ClientWidth = 300
  object Box: TPanel
    Left = 0
    Top = 0
    Width = 300
    Height = 200
    Anchors = [akLeft, akTop, akRight, akBottom]
    object Far: TButton
      Left = 200
      Top = 150
      Width = 90
      Height = 30
      Caption = 'Go'
    end
  end
end
)");
    const json findings = Findings({file, "--sizes", "200x150"}, 1);
    ASSERT_EQ(findings.size(), 1u) << findings.dump();
    EXPECT_EQ(findings[0]["control"], "Far");
    EXPECT_EQ(findings[0]["kind"], "outside");
    EXPECT_EQ(findings[0]["message"], "leaves Box (200,150 90x30 in 200x150)");
}

TEST(Lint, ATranslationIsCheckedBeforeAnyoneRunsIt) {
    TScratch dir;
    const std::string file = dir.Write("dialog.dfm", Dialog);
    const std::string table =
        dir.Write("de.txt", "# German\nOkButton.Caption=Änderungen übernehmen\n\n"
                            "NameLabel.Caption=Name des Empfängers, vollständig\n");
    TResult r = Quorvel({"lint", file, "--translate", table, "--sizes", "300x120"});
    EXPECT_EQ(r.Status, 1) << r.Err;
    EXPECT_NE(r.Out.find(": OkButton: caption 'Änderungen übernehmen' needs "), std::string::npos)
        << r.Out;
    EXPECT_NE(r.Out.find(": NameLabel: caption 'Name des Empfängers, vollständig' needs "),
              std::string::npos)
        << r.Out;

    // Quotes and equals signs in a text are the text's own.
    r = Quorvel({"lint", file, "--translate",
                 dir.Write("q.txt", "OkButton.Caption=Don't apply = keep it all\r\n"), "--sizes",
                 "300x120"});
    EXPECT_NE(r.Out.find(": OkButton: caption 'Don't apply = keep it all' needs "),
              std::string::npos)
        << r.Out << r.Err;

    r = Quorvel({"lint", file, "--translate", dir.Write("bad.txt", "OkButton Caption\n")});
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("bad.txt:1: not COMPONENT.PROPERTY=text"), std::string::npos) << r.Err;
    // An unknown component is the run's error, reported, and the rest goes on.
    r = Quorvel({"lint", file, "--translate", dir.Write("odd.txt", "Nobody.Caption=x\n")});
    EXPECT_NE(r.Err.find("Nobody"), std::string::npos) << r.Err;
}

// A label that touches its edit as designed is the designer's choice; a longer
// caption that runs well into the edit is not. A label lying on a bevel may grow.
TEST(Lint, AnOverlapAsDesignedCountsOnceItGrows) {
    TScratch dir;
    const std::string file = dir.Write("touch.dfm", R"(object F: TForm
  ClientHeight = 100
  ClientWidth = 300
  Font.Height = -11
  Font.Name = 'Tahoma'
  PixelsPerInch = 96
  object SizeLabel: TLabel
    Left = 8
    Top = 12
    Caption = 'Size:'
  end
  object SizeEdit: TEdit
    Left = 30
    Top = 8
    Width = 60
    Height = 21
  end
  object Frame: TBevel
    Left = 100
    Top = 8
    Width = 190
    Height = 80
  end
  object Note: TLabel
    Left = 110
    Top = 20
    Caption = 'Note'
  end
end
)");
    EXPECT_TRUE(Findings({file, "--sizes", "300x100"}, 0).empty());
    const std::string table =
        dir.Write("long.txt", "SizeLabel.Caption=Maximum size:\nNote.Caption=A longer note\n");
    const json findings = Findings({file, "--translate", table, "--sizes", "300x100"}, 1);
    ASSERT_EQ(findings.size(), 1u) << findings.dump();
    EXPECT_EQ(findings[0]["control"], "SizeLabel");
    EXPECT_EQ(findings[0]["message"], "overlaps SizeEdit, more than as designed");
}

// Control name -> kinds found, at one client size of the findings.
std::map<std::string, std::set<std::string>> KindsAt(const json& findings, int width, int height) {
    std::map<std::string, std::set<std::string>> kinds;
    for (const json& f : findings)
        if (f["size"] == json::array({width, height}))
            kinds[f["control"].get<std::string>()].insert(f["kind"].get<std::string>());
    return kinds;
}

// Three tabs that fill 200 px at 96 DPI and need more at 144, in a page control,
// in a page control whose rows break (MultiLine) and in a tab control; a hidden
// sheet's caption takes no room.
TEST(Lint, TabsThatNoLongerFitInOneRowAreReportedUnlessTheyBreakIntoRows) {
    TScratch dir;
    auto sheets = [](const std::string& prefix) {
        std::string text;
        for (const char* caption : {"General", "Advanced", "Printing"})
            text += "    object " + prefix + caption + ": TTabSheet\n      Caption = '" + caption +
                    "'\n    end\n";
        return text;
    };
    const std::string file = dir.Write("tabs.dfm", R"(object F: TForm
  ClientHeight = 240
  ClientWidth = 420
  Font.Height = -11
  Font.Name = 'Tahoma'
  PixelsPerInch = 96
  Scaled = False
  object Pages: TPageControl
    Left = 8
    Top = 8
    Width = 200
    Height = 100
)" + sheets("P") + R"(    object Hidden: TTabSheet
      Caption = 'A very long caption of a page without a tab'
      TabVisible = False
    end
  end
  object Rows: TPageControl
    Left = 212
    Top = 8
    Width = 200
    Height = 100
    MultiLine = True
)" + sheets("R") + R"(  end
  object Strip: TTabControl
    Left = 8
    Top = 120
    Width = 200
    Height = 60
    Tabs.Strings = (
      'General'
      'Advanced'
      'Printing')
  end
end
)");
    const json findings = Findings({file, "--dpi", "96,144", "--sizes", "420x240"}, 1);
    for (const json& f : findings) {
        EXPECT_EQ(f["dpi"], 144) << f.dump();
        EXPECT_EQ(f["kind"], "tabs") << f.dump();
    }
    const auto kinds = KindsAt(findings, 420, 240);
    EXPECT_EQ(kinds.count("Pages"), 1u) << findings.dump();
    EXPECT_EQ(kinds.count("Strip"), 1u) << findings.dump();
    EXPECT_EQ(kinds.count("Rows"), 0u) << findings.dump();
    ASSERT_FALSE(findings.empty());
    EXPECT_EQ(findings[0]["has"][0], 200);
    EXPECT_GT(findings[0]["needs"][0].get<int>(), 200);
    EXPECT_LT(findings[0]["needs"][0].get<int>(), 300) << "the hidden sheet counts";
}

// A page that is not the active one shows once it is picked, so its controls
// are checked; the sheets of a page control this program does not know have no
// room, and nothing on them shows.
TEST(Lint, OtherPagesAreCheckedAndSheetsWithoutRoomAreNot) {
    TScratch dir;
    auto button = [](const std::string& name) {
        return "      object " + name +
               ": TButton\n        Left = 10\n        Top = 10\n        Width = 89\n"
               "        Height = 31\n        Caption = 'Apply changes'\n      end\n";
    };
    const std::string file = dir.Write("pages.dfm", R"(object F: TForm
  ClientHeight = 200
  ClientWidth = 300
  Font.Height = -11
  Font.Name = 'Tahoma'
  PixelsPerInch = 96
  Scaled = False
  object Pages: TPageControl
    Left = 0
    Top = 0
    Width = 300
    Height = 100
    ActivePage = First
    object First: TTabSheet
      Caption = 'First'
    end
    object Second: TTabSheet
      Caption = 'Second'
)" + button("OnSecond") + R"(    end
  end
  object Fancy: TFancyPages
    Left = 0
    Top = 100
    Width = 300
    Height = 100
    object Sheet: TTabSheet
      Caption = 'Sheet'
)" + button("OnSheet") + R"(    end
  end
end
)");
    EXPECT_TRUE(Findings({file, "--lenient", "--sizes", "300x200"}, 0).empty());
    const json findings = Findings({file, "--lenient", "--dpi", "144", "--sizes", "300x200"}, 1);
    ASSERT_EQ(findings.size(), 1u) << findings.dump();
    EXPECT_EQ(findings[0]["control"], "OnSecond");
    EXPECT_EQ(findings[0]["kind"], "text");
}

// What is already wrong when the form is first shown counts: the checks compare
// with the form as designed, not with the first snapshot of the run.
TEST(Lint, WhatTheFirstSnapshotAlreadyBreaksIsFoundAgainstTheFormAsDesigned) {
    TScratch dir;
    // Not Scaled: the component enlarges the controls for 144 DPI at start-up, the
    // form is only moved when shown, so no pass follows and the button is cut off.
    const std::string file = dir.Write("entry.dfm", R"(object Entry: TEntry
  ClientHeight = 200
  ClientWidth = 400
  Font.Height = -11
  Font.Name = 'Tahoma'
  PixelsPerInch = 96
  Position = poScreenCenter
  Scaled = False
  object NameLabel: TLabel
    Left = 8
    Top = 12
    Caption = 'Name'
  end
  object NameEdit: TEdit
    Left = 48
    Top = 8
    Width = 120
    Height = 21
  end
  object OkButton: TButton
    Left = 300
    Top = 160
    Width = 90
    Height = 25
    Caption = 'OK'
  end
  object Quorvel1: TQuorvel
    FormPos = rpMiddleCenter
    DesignFrmW = 400
    DesignFrmH = 200
    DesignDpiW = 96
    DesignDpiH = 96
  end
end
)");
    const json at144 = Findings({file, "--dpi", "144", "--sizes", "400x200"}, 1);
    EXPECT_EQ(KindsAt(at144, 400, 200)["OkButton"], std::set<std::string>{"outside"})
        << at144.dump();
    EXPECT_TRUE(Findings({file, "--dpi", "96", "--sizes", "400x200"}, 0).empty());

    // A longer caption grows the auto-sized label under its edit before the first
    // snapshot; the label's own text and the button's are drawn whole.
    const std::string table = dir.Write("de.txt", "NameLabel.Caption=Vollständiger Name\n");
    const json translated = Findings({file, "--translate", table, "--sizes", "400x200"}, 1);
    const auto kinds = KindsAt(translated, 400, 200);
    EXPECT_EQ(kinds.size(), 1u) << translated.dump();
    EXPECT_EQ(kinds.count("NameLabel") ? *kinds.at("NameLabel").begin() : "", "overlap")
        << translated.dump();
}

// The bundled order entry at 150%: the component enlarges its controls, the client
// area stays, and the two address frames' controls are told apart by their frame.
TEST(Lint, TheBundledOrderEntryIsCutOffAt144Dpi) {
    const std::string form = Example("OrderEntry.dfm");
    EXPECT_EQ(Quorvel({"lint", form, "--dpi", "96", "--sizes", "640x440"}).Status, 0);
    const TResult r = Quorvel({"lint", form, "--dpi", "144", "--sizes", "640x440"});
    EXPECT_EQ(r.Status, 1) << r.Err;
    for (const char* line : {": 640x440@144: OkButton: leaves OrderEntryForm (",
                             ": 640x440@144: BillingAddress.PostcodeLabel: overlaps "
                             "BillingAddress.PostcodeEdit\n",
                             ": 640x440@144: ShippingAddress.PostcodeLabel: overlaps "
                             "ShippingAddress.PostcodeEdit\n"})
        EXPECT_NE(r.Out.find(line), std::string::npos) << line << "\n" << r.Out;
}

// A form larger than the screen at 144 DPI is cut off where it is shown: the
// window system keeps it centred, so its caption and bottom leave the work area.
// The same form at 96 DPI, and a form on a taller screen, are not.
TEST(Lint, AFormShownBeyondItsMonitorsWorkAreaIsReported) {
    TScratch dir;
    const std::string file = dir.Write("big.dfm", R"(object Big: TForm
  Caption = 'Big'
  ClientHeight = 700
  ClientWidth = 1200
  Font.Height = -11
  Font.Name = 'Tahoma'
  Position = poScreenCenter
  PixelsPerInch = 96
end
)");
    const json findings = Findings({file, "--dpi", "96,144"}, 1);
    ASSERT_EQ(findings.size(), 1u) << findings.dump();
    const json& f = findings[0];
    EXPECT_EQ(f["kind"], "screen");
    EXPECT_EQ(f["control"], "Big");
    EXPECT_EQ(f["dpi"], 144);
    EXPECT_EQ(f["size"], json::parse("[1800, 1050]"));
    EXPECT_EQ(f["has"], json::parse("[1920, 1040]"));
    const std::string message = f["message"];
    EXPECT_NE(message.find("px at the top and "), std::string::npos) << message;
    EXPECT_NE(message.find("px at the bottom"), std::string::npos) << message;
    EXPECT_TRUE(Findings({file, "--dpi", "144", "--screen", "2560x1600"}, 0).empty());
}

// --attach lays a form without the component out as one with it: its right
// column follows the smaller client area instead of leaving it.
TEST(Lint, AttachChecksAFormWithoutTheComponentAsScaled) {
    TScratch dir;
    const std::string file = dir.Write("plain.dfm", R"(object Plain: TForm
  ClientHeight = 200
  ClientWidth = 400
  Font.Height = -11
  Font.Name = 'Tahoma'
  PixelsPerInch = 96
  Scaled = False
  object OkButton: TButton
    Left = 300
    Top = 160
    Width = 90
    Height = 25
    Caption = 'OK'
  end
end
)");
    const json plain = Findings({file, "--sizes", "300x150"}, 1);
    EXPECT_EQ(KindsAt(plain, 300, 150)["OkButton"], std::set<std::string>{"outside"})
        << plain.dump();
    EXPECT_TRUE(Findings({file, "--sizes", "300x150", "--attach"}, 0).empty());
}

TEST(Lint, UsageErrorsAndProgress) {
    TScratch dir;
    const std::string file = dir.Write("dialog.dfm", Dialog);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"lint", file, "--sizes", "12"},
          std::vector<std::string>{"lint", file, "--dpi", "7"},
          std::vector<std::string>{"lint", file, "--sizes", "300x120", "--sweep"},
          std::vector<std::string>{"lint", dir.Path("missing.dfm")}})
        EXPECT_EQ(Quorvel(args).Status, 2) << args[2];

    TResult r = Quorvel({"lint", file, file, "--progress", "--dpi", "96,144"});
    EXPECT_NE(r.Err.find("quorvel: lint 1/4: " + file + " at 96 DPI\n"), std::string::npos)
        << r.Err;
    EXPECT_NE(r.Err.find("quorvel: lint 4/4: " + file + " at 144 DPI\n"), std::string::npos);
    r = Quorvel({"check", file, file, "--progress"});
    EXPECT_EQ(r.Err, "quorvel: check 1/2: " + file + "\nquorvel: check 2/2: " + file + "\n");
    // Without the flag and off a terminal, nothing.
    EXPECT_EQ(Quorvel({"check", file, file}).Err, "");
}

TEST(LintCorpus, SampledCorpusFormsAreLintedAndDrawnWithoutACrash) {
    namespace fs = std::filesystem;
    const fs::path root = fs::path(QUORVEL_CORPUS_DIR) / "text";
    if (!fs::is_directory(root))
        GTEST_SKIP() << "corpus not found at " << QUORVEL_CORPUS_DIR;
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    std::vector<std::string> sample;
    for (std::size_t i = 0; i < files.size(); i += 25)
        sample.push_back(files[i]);

    QuorvelTool::TLintOptions options;
    options.Files = sample;
    options.Lenient = true;
    options.Dpis = {96, 144};
    std::ostringstream out, err;
    const int status = QuorvelTool::RunLint(options, out, err);
    EXPECT_TRUE(status == 0 || status == 1) << err.str();
    const std::string report = out.str();
    std::cout << "[ corpus   ] lint of " << sample.size()
              << " files at 96 and 144 DPI: " << std::count(report.begin(), report.end(), '\n')
              << " findings\n";

    // The same forms drawn, after a resize.
    for (std::size_t i = 0; i < sample.size(); i += 4) {
        QuorvelTool::TRunOptions run;
        run.FormFile = sample[i];
        run.Lenient = true;
        run.Actions = QuorvelTool::ParseActions({"client", "900x600"});
        std::ostringstream warnings;
        const auto result = QuorvelTool::RunForm(run, warnings);
        ASSERT_TRUE(result.Loaded) << sample[i];
        EXPECT_EQ(QuorvelTool::MakeFormSvg(result.Snapshots).rfind("<svg ", 0), 0u);
        EXPECT_EQ(QuorvelTool::MakeFormPng(result.Snapshots).substr(1, 3), "PNG");
    }
}

} // namespace
} // namespace ToolTest
