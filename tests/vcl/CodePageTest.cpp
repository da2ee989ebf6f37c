// Form files saved in a legacy ANSI code page: strings come out as the text the
// designer saw, and the written text reads back the same in that page.
#include "quorvel/vcl/FormFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace Vcl;

const TCodePage kGbk{936};
const TCodePage kShiftJis{932};
const TCodePage kCyrillic{1251};

TFormTextOptions In(TCodePage codePage) {
    TFormTextOptions options;
    options.CodePage = codePage;
    return options;
}

String CaptionOf(const std::string& text, TCodePage codePage) {
    return ReadFormText("object F: TF\n  Caption = " + text + "\nend\n", In(codePage))
        .Properties.at(0)
        .Value.Str;
}

// Written in the page and read again in it, the model is the same.
void ExpectRoundTrip(const TFormObject& model, TCodePage codePage) {
    const String written = WriteFormText(model, codePage);
    EXPECT_EQ(ReadFormText(written, In(codePage)), model) << written;
}

TEST(CodePages, MultiByteStringsDecodeAsAWhole) {
    // 确定 in GBK, raw in the quotes, as #codes (older designers) and split over both.
    const String ok = "\xE7\xA1\xAE\xE5\xAE\x9A";
    EXPECT_EQ(CaptionOf("'\xC8\xB7\xB6\xA8'", kGbk), ok);
    EXPECT_EQ(CaptionOf("#200#183#182#168", kGbk), ok);
    EXPECT_EQ(CaptionOf("'\xC8'#183 + #182'\xA8'", kGbk), ok);
    // 表示 in Shift-JIS: the trail byte of 表 is a backslash, which a designer
    // writing codes for high bytes only left in the quotes.
    const String show = "\xE8\xA1\xA8\xE7\xA4\xBA";
    EXPECT_EQ(CaptionOf("'\x95\\\x8E\xA6'", kShiftJis), show);
    EXPECT_EQ(CaptionOf("#149'\\'#142#166", kShiftJis), show);
    // ファイル(&F): ASCII around the characters, a trail byte that is '@'.
    EXPECT_EQ(CaptionOf("'\x83t\x83@\x83"
                        "C\x83\x8B(&F)'",
                        kShiftJis),
              "\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB(&F)");
    // A code above 255 is a UTF-16 unit and ends a run of bytes.
    EXPECT_EQ(CaptionOf("'\xC8\xB7'#23450", kGbk), ok);
}

TEST(CodePages, SingleBytePagesAndTheDefault) {
    EXPECT_EQ(CaptionOf("'\xCF\xF0\xE8\xE2\xE5\xF2'", kCyrillic),
              "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"); // Привет
    EXPECT_EQ(CaptionOf("'\xD9\xEC\xDD\xE3\xE1'", TCodePage(1253)),
              "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1"); // Ωμέγα
    // The same bytes without a page named are Windows-1252, as they always were.
    EXPECT_EQ(ReadFormText("object F: TF\n  Caption = '\xCF\xF0'\nend\n").Properties[0].Value.Str,
              "\xC3\x8F\xC3\xB0");
    // With a page named, a file is UTF-8 by its byte-order mark only (the last
    // case of the test above is valid UTF-8 too); its #codes are bytes of the page.
    EXPECT_EQ(CaptionOf("'\xD0\x9F'#207", kCyrillic), "\xD0\xA0\xD1\x9F\xD0\x9F"); // РџП
    EXPECT_EQ(
        ReadFormText("\xEF\xBB\xBFobject F: TF\n  Caption = '\xD0\x9F'#207\nend\n", In(kCyrillic))
            .Properties[0]
            .Value.Str,
        "\xD0\x9F\xD0\x9F");
}

TEST(CodePages, BytesThatStartNoCharacterAreKeptAndWrittenBack) {
    // A lead byte at the end of the string, and one before a byte that cannot
    // follow it: each stands for the character of its own value.
    EXPECT_EQ(CaptionOf("'a\xC8'", kGbk), "a\xC3\x88");
    EXPECT_EQ(CaptionOf("'\x81 x'", kGbk), "\xC2\x81 x");
    for (const std::string text : {"'a\xC8'", "'\x81 x'", "'\x81'#64", "#129'@'"}) {
        TFormObject model = ReadFormText("object F: TF\n  Caption = " + text + "\nend\n", In(kGbk));
        ExpectRoundTrip(model, kGbk);
    }
}

