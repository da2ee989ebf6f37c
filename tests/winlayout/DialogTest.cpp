// The dialog scenarios on the simulated desktop configured like Wine's screen,
// from the same templates compiled into a .res file: the numbers must be Wine's
// (scenarios/WineDialogs.txt).
#include "quorvel/win/sim/SimDesktop.h"
#include "scenarios/DialogScenarios.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The dialog resources of a .res file by numeric name. Each entry: data size,
// header size, type and name (a string or 0xFFFF and an ordinal), then the rest
// of the header up to its size; entries start on 4-byte boundaries.
std::map<int, std::string> DialogResources(const std::string& res) {
    std::map<int, std::string> dialogs;
    std::size_t at = 0;
    auto word = [&](std::size_t offset) {
        std::uint16_t v = 0;
        std::memcpy(&v, res.data() + offset, 2);
        return v;
    };
    while (at + 8 <= res.size()) {
        std::uint32_t dataSize = 0, headerSize = 0;
        std::memcpy(&dataSize, res.data() + at, 4);
        std::memcpy(&headerSize, res.data() + at + 4, 4);
        if (headerSize < 16 || at + headerSize + dataSize > res.size())
            break;
        const bool ordinals = word(at + 8) == 0xFFFF && word(at + 12) == 0xFFFF;
        if (ordinals && word(at + 10) == 5)
            dialogs[word(at + 14)] = res.substr(at + headerSize, dataSize);
        at = (at + headerSize + dataSize + 3) / 4 * 4;
    }
    return dialogs;
}

TEST(DialogTemplates, LayOutAsTheCoreSaysAndAsUnderWine) {
#ifndef QUORVEL_DIALOGS_RES
    GTEST_SKIP() << "no resource compiler (windres) was found to compile Dialogs.rc";
#else
    const std::map<int, std::string> dialogs = DialogResources(ReadText(QUORVEL_DIALOGS_RES));
    ASSERT_EQ(dialogs.size(), 6u);
    Sim::TDesktopConfig config = Sim::WineLikeConfig();
    config.ComboBoxes = Sim::TComboBoxes::Wine;
    Sim::TDesktop desktop(config);
    const std::size_t fonts = desktop.FontCount();
    const DialogScenarios::TTemplateSource source = [&](int id) -> const void* {
        auto it = dialogs.find(id);
        return it == dialogs.end() ? nullptr : it->second.data();
    };
    const DialogScenarios::TMeasures measured =
        DialogScenarios::RunAll(source, [](const std::string& what) { ADD_FAILURE() << what; });
    EXPECT_EQ(desktop.FontCount(), fonts) << "the dialogs' and the layout's fonts are all deleted";
    if (!desktop.MeasuresFontFiles())
        GTEST_SKIP() << "text is measured approximately (no FreeType or font files), not as Wine";
    const auto expected = DialogScenarios::ParseMeasures(
        ReadText(std::string(QUORVEL_SOURCE_DIR) + "/tests/scenarios/WineDialogs.txt"));
    for (const std::string& diff : DialogScenarios::Compare(measured, expected))
        ADD_FAILURE() << diff;
#endif
}

} // namespace
