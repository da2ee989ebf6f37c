// Every real form file of the corpus runs as `quorvel run --lenient FILE client
// 1600x900` does, in-process: without a crash, and with a tally of how many load,
// start the component and lay out.
#include "RunSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using namespace QuorvelTool;

std::vector<std::string> CorpusFiles() {
    std::vector<std::string> files;
    const fs::path root = fs::path(QUORVEL_CORPUS_DIR) / "text";
    if (!fs::is_directory(root))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// The form itself is auto-sized: its own properties are the ones indented once.
bool RootAutoSized(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("  AutoSize = True", 0) == 0)
            return true;
    return false;
}

struct TTally {
    int Files = 0, Loaded = 0, Started = 0, LaidOut = 0, Moved = 0, Failed = 0;
};

bool AnyControlMoved(const TRunResult& result) {
    if (result.Snapshots.size() < 2)
        return false;
    const auto& before = result.Snapshots.front().Controls;
    const auto& after = result.Snapshots.back().Controls;
    for (std::size_t i = 0; i < std::min(before.size(), after.size()); ++i)
        if (before[i].Left != after[i].Left || before[i].Width != after[i].Width ||
            before[i].Top != after[i].Top || before[i].Height != after[i].Height)
            return true;
    return false;
}

TTally RunAll(const std::vector<std::string>& files, bool attach) {
    TTally tally;
    for (const std::string& file : files) {
        TRunOptions options;
        options.FormFile = file;
        options.Lenient = true;
        options.Attach = attach;
        options.Actions = ParseActions({"client", "1600x900"});
        std::ostringstream warnings;
        const TRunResult result = RunForm(options, warnings);
        ++tally.Files;
        if (!result.Loaded)
            continue;
        ++tally.Loaded;
        tally.Started += result.Started;
        if (result.ActionFailed) {
            ++tally.Failed;
            continue;
        }
        ++tally.LaidOut;
        tally.Moved += AnyControlMoved(result);
        // The report stays complete whatever the form: a snapshot per step.
        EXPECT_EQ(result.Snapshots.size(), 2u) << file;
        // A form sized to its children keeps the size they give it.
        if (!RootAutoSized(file)) {
            EXPECT_EQ(result.Snapshots.back().ClientWidth, 1600) << file;
        }
    }
    return tally;
}

void Report(const char* what, const TTally& t) {
    std::cout << "[ corpus   ] " << what << ": " << t.Files << " files, " << t.Loaded << " load, "
              << t.Started << " start, " << t.LaidOut << " lay out (" << t.Moved
              << " with controls moved), " << t.Failed << " failed\n";
}

TEST(CorpusRun, EveryFileRunsWithoutACrash) {
    const auto files = CorpusFiles();
    if (files.empty())
        GTEST_SKIP() << "corpus not found at " << QUORVEL_CORPUS_DIR;
    const TTally plain = RunAll(files, false);
    Report("as they are", plain);
    // Lenient reading takes every file; a form without the component stays as it is.
    EXPECT_EQ(plain.Loaded, plain.Files);
    EXPECT_EQ(plain.LaidOut, plain.Loaded);

    const TTally attached = RunAll(files, true);
    Report("with --attach", attached);
    EXPECT_EQ(attached.Loaded, attached.Files);
    // Every form with a client area and controls starts the attached component.
    EXPECT_GT(attached.Started, attached.Files * 9 / 10);
    EXPECT_GT(attached.Moved, attached.Files / 2);
}

} // namespace