TEST(CodePages, WrittenTextReadsBackTheSameInItsPage) {
    TFormObject model;
    model.Name = "F";
    model.ClassName = "TF";
    // Characters of every kind: CJK, Cyrillic, Latin-1 letters that the
    // multi-byte pages have no single byte for, C1 controls, a surrogate pair.
    for (const char* text : {"\xE7\xA1\xAE\xE5\xAE\x9A", "\xD0\x9F\xD1\x80", "caf\xC3\xA9 \xC2\xA9",
                             "\xC2\x81\xC2\x9D\xC2\x80", "\xF0\x9F\x98\x80", "\xEF\xBD\xB1 x"})
        model.Properties.push_back({"Caption", TFormValue::MakeString(text)});
    for (TCodePage page : {TCodePage::Windows1252, TCodePage::Latin1, kGbk, kShiftJis, kCyrillic,
                           TCodePage(949), TCodePage(950), TCodePage(1250), TCodePage(1258)})
        ExpectRoundTrip(model, page);
    // The default writer's text is today's: é as the code of its byte.
    EXPECT_NE(WriteFormText(model).find("#233"), String::npos);
    EXPECT_EQ(WriteFormText(model, kGbk).find("#233"), String::npos);
}

TEST(CodePages, UnknownOrUnsupportedPagesAreRefusedByNumber) {
    EXPECT_EQ(CodePageProblem(TCodePage::Windows1252), "");
    EXPECT_EQ(CodePageProblem(kGbk), "");
    for (unsigned number : {0u, 437u, 65001u, 99999u}) {
        const String problem = CodePageProblem(TCodePage(number));
        EXPECT_NE(problem.find("code page " + std::to_string(number)), String::npos) << problem;
        try {
            ReadFormText("object F: TF\nend\n", In(TCodePage(number)));
            ADD_FAILURE() << number << " was read";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Reason(), problem);
        }
        EXPECT_THROW(ReadFormBinary(std::string("TPF0\x02TF\x01"
                                                "F\x00\x00",
                                                10),
                                    In(TCodePage(number))),
                     EReadError);
    }
}

TEST(CodePages, BinaryFilesAnsiStringsFollowThePage) {
    // TPF0, class TF, name F, Caption as a short ANSI string (vaString) in GBK.
    std::string bytes = "TPF0\x02TF\x01"
                        "F";
    bytes += "\x07"
             "Caption";
    bytes += "\x06\x04\xC8\xB7\xB6\xA8";
    bytes += std::string(2, '\0');
    EXPECT_EQ(ReadFormBinary(bytes, In(kGbk)).Properties.at(0).Value.Str,
              "\xE7\xA1\xAE\xE5\xAE\x9A");
    EXPECT_EQ(ReadFormBinary(bytes).Properties.at(0).Value.Str, "\xC3\x88\xC2\xB7\xC2\xB6\xC2\xA8");
}

// Corpus files without a byte-order mark that hold bytes above 127 and are no
// UTF-8: read in the pages their projects were written in, their strings are the
// text the designer saw, and print's text reads back the same.
TEST(CodePages, CorpusFilesInLegacyPagesReadIntoTheirText) {
    namespace fs = std::filesystem;
    const fs::path root = fs::path(QUORVEL_CORPUS_DIR) / "text";
    if (!fs::is_directory(root))
        GTEST_SKIP() << "corpus not found at " << QUORVEL_CORPUS_DIR;
    int legacy = 0, cyrillic = 0, simSun = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream buffer;
        buffer << in.rdbuf();
        const std::string bytes = buffer.str();
        if (bytes.starts_with("\xEF\xBB\xBF") || IsValidUtf8(bytes) || !IsFormText(bytes))
            continue;
        ++legacy;
        for (TCodePage page : {TCodePage::Windows1252, kCyrillic, kGbk}) {
            TFormObject model = ReadFormText(bytes, In(page));
            ExpectRoundTrip(model, page);
        }
        const String path = entry.path().generic_string();
        // The Russian projects' captions and hints.
        if (path.find("/Globus/") != String::npos || path.find("Interpreter") != String::npos) {
            const String text = WriteFormText(ReadFormText(bytes, In(kCyrillic)));
            // Cyrillic letters are written as their UTF-16 codes, #1040 to #1103.
            if (text.find("#10") != String::npos)
                ++cyrillic;
        }
        // The docking demos name their font 宋体 (SimSun) in GBK.
        if (WriteFormText(ReadFormText(bytes, In(kGbk))).find("'#23435#20307") != String::npos ||
            WriteFormText(ReadFormText(bytes, In(kGbk))).find("= #23435#20307") != String::npos)
            ++simSun;
    }
    EXPECT_GE(legacy, 35);
    EXPECT_GE(cyrillic, 16);
    EXPECT_GE(simSun, 7);
}

} // namespace
