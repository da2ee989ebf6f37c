// The real form files beside the repository, for the tests that walk them; an
// empty list when the folder is absent, so that those tests skip.
#pragma once

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace CorpusTest {

// Every file under the named kinds of the corpus ("text", "binary"), sorted.
inline std::vector<std::string> CorpusFiles(std::initializer_list<const char*> kinds = {"text"}) {
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    for (const char* kind : kinds) {
        const fs::path root = fs::path(QUORVEL_CORPUS_DIR) / kind;
        if (!fs::is_directory(root))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file())
                files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace CorpusTest
