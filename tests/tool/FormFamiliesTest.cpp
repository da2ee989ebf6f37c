// Forms read over other files from the command line: ancestors and frames found
// in the folders named with --search, and errors in an included file reported
// where they are, with the form that included it.
#include "tool/ToolTestSupport.h"

namespace ToolTest {
namespace {

const std::string BaseDialog = "object BaseDialog: TBaseDialog\n"
                               "  Left = 0\n  Top = 0\n  ClientHeight = 200\n  ClientWidth = 300\n"
                               "  PixelsPerInch = 96\n  TextHeight = 13\n"
                               "  object OkButton: TButton\n"
                               "    Left = 10\n    Top = 160\n    Width = 75\n    Height = 25\n"
                               "    Caption = 'OK'\n    TabOrder = 0\n  end\nend\n";

const std::string DerivedDialog = "inherited DerivedDialog: TDerivedDialog\n"
                                  "  Caption = 'Derived'\n  PixelsPerInch = 96\n"
                                  "  TextHeight = 13\n"
                                  "  inherited OkButton: TButton\n    Left = 20\n  end\n"
                                  "  object Extra: TButton\n"
                                  "    Left = 100\n    Top = 160\n    Width = 75\n    Height = 25\n"
                                  "    TabOrder = 1\n  end\nend\n";

struct TFamily {
    TScratch Dir;
    std::string Bases, Derived;
    TFamily() {
        fs::create_directories(Dir.Dir / "base");
        fs::create_directories(Dir.Dir / "app");
        Bases = (Dir.Dir / "base").string();
        Dir.Write("base/BaseDialog.dfm", BaseDialog);
        Derived = Dir.Write("app/DerivedDialog.dfm", DerivedDialog);
    }
};

const json* FindControl(const json& snapshot, const std::string& name) {
    for (const json& c : snapshot["controls"])
        if (c["name"] == name)
            return &c;
    return nullptr;
}

TEST(FormFamilies, SearchFindsTheAncestorInAnotherFolder) {
    TFamily family;
    TResult r = Quorvel({"check", "--search", family.Bases, family.Derived});
    EXPECT_EQ(r.Status, 0) << r.Out << r.Err;
    EXPECT_EQ(r.Out, family.Derived + ": ok\n");

    const json report = RunJson({family.Derived, "--search", family.Bases});
    ASSERT_EQ(report.size(), 1u);
    const json* ok = FindControl(report[0], "OkButton");
    ASSERT_NE(ok, nullptr) << report.dump();
    // The descendant's own value over the ancestor's, the rest from the ancestor.
    EXPECT_EQ((*ok)["bounds"], json::parse("[20, 160, 75, 25]"));
    EXPECT_NE(FindControl(report[0], "Extra"), nullptr);
    EXPECT_EQ(report[0]["form"]["client"], json::parse("[300, 200]"));
}

TEST(FormFamilies, WithoutTheAncestorStrictReadingFailsAndLenientReadingWarns) {
    TFamily family;
    TResult r = Quorvel({"check", family.Derived});
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Out, family.Derived + ":1:1: error: Ancestor for 'DerivedDialog' not found\n");
    r = Quorvel({"run", family.Derived});
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Err, family.Derived + ":1:1: error: Ancestor for 'DerivedDialog' not found\n");
    EXPECT_TRUE(r.Out.empty());

