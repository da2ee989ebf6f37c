// `quorvel design` and `quorvel palette` through the real command line.
#include "tool/ToolTestSupport.h"

namespace ToolTest {
namespace {

const std::string Designed =
    FormWithComponent(Button("Button1", 10, 20, 75, 25), "    FormMinWidth = 300\n");

TEST(Design, WritesFreshDesignValuesOfTheDesktopGiven) {
    TScratch dir;
    const std::string file = dir.Write("f.dfm", Designed);
    const std::string out = dir.Path("out.dfm");
    TResult r = Quorvel({"design", file, "--set", "Form1.ClientWidth=640",
                         "Quorvel1.FormMaxWidth=900", "--screen", "2560x1440@120", "-o", out});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::string text = ReadFile(out);
    for (const char* line :
         {"    FormMaxWidth = 900\n", "    FormMinWidth = 300\n", "    DesignFrmW = 640\n",
          "    DesignFrmH = 300\n", "    DesignDpiW = 120\n", "    DesignDpiH = 120\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << text;
    // What design mode writes reads back, and a run takes the new design values.
    EXPECT_EQ(Quorvel({"check", out}).Status, 0);
    json report = RunJson({out, "--screen", "1920x1080@120", "client", "1280x600"});
    EXPECT_DOUBLE_EQ(report[1]["events"][0][0].get<double>(), 2.0);

    // Without an output file the form goes to standard output.
    r = Quorvel({"design", file});
    EXPECT_EQ(r.Status, 0);
    EXPECT_NE(r.Out.find("DesignDpiW = 96"), std::string::npos);
}

TEST(Design, ARefusalPrintsTheMessageAndWritesNothing) {
    TScratch dir;
    const std::string file = dir.Write("f.dfm", Designed);
    const std::string out = dir.Path("out.dfm");
    TResult r = Quorvel({"design", file, "--set", "Quorvel1.FormMaxWidth=900",
                         "Quorvel1.FormWidth=200", "-o", out});
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("Quorvel1.FormWidth=200: "
                         "Set this value equal to or greater than the FormMinWidth"),
              std::string::npos)
        << r.Err;
    EXPECT_FALSE(fs::exists(out));
    EXPECT_TRUE(r.Out.empty());

    // An existing output stays as it was.
    WriteFile(out, "before");
    r = Quorvel({"design", file, "--set", "Quorvel1.FormMinHeight=-1", "-o", out},
                {{"LANG", "ja_JP.UTF-8"}});
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("0 以上の値を入れてください"), std::string::npos) << r.Err;
    EXPECT_EQ(ReadFile(out), "before");
    EXPECT_EQ(Quorvel({"design", dir.Path("missing.dfm")}).Status, 2);
}

TEST(Palette, ListsTheComponentOnItsPage) {
    TResult r = Quorvel({"palette"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "HVCtrl: TQuorvel\n");

    TScratch dir;
    r = Quorvel({"palette", dir.Path("missing.so")});
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("not found"), std::string::npos);
    r = Quorvel({"palette", dir.Write("junk.so", "not a library")});
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("cannot load package"), std::string::npos) << r.Err;
}

} // namespace
} // namespace ToolTest
