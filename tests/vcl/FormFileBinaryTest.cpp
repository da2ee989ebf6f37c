// Binary form files (the TPF0 component stream) read into the same model as text.
#include "quorvel/vcl/FormFile.h"

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace Vcl;

// Builds a component stream by hand, as the designer writes it.
class TStream {
public:
    TStream& Raw(std::initializer_list<int> bytes) {
        for (int b : bytes)
            FBytes += static_cast<char>(b);
        return *this;
    }
    TStream& Short(std::string_view s) {
        FBytes += static_cast<char>(s.size());
        FBytes += s;
        return *this;
    }
    TStream& Int32(std::int32_t v) {
        for (int i = 0; i < 4; ++i)
            FBytes += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
        return *this;
    }
    const std::string& Bytes() const { return FBytes; }

private:
    std::string FBytes;
};

std::string EveryValueKind() {
    TStream s;
    s.Raw({'T', 'P', 'F', '0'}).Short("TForm1").Short("Form1");
    s.Short("Left").Raw({2, 0xF6});                                   // vaInt8 -10
    s.Short("Width").Raw({3, 0x2C, 0x01});                            // vaInt16 300
    s.Short("Tag").Raw({4}).Int32(100000);                            // vaInt32
    s.Short("Caption").Raw({6}).Short("Caf\xE9");                     // vaString, ANSI
    s.Short("Hint").Raw({18}).Int32(2).Raw({0xE5, 0x65, 0x2C, 0x67}); // vaWString 日本
    s.Short("Color").Raw({7}).Short("clBtnFace");                     // vaIdent
    s.Short("Visible").Raw({9});                                      // vaTrue
    s.Short("Font.Style").Raw({11}).Short("fsBold").Short("fsItalic").Raw({0});
    s.Short("Scale").Raw({5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}); // vaExtended 1.5
    s.Short("Data").Raw({10}).Int32(3).Raw({1, 2, 0xFF});             // vaBinary
    s.Short("Items.Strings").Raw({1, 6}).Short("a").Raw({6}).Short("b").Raw({0});
    s.Short("Columns").Raw({14, 1}).Short("Width").Raw({2, 64}).Raw({0, 0}); // collection
    s.Raw({0});                                                              // end of properties
    // An inherited child with a child position.
    s.Raw({0xF3, 2, 1}).Short("TButton").Short("Button1").Short("Top").Raw({2, 8}).Raw({0, 0});
    s.Raw({0}); // end of children
    return s.Bytes();
}

TEST(FormFileBinary, EveryValueKindReadsIntoTheTextModel) {
    const TFormObject root = ReadFormDocument(EveryValueKind());
    const TFormObject expected = ReadFormText(
        "object Form1: TForm1\n"
        "  Left = -10\n  Width = 300\n  Tag = 100000\n"
        "  Caption = 'Caf'#233\n  Hint = #26085#26412\n  Color = clBtnFace\n  Visible = True\n"
        "  Font.Style = [fsBold, fsItalic]\n  Scale = 1.5\n  Data = {0102FF}\n"
        "  Items.Strings = (\n    'a'\n    'b')\n"
        "  Columns = <\n    item\n      Width = 64\n    end>\n"
        "  inherited Button1: TButton [1]\n    Top = 8\n  end\n"
        "end\n");
    EXPECT_EQ(root, expected);
    // A resource header before the stream is skipped.
    std::string wrapped = std::string("\xFF\x0A\x00TFORM1\x00\x30\x10", 12) + std::string(4, 0);
    EXPECT_EQ(ReadFormDocument(wrapped + EveryValueKind()), expected);
    EXPECT_TRUE(IsFormBinary(wrapped + EveryValueKind()));
    EXPECT_FALSE(IsFormBinary("object Form1: TForm1\nend\n"));
}

// Singles, currencies and dates keep their type and are written with the suffix
// the designer gives them, in the digits it uses.
TEST(FormFileBinary, SinglesCurrenciesAndDatesWriteBackWithTheirSuffix) {
    auto le = [](TStream& s, std::uint64_t bits, int size) {
        for (int i = 0; i < size; ++i)
            s.Raw({static_cast<int>((bits >> (8 * i)) & 0xFF)});
    };
    TStream s;
    s.Raw({'T', 'P', 'F', '0'}).Short("TForm1").Short("Form1");
    s.Short("Ratio").Raw({15});
    le(s, std::bit_cast<std::uint32_t>(0.1f), 4); // vaSingle
    s.Short("Price").Raw({16});
    le(s, static_cast<std::uint64_t>(std::int64_t{-125000}), 8); // vaCurrency -12.5
    s.Short("Stamp").Raw({17});
    le(s, std::bit_cast<std::uint64_t>(45123.5), 8); // vaDate
    s.Short("Odd").Raw({17});
    le(s, std::bit_cast<std::uint64_t>(0.1 + 0.2), 8); // a date fifteen digits lose
    s.Short("Plain").Raw({21});
    le(s, std::bit_cast<std::uint64_t>(2.25), 8); // vaDouble: no suffix
    s.Raw({0, 0});
    const TFormObject root = ReadFormDocument(s.Bytes());
    const String text = WriteFormText(root);
    EXPECT_NE(text.find("Ratio = 0.100000001490116s\n"), String::npos) << text;
    EXPECT_NE(text.find("Price = -125000c\n"), String::npos) << text;
    EXPECT_NE(text.find("Stamp = 45123.5d\n"), String::npos) << text;
    EXPECT_NE(text.find("Odd = 0.30000000000000004d\n"), String::npos) << text;
    EXPECT_NE(text.find("Plain = 2.25\n"), String::npos) << text;
    EXPECT_EQ(ReadFormText(text), root);
    EXPECT_EQ(root.FindProperty("Price")->Value.Number(), -12.5);
    EXPECT_EQ(root.FindProperty("Ratio")->Value.Float, static_cast<double>(0.1f));
}

TEST(FormFileBinary, EveryTruncationIsAReadErrorNamingTheOffset) {
    const std::string bytes = EveryValueKind();
    for (std::size_t n = 4; n < bytes.size(); ++n) {
        SCOPED_TRACE(n);
        try {
            ReadFormBinary(bytes.substr(0, n), {"cut.dfm"});
            ADD_FAILURE() << "a cut stream read";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.FileName(), "cut.dfm");
            EXPECT_NE(e.Reason().find("at byte"), std::string::npos);
        }
    }
}

TEST(FormFileBinary, CorpusFilesReadOrFailCleanlyAndWriteAsStableText) {
    const std::filesystem::path dir = std::filesystem::path(QUORVEL_CORPUS_DIR) / "binary";
    if (!std::filesystem::exists(dir))
        GTEST_SKIP() << "no corpus at " << dir;
    int read = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        try {
            const TFormObject root = ReadFormDocument(bytes.str());
            const String text = WriteFormText(root);
            EXPECT_EQ(ReadFormText(text), root) << entry.path();
            ++read;
        } catch (const EReadError&) {
            // One file of the corpus had its CR bytes turned into LF when it was
            // copied as text; it must fail as a read error, nothing worse.
        }
    }
    EXPECT_GE(read, 10);
}

} // namespace
