// The published properties: what a new instance holds, what the form file gets
// and in which order, and what the designer does with them.
#include "support/QuorvelFixture.h"

#include "quorvel/vcl/Filer.h"

namespace QuorvelTest {
namespace {

using namespace Vcl;
using Names = std::vector<std::string>;

class Properties : public TQuorvelFixture {};

Names NamesOf(const std::vector<std::pair<std::string, std::string>>& properties) {
    Names names;
    for (const auto& p : properties)
        names.push_back(p.first);
    return names;
}

const std::string Bare = "object Form1: TForm1\n  ClientHeight = 300\n  ClientWidth = 400\n"
                         "  object Quorvel1: TQuorvel\n  end\nend\n";

TEST_F(Properties, NewInstanceDefaults) {
    TForm owner(nullptr);
    auto* q = new TQuorvel(&owner);
    EXPECT_EQ(q->FormPos(), Quorvel::rpDefault);
    EXPECT_EQ((std::array{q->FormWidth(), q->FormHeight(), q->FormMaxWidth(), q->FormMaxHeight(),
                          q->FormMinWidth(), q->FormMinHeight()}),
              (std::array{0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(q->ResizeFont());
    EXPECT_TRUE(q->Enabled());
    EXPECT_TRUE(q->ValidTaskbar());
    EXPECT_EQ(q->NoResizeFntCtl(), "");
    EXPECT_EQ(q->NoResizeCtl(), "");
    EXPECT_FALSE(q->OnExitResize.Assigned());
    const auto state = q->State();
    EXPECT_EQ(state.PrevScaleX, 1.0);
    EXPECT_EQ(state.PrevScaleY, 1.0);
    EXPECT_EQ(state.PrevScaleF, 1.0);
    EXPECT_EQ((std::array{state.DesignFrmW, state.DesignFrmH, state.DesignDpiW, state.DesignDpiH}),
              (std::array{0, 0, 0, 0}));
    EXPECT_FALSE(state.IsResized);
    EXPECT_FALSE(state.Registered);
    EXPECT_FALSE(state.Subclassed);
    ASSERT_NE(q->Ctrls(), nullptr);
    EXPECT_EQ(q->Ctrls()->Count(), 0);
    EXPECT_EQ(q->NoResizeCtls()->Count(), 0);

    // In the designer the same values, and no lists.
    TForm designed(nullptr);
    designed.SetDesigning(true);
    auto* d = new TQuorvel(&designed);
    EXPECT_TRUE(d->Designing());
    EXPECT_TRUE(d->Enabled());
    EXPECT_EQ(d->FormPos(), Quorvel::rpDefault);
    EXPECT_EQ(d->Ctrls(), nullptr);
    EXPECT_EQ(d->ChildCtrls(), nullptr);
    EXPECT_EQ(d->NoResizeCtls(), nullptr);
}

TEST_F(Properties, OrdinalPropertiesAreAlwaysWrittenThenTheDesignValues) {
    auto& form = Load(Bare);
    const auto written = ObjectProperties(SaveFormText(form), "object Quorvel1: TQuorvel");
    const std::vector<std::pair<std::string, std::string>> expected{
        {"FormPos", "rpDefault"}, {"FormWidth", "0"},     {"FormHeight", "0"},
        {"FormMaxWidth", "0"},    {"FormMaxHeight", "0"}, {"FormMinWidth", "0"},
        {"FormMinHeight", "0"},   {"ResizeFont", "True"}, {"Enabled", "True"},
        {"ValidTaskbar", "True"}, {"DesignFrmW", "400"},  {"DesignFrmH", "300"},
        {"DesignDpiW", "96"},     {"DesignDpiH", "96"}};
    EXPECT_EQ(written, expected);
}

TEST_F(Properties, EveryPropertyInDeclarationOrderBeforeTheDefinedOnes) {
    const std::string text =
        FormText("", "    Left = 48\n    Top = 8\n"
                     "    FormPos = rpBottomCenter\n    FormWidth = 800\n"
                     "    FormHeight = 600\n    FormMaxWidth = 1000\n"
                     "    FormMaxHeight = 700\n    FormMinWidth = 300\n"
                     "    FormMinHeight = 200\n    ResizeFont = False\n"
                     "    NoResizeFntCtl = 'Label1'\n    NoResizeCtl = 'Panel1'\n"
                     "    Enabled = False\n    ValidTaskbar = False\n"
                     "    OnExitResize = Quorvel1ExitResize\n");
    auto& form = Load(text);
    const auto written = ObjectProperties(SaveFormText(form), "object Quorvel1: TQuorvel");
    EXPECT_EQ(NamesOf(written),
              (Names{"FormPos", "FormWidth", "FormHeight", "FormMaxWidth", "FormMaxHeight",
                     "FormMinWidth", "FormMinHeight", "ResizeFont", "NoResizeFntCtl", "NoResizeCtl",
                     "Enabled", "ValidTaskbar", "OnExitResize", "Left", "Top", "DesignFrmW",
                     "DesignFrmH", "DesignDpiW", "DesignDpiH"}));
    auto& q = Component(form);
    EXPECT_EQ(q.FormPos(), Quorvel::rpBottomCenter);
    EXPECT_EQ(q.FormMinHeight(), 200);
    EXPECT_FALSE(q.ResizeFont());
    EXPECT_FALSE(q.Enabled());
    EXPECT_FALSE(q.ValidTaskbar());
    EXPECT_EQ(q.NoResizeCtls()->Count(), 1);

    // What was written reads back to the same values.
    ReleaseForms();
    auto& again = Load(SaveFormText(Load(text)));
    EXPECT_EQ(ObjectProperties(SaveFormText(again), "object Quorvel1: TQuorvel"), written);
}

TEST_F(Properties, DesignerOnlyStoresEnabledValidTaskbarAndFormPos) {
    Sim::TDesktopConfig config;
    config.OsMajor = 4; // where construction and Enabled would install the hook
    UseDesktop(config);
    auto& form = Load(FormText("", "    FormPos = rpTopLeft\n    Enabled = False\n"
                                   "    ValidTaskbar = False\n"),
                      true);
    auto& q = Component(form);
    EXPECT_EQ(Desktop->HookCount(), 0u);
    q.SetEnabled(true);
    q.SetValidTaskbar(true);
    q.SetFormPos(Quorvel::rpMiddleCenter);
    EXPECT_TRUE(q.Enabled());
    EXPECT_TRUE(q.ValidTaskbar());
    EXPECT_EQ(q.FormPos(), Quorvel::rpMiddleCenter);
    EXPECT_EQ(Desktop->HookCount(), 0u);
    EXPECT_EQ(Desktop->WindowCount(), 0u);
    EXPECT_FALSE(q.State().Registered);
    EXPECT_EQ(Quorvel::InstanceList->Count(), 0);
}

} // namespace
} // namespace QuorvelTest
