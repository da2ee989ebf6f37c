// The snapshots `quorvel run` takes of a form file, read leniently as the tool
// reads real forms, for tests of what is drawn from them.
#pragma once

#include "RunSession.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace ToolTest {

inline std::vector<QuorvelTool::TSnapshot> Snapshots(const std::string& file) {
    QuorvelTool::TRunOptions options;
    options.FormFile = file;
    options.Lenient = true;
    std::ostringstream warnings;
    QuorvelTool::TRunResult result = QuorvelTool::RunForm(options, warnings);
    EXPECT_TRUE(result.Loaded) << result.LoadError;
    return result.Snapshots;
}

} // namespace ToolTest