    r = Quorvel({"run", "--lenient", family.Derived, "--json"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(
        r.Err.rfind(family.Derived + ":1:1: warning: ancestor of TDerivedDialog not found", 0), 0u)
        << r.Err;
    const json report = json::parse(r.Out);
    // What the descendant declares is there, bounds it does not store at defaults.
    EXPECT_NE(FindControl(report[0], "OkButton"), nullptr);
    EXPECT_NE(FindControl(report[0], "Extra"), nullptr);
}

TEST(FormFamilies, SearchFindsFramesAndOnlyWhereItIsTold) {
    TScratch dir;
    fs::create_directories(dir.Dir / "frames");
    fs::create_directories(dir.Dir / "forms");
    dir.Write("frames/Buttons.dfm", "object ButtonsFrame: TButtonsFrame\n"
                                    "  Left = 0\n  Top = 0\n  Width = 200\n  Height = 40\n"
                                    "  TabOrder = 0\n"
                                    "  object Apply: TButton\n    Left = 8\n    Top = 8\n"
                                    "    Width = 75\n    Height = 25\n    TabOrder = 0\n  end\n"
                                    "end\n");
    const std::string form = dir.Write(
        "forms/Main.dfm", "object MainForm: TMainForm\n"
                          "  ClientHeight = 200\n  ClientWidth = 300\n"
                          "  inline Buttons1: TButtonsFrame\n    Left = 0\n    Top = 150\n"
                          "    Width = 200\n    Height = 40\n    TabOrder = 0\n  end\n"
                          "end\n");
    TResult r = Quorvel({"check", form});
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Out.find("frame class TButtonsFrame not found"), std::string::npos) << r.Out;
    const std::string frames = (dir.Dir / "frames").string();
    EXPECT_EQ(Quorvel({"check", form, "--search", frames}).Status, 0);
    const json report = RunJson({form, "--search", frames});
    const json* apply = FindControl(report[0], "Apply");
    ASSERT_NE(apply, nullptr) << report.dump();
    EXPECT_EQ((*apply)["owner"], "Buttons1");
}

TEST(FormFamilies, AnErrorInAFrameNamesTheFrameFileThenTheForm) {
    TScratch dir;
    const std::string frame = dir.Write("Frame.dfm", "object MyFrame: TMyFrame\n"
                                                     "  Left = 0\n  Top = 0\n  Width = 200\n"
                                                     "  Height = 100\n  TabOrder = 0\n"
                                                     "  object Browser: TWebBrowser\n"
                                                     "    Left = 0\n    Top = 0\n  end\nend\n");
    const std::string form = dir.Write("Form.dfm", "object Form1: TForm1\n"
                                                   "  ClientHeight = 200\n  ClientWidth = 300\n"
                                                   "  inline Frame1: TMyFrame\n"
                                                   "    Left = 0\n    Top = 0\n  end\nend\n");
    const std::string expected = frame + ":7:3: error: Class TWebBrowser not found\n" + form +
                                 ":4:3: note: included from here\n";
    TResult r = Quorvel({"check", form});
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Out, expected);
    r = Quorvel({"run", form});
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Err, expected);
    EXPECT_TRUE(r.Out.empty());

    // The same for an ancestor's file, included by the descendant's root.
    TFamily family;
    family.Dir.Write("base/BaseDialog.dfm",
                     BaseDialog.substr(0, BaseDialog.size() - 4) +
                         "  object Grid: TGridOfOurOwn\n    Left = 0\n  end\nend\n");
    r = Quorvel({"check", "--search", family.Bases, family.Derived});
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Out, (family.Dir.Dir / "base" / "BaseDialog.dfm").string() +
                         ":16:3: error: Class TGridOfOurOwn not found\n" + family.Derived +
                         ":1:1: note: included from here\n");
}

// A frame inside an ancestor whose unit is named by the project: the error in the
// frame's file, then a note for the ancestor and one for the form checked; the
// same file checked again in the run is the same error, read once.
TEST(FormFamilies, AnErrorTwoFilesAwayNamesEveryFileOnTheWay) {
    TScratch dir;
    fs::create_directories(dir.Dir / "proj" / "src");
    fs::create_directories(dir.Dir / "proj" / "forms");
    dir.Write("proj/App.dpr", "program App;\nuses\n  Forms,\n"
                              "  EditUnit in 'src\\EditUnit.pas' {EditDialog};\nbegin\nend.\n");
    dir.Write("proj/src/EditUnit.pas", "unit EditUnit;\ninterface\ntype\n"
                                       "  TEditDialog = class(TBaseDialog)\n  end;\n");
    const std::string frame =
        dir.Write("proj/forms/Buttons.dfm", "object Buttons: TButtons\n  TabOrder = 0\n"
                                            "  object Help: THelpButtonOfOurOwn\n  end\nend\n");
    const std::string base =
        dir.Write("proj/forms/Base.dfm", "object BaseDialog: TBaseDialog\n  ClientHeight = 200\n"
                                         "  ClientWidth = 300\n  inline Buttons1: TButtons\n"
                                         "  end\nend\n");
    const std::string form = dir.Write(
        "proj/forms/Edit.dfm", "inherited EditDialog: TEditDialog\n  Caption = 'Edit'\nend\n");
    const std::string expected = frame + ":3:3: error: Class THelpButtonOfOurOwn not found\n" +
                                 base + ":4:3: note: included from here\n" + form +
                                 ":1:1: note: included from here\n";
    TResult r = Quorvel({"check", form, form});
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Out, expected + expected);
    // Leniently the ancestor is found through the project and its frame read.
    r = Quorvel({"check", "--lenient", form});
    EXPECT_EQ(r.Status, 0) << r.Out << r.Err;
}

} // namespace
} // namespace ToolTest
