// Real form files from public projects: everything reads, round-trips, and
// mutated copies fail only with EReadError.
#include "quorvel/vcl/FormFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>

using namespace Vcl;
namespace fs = std::filesystem;

namespace {

struct TFile {
    std::string Path;
    std::string Bytes;
};

std::vector<TFile> LoadFiles(const std::string& folder) {
    std::vector<TFile> files;
    fs::path root = fs::path(QUORVEL_CORPUS_DIR) / folder;
    if (!fs::is_directory(root))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files.push_back({entry.path().string(), bytes.str()});
    }
    std::sort(files.begin(), files.end(),
              [](const TFile& a, const TFile& b) { return a.Path < b.Path; });
    return files;
}

const std::vector<TFile>& TextCorpus() {
    static const std::vector<TFile> files = LoadFiles("text");
    return files;
}

// Used when the corpus is absent, so the fuzz test still has a form to mutate.
const char* const kSampleForm = "object Form1: TForm1\r\n"
                                "  Caption = 'It''s'#13#10'here' +\r\n"
                                "    ' and there'\r\n"
                                "  Color = $00FF00FF\r\n"
                                "  Font.Style = [fsBold, fsItalic]\r\n"
                                "  Scale = 1.5E+3\r\n"
                                "  Ref = DataModule1.Query1\r\n"
                                "  Items.Strings = (\r\n"
                                "    'a'\r\n"
                                "    -1.25\r\n"
                                "    7)\r\n"
                                "  Data = {\r\n"
                                "    0A0B0C0D}\r\n"
                                "  Columns = <\r\n"
                                "    item\r\n"
                                "      Sub = <\r\n"
                                "        item\r\n"
                                "          W = 1\r\n"
                                "        end>\r\n"
                                "    end>\r\n"
                                "  object TPage [1]\r\n"
                                "    inline Frame1: TFrame1\r\n"
                                "      inherited B: TButton [0]\r\n"
                                "      end\r\n"
                                "    end\r\n"
                                "  end\r\n"
                                "end";

// Reading succeeded or failed cleanly; a model read must survive a round trip.
void CheckReadsSafely(const std::string& bytes, const std::string& what) {
    TFormObject model;
    try {
        model = ReadFormText(bytes);
    } catch (const EReadError&) {
        return;
    } catch (const std::exception& e) {
        FAIL() << what << ": " << typeid(e).name() << ": " << e.what();
    }
    String text = WriteFormText(model);
    TFormObject back = ReadFormText(text);
    ASSERT_EQ(back, model) << what;
    ASSERT_EQ(WriteFormText(back), text) << what;
}

} // namespace

TEST(FormFileCorpus, EveryTextFileReadsAndRoundTrips) {
    const auto& files = TextCorpus();
    if (files.empty())
        GTEST_SKIP() << "no corpus at " << QUORVEL_CORPUS_DIR;

    std::vector<TFormObject> models;
    models.reserve(files.size());
    std::size_t bytes = 0;
    auto start = std::chrono::steady_clock::now();
    for (const auto& file : files) {
        bytes += file.Bytes.size();
        TFormTextOptions options;
        options.FileName = file.Path;
        try {
            models.push_back(ReadFormText(file.Bytes, options));
        } catch (const EReadError& e) {
            ADD_FAILURE() << e.what();
            models.emplace_back();
        }
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "[ corpus   ] read " << files.size() << " files, " << bytes << " bytes, in "
              << seconds << " s\n";

    for (std::size_t i = 0; i < files.size(); ++i) {
        if (models[i].ClassName.empty())
            continue;
        EXPECT_TRUE(IsFormText(files[i].Bytes)) << files[i].Path;
        String text = WriteFormText(models[i]);
        TFormObject back = ReadFormText(text);
        EXPECT_EQ(back, models[i]) << files[i].Path;
        EXPECT_EQ(WriteFormText(back), text) << files[i].Path;
    }
}

TEST(FormFileCorpus, BinaryFilesAreNotText) {
    auto files = LoadFiles("binary");
    if (files.empty())
        GTEST_SKIP() << "no binary corpus at " << QUORVEL_CORPUS_DIR;
    for (const auto& file : files) {
        EXPECT_FALSE(IsFormText(file.Bytes)) << file.Path;
        EXPECT_THROW(ReadFormText(file.Bytes), EReadError) << file.Path;
    }
}

TEST(FormFileCorpus, MutatedFilesFailOnlyWithReadErrors) {
    std::vector<std::string> seeds;
    const auto& files = TextCorpus();
    // A spread of small and mid-sized real files, plus the one with raw ANSI bytes.
    for (std::size_t i = 0; i < files.size(); i += 37) {
        if (files[i].Bytes.size() < 40000)
            seeds.push_back(files[i].Bytes);
    }
    for (const auto& file : files) {
        if (file.Bytes.find('\xB5') != std::string::npos && file.Bytes.size() < 100000) {
            seeds.push_back(file.Bytes);
            break;
        }
    }
    seeds.push_back(kSampleForm);

    static const char kInteresting[] =
        "'#+-$(){}<>[]=:,.\r\n \t0179AEeFzZ_\x00\x1A\x7F\x80\xC3\xA9\xFF";
    std::mt19937 rng(20240607);
    auto pick = [&](std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(rng() % n); };
    int rounds = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = seeds[pick(seeds.size())];
        int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            std::size_t at = pick(bytes.size());
            std::size_t len = std::min<std::size_t>(1 + pick(64), bytes.size() - at);
            switch (rng() % 6) {
            case 0: bytes[at] = kInteresting[pick(sizeof kInteresting - 1)]; break;
            case 1: bytes[at] = static_cast<char>(rng()); break;
            case 2: bytes.insert(at, 1, kInteresting[pick(sizeof kInteresting - 1)]); break;
            case 3: bytes.erase(at, len); break;
            case 4: bytes.insert(pick(bytes.size()), bytes.substr(at, len)); break;
            default: bytes.resize(at); break;
            }
        }
        CheckReadsSafely(bytes, "round " + std::to_string(round));
        if (HasFatalFailure())
            return;
        ++rounds;
    }

    // Token soup reaches the grammar's corners that byte edits of real files rarely do.
    static const char* const kTokens[] = {
        "object ", "inherited ", "inline ", "end ", "item ",  "A",        "B.C", ": ", "TX",
        "[",       "]",          "2",       "=",    "(",      ")",        "<",   ">",  "{",
        "}",       "0A",         "'s'",     "#13",  "#55357", "#56832",   "+",   "\n", ",",
        "-1",      "$F",         "1.5",     "1e5",  "'",      "\xC3\xA9", "\xE9"};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = "object A: TA\n  P = ";
        int count = static_cast<int>(rng() % 40);
        for (int i = 0; i < count; ++i)
            bytes += kTokens[pick(std::size(kTokens))];
        if (rng() % 2)
            bytes += "\nend\n";
        CheckReadsSafely(bytes, "soup " + std::to_string(round) + ": " + bytes);
        if (HasFatalFailure())
            return;
        ++rounds;
    }
    EXPECT_EQ(rounds, 6000);
}
