// The exclusion lists: how NoResizeCtl and NoResizeFntCtl are split into names and
// which controls they then match.
#include "support/QuorvelFixture.h"

namespace QuorvelTest {
namespace {

using namespace Vcl;

class Exclusions : public TQuorvelFixture {
protected:
    std::vector<String> Parsed(const String& text) {
        auto& form = Load(FormText(""));
        auto& q = Component(form);
        q.SetNoResizeCtl(text);
        std::vector<String> entries;
        for (int i = 0; i < q.NoResizeCtls()->Count(); ++i)
            entries.push_back(q.NoResizeCtls()->Get(i));
        return entries;
    }
};

TEST_F(Exclusions, TextsSplitAtSemicolonsKeepingEntriesAsTyped) {
    using V = std::vector<String>;
    EXPECT_EQ(Parsed(""), V{});
    EXPECT_EQ(Parsed("Button1"), V{"Button1"});
    EXPECT_EQ(Parsed("Button1;Edit1"), (V{"Button1", "Edit1"}));
    EXPECT_EQ(Parsed("Button1;Edit1;"), (V{"Button1", "Edit1"})); // no empty last entry
    EXPECT_EQ(Parsed(";Button1"), (V{"", "Button1"}));
    EXPECT_EQ(Parsed("A;;B"), (V{"A", "", "B"}));
    EXPECT_EQ(Parsed(";"), V{""});
    EXPECT_EQ(Parsed(" Button1 ;Button1;Button1"), (V{" Button1 ", "Button1", "Button1"}));
}

TEST_F(Exclusions, ListedControlsAreMatchedWholeAndWithoutRegardToCase) {
    auto& form =
        Load(FormText(Button("Button1", 10, 10, 50, 20) + Button("Button2", 10, 40, 50, 20) +
                          Button("Button3", 10, 70, 50, 20) + Button("Button4", 10, 100, 50, 20),
                      "    NoResizeCtl = 'BUTTON1; Button2;Button'\n"));
    auto& q = Component(form);
    EXPECT_EQ(Record(q, "Button1"), nullptr); // letter case ignored
    EXPECT_NE(Record(q, "Button2"), nullptr); // a blank is part of the entry
    EXPECT_NE(Record(q, "Button3"), nullptr); // entries match whole names only
    SetClient(form, 800, 600);
    EXPECT_EQ(Get(form, "Button1").Left(), 10);
    EXPECT_EQ(Get(form, "Button2").Left(), 20);
}

TEST_F(Exclusions, SettingTheSameTextAgainParsesAgainAndDesignModeOnlyStores) {
    auto& form = Load(FormText(""));
    auto& q = Component(form);
    q.SetNoResizeFntCtl("A;B");
    EXPECT_EQ(q.NoResizeFntCtls()->Count(), 2);
    q.SetNoResizeFntCtl("A;B");
    EXPECT_EQ(q.NoResizeFntCtls()->Count(), 2);

    auto& designed = Load(FormText("", "    NoResizeCtl = 'X;Y'\n"), /*designing=*/true);
    auto& dq = Component(designed);
    EXPECT_EQ(dq.NoResizeCtl(), "X;Y");
    EXPECT_EQ(dq.NoResizeCtls(), nullptr); // no lists exist in the designer
}

TEST_F(Exclusions, AnEmptyEntryMatchesAnUnnamedControl) {
    auto& form = Load(FormText("  object TButton\n    Left = 10\n    Top = 10\n"
                               "    Width = 50\n    Height = 20\n  end\n",
                               "    NoResizeCtl = ';'\n"));
    auto& q = Component(form);
    EXPECT_EQ(q.Ctrls()->Count(), 0);
}

} // namespace
} // namespace QuorvelTest
