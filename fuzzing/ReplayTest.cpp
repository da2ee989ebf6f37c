// Every minimized input in regressions/<target>/ runs through its target again,
// in every build of the test suite.
#include "FuzzTargets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

void Replay(const char* folder, void (*target)(std::string_view)) {
    const fs::path dir = fs::path(QUORVEL_FUZZ_REGRESSIONS) / folder;
    std::vector<fs::path> inputs;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.is_regular_file())
            inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    ASSERT_FALSE(inputs.empty()) << "no regression inputs in " << dir;
    for (const fs::path& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        try {
            target(bytes.str());
        } catch (const QuorvelFuzz::TFinding& finding) {
            ADD_FAILURE() << path.filename().string() << ": " << finding.What;
        }
    }
}

TEST(FuzzRegressions, TextReader) { Replay("text_reader", &QuorvelFuzz::FuzzTextReader); }
TEST(FuzzRegressions, BinaryReader) { Replay("binary_reader", &QuorvelFuzz::FuzzBinaryReader); }
TEST(FuzzRegressions, Loader) { Replay("loader", &QuorvelFuzz::FuzzLoader); }
TEST(FuzzRegressions, Core) { Replay("core", &QuorvelFuzz::FuzzCore); }
TEST(FuzzRegressions, Adapter) { Replay("adapter", &QuorvelFuzz::FuzzAdapter); }

} // namespace
