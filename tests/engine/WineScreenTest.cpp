// The component on the simulated desktop configured like Wine's screen must
// measure what it measured on real windows under Wine (tests/native runs the
// same scenarios and compares with the same file).
#include "scenarios/WineScreenScenarios.h"
#include "support/QuorvelFixture.h"

#include <fstream>
#include <sstream>

namespace QuorvelTest {
namespace {

std::string ReadExpected() {
    std::ifstream in(std::string(QUORVEL_SOURCE_DIR) + "/tests/scenarios/WineScreen.txt");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class WineScreen : public TQuorvelFixture {
protected:
    void SetUp() override { UseDesktop(Sim::WineLikeConfig()); }
};

TEST_F(WineScreen, SimulationMeasuresWhatWineMeasured) {
    auto expected = ::WineScreen::ParseMeasures(ReadExpected());
    EXPECT_GT(expected.size(), 50u) << "tests/scenarios/WineScreen.txt is missing or short";
    auto measured = ::WineScreen::RunAll();
    // Text is measured as Wine measures it only from the same font files.
    const bool fonts = Sim::TDesktop::Current().MeasuresFontFiles();
    if (!fonts) {
        expected = ::WineScreen::WithoutText(expected);
        measured = ::WineScreen::WithoutText(measured);
    }
    const auto diffs = ::WineScreen::Compare(measured, expected);
    for (const std::string& diff : diffs)
        ADD_FAILURE() << diff;
    if (!diffs.empty())
        std::printf("Measured on the simulated desktop:\n%s",
                    ::WineScreen::FormatMeasures(measured).c_str());
    if (!fonts)
        GTEST_SKIP() << "no FreeType or font files: text measures left out of the comparison";
}

// The edits and combo boxes Wine sized at the pixel heights of 144 DPI are as
// high on a simulated 144-DPI screen, where the same forms' point sizes make
// those heights; check boxes and radio buttons keep the height they were given.
TEST_F(WineScreen, A144DpiScreenSizesEditsAndComboBoxesAsWineDid) {
    Sim::TDesktopConfig config = Sim::WineLikeConfig();
    config.Monitors[0].Dpi = 144;
    UseDesktop(config);
    if (!Sim::TDesktop::Current().MeasuresFontFiles())
        GTEST_SKIP() << "no FreeType or font files";
    const auto expected = ::WineScreen::ParseMeasures(ReadExpected());
    auto heightOf = [&](const std::string& name) {
        for (const auto& m : expected)
            if (m.Name == name) {
                const auto x = m.Value.find(") ");
                return std::stoi(m.Value.substr(m.Value.find('x', x) + 1));
            }
        ADD_FAILURE() << name << " is not in WineScreen.txt";
        return -1;
    };
    for (const auto& [face, points] : ::WineScreen::kHeightFonts) {
        Vcl::TCustomForm& form = Load(::WineScreen::ControlHeightsForm(face, points));
        form.Show();
        const std::string step = ::WineScreen::ControlHeightsStep(face, points, 144);
        for (const char* name : {"Edit1", "Combo1", "Combo2"})
            EXPECT_EQ(dynamic_cast<Vcl::TControl*>(form.FindComponent(name))->Height(),
                      heightOf(step + name))
                << step << name;
        for (const char* name : {"Check1", "Radio1"})
            EXPECT_EQ(dynamic_cast<Vcl::TControl*>(form.FindComponent(name))->Height(), 17)
                << step << name;
    }
}

} // namespace
} // namespace QuorvelTest
