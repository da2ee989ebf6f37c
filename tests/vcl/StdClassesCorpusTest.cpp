// Real form files through the framework: every one loads leniently into live
// components, and its written form is a fixed point of reading and writing.
#include "vcl/VclTestSupport.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>

using namespace Vcl;
using namespace VclTest;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> CorpusFiles() {
    std::vector<std::string> files;
    fs::path root = fs::path(QUORVEL_CORPUS_DIR) / "text";
    if (!fs::is_directory(root))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

TEST(StdClassesCorpus, EveryFileLoadsAndItsWrittenFormIsStable) {
    const std::vector<std::string> files = CorpusFiles();
    if (files.empty())
        GTEST_SKIP() << "no corpus at " << QUORVEL_CORPUS_DIR "/text";

    TFormLoadOptions options;
    options.Lenient = true;
    std::size_t failures = 0, unstable = 0, components = 0;
    auto start = std::chrono::steady_clock::now();
    for (const std::string& path : files) {
        Sim::TDesktop desktop;
        try {
            std::unique_ptr<TComponent> root = LoadFormFile(path, options);
            components += static_cast<std::size_t>(root->ComponentCount());
            String first = SaveFormText(*root);
            root.reset();
            TFormLoadOptions again = options;
            again.FileName = path; // frames are still found beside the original
            String second = SaveFormText(*LoadFormText(first, again));
            if (second != first) {
                ++unstable;
                ADD_FAILURE() << path << ": written form changes when read again";
            }
        } catch (const std::exception& e) {
            ++failures;
            ADD_FAILURE() << path << ": " << e.what();
        }
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "[ corpus   ] " << files.size() << " files, " << components
              << " top-level components, " << failures << " failed, " << unstable << " unstable, "
              << seconds << " s\n";
}
