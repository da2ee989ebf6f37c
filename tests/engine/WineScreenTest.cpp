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

} // namespace
} // namespace QuorvelTest
