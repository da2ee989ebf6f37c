// Every real form file of the corpus runs as `quorvel run --lenient FILE client
// 1600x900` does, in-process: without a crash, and with a tally of how many load,
// start the component and lay out.
#include "RunSession.h"
#include "quorvel/vcl/ClassRegistry.h"
#include "quorvel/vcl/Controls.h"
#include "quorvel/vcl/FormStreaming.h"
#include "quorvel/win/sim/SimDesktop.h"
#include "support/Corpus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <tuple>

namespace {

using CorpusTest::CorpusFiles;

using namespace QuorvelTool;

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
    // Controls the loaded form has and the report listed; components of non-visual
    // classes (registered, or guessed so) the report listed as controls.
    std::size_t Controls = 0, Unlisted = 0, Listed = 0, NonVisualListed = 0;
};

using TControlKey = std::tuple<std::string, std::string, std::string>; // owner, name, class

// Every control the form file makes, whoever owns it; the root is the form
// (or the frame that the tool puts on a form of its own).
void CollectControls(const Vcl::TComponent& owner, std::multiset<TControlKey>& out, int depth) {
    for (int i = 0; i < owner.ComponentCount() && depth < 64; ++i) {
        const Vcl::TComponent& c = *owner.Components(i);
        if (dynamic_cast<const Vcl::TControl*>(&c))
            out.emplace(owner.Name(), c.Name(), c.ClassName());
        CollectControls(c, out, depth + 1);
    }
}

// The report's control table holds every control of the form and nothing else:
// no image list, action list, dialog, menu or timer, and no component of an
// unknown class that lenient reading took for a non-visual one.
void CheckControlTable(const std::string& file, const TRunResult& result, TTally& tally) {
    std::multiset<TControlKey> controls;
    {
        Sim::TDesktop desktop;
        Vcl::TFormLoadOptions options;
        options.Lenient = true;
        CollectControls(*Vcl::LoadFormFile(file, options), controls, 0);
    }
    const std::set<std::string> guessed(result.GuessedClasses.begin(), result.GuessedClasses.end());
    std::multiset<TControlKey> listed;
    for (const TControlState& c : result.Snapshots.front().Controls) {
        if (c.Owner == "FrameHost")
            continue; // the frame itself
        listed.emplace(c.Owner, c.Name, c.ClassName);
        ++tally.Listed;
        const Vcl::TClassInfo* info = Vcl::GetClass(c.ClassName);
        if ((info && !info->InheritsFrom(&Vcl::TControl::StaticClass())) ||
            guessed.count(c.ClassName + ": component")) {
            ++tally.NonVisualListed;
            ADD_FAILURE() << file << ": " << c.Name << ": " << c.ClassName
                          << " is listed as a control";
        }
    }
    tally.Controls += controls.size();
    for (const TControlKey& key : controls)
        if (!listed.count(key)) {
            ++tally.Unlisted;
            ADD_FAILURE() << file << ": the control " << std::get<1>(key) << ": "
                          << std::get<2>(key) << " of " << std::get<0>(key) << " is not listed";
        }
}

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

TTally RunAll(const std::vector<std::string>& files, bool attach, bool checkTable = false) {
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
        if (checkTable && !result.Snapshots.empty())
            CheckControlTable(file, result, tally);
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
    const TTally plain = RunAll(files, false, true);
    Report("as they are", plain);
    // Lenient reading takes every file; a form without the component stays as it is.
    EXPECT_EQ(plain.Loaded, plain.Files);
    EXPECT_EQ(plain.LaidOut, plain.Loaded);
    // The reports list every control and no component: 19,480 controls today (completion
    // proposals and tray icons are components, not controls).
    std::cout << "[ corpus   ] " << plain.Listed << " controls listed, " << plain.Unlisted << " of "
              << plain.Controls << " not listed, " << plain.NonVisualListed
              << " components listed as controls\n";
    EXPECT_GE(plain.Controls, 19480u);
    EXPECT_EQ(plain.Unlisted, 0u);
    EXPECT_EQ(plain.NonVisualListed, 0u);

    const TTally attached = RunAll(files, true);
    Report("with --attach", attached);
    EXPECT_EQ(attached.Loaded, attached.Files);
    // Every form with a client area and controls starts the attached component.
    EXPECT_GT(attached.Started, attached.Files * 9 / 10);
    EXPECT_GT(attached.Moved, attached.Files / 2);
}

} // namespace
