#include "quorvel/vcl/FormFile.h"

#include <gtest/gtest.h>

#include <string>

using namespace Vcl;

namespace {

using TKind = TFormValue::TKind;

// The value of the one property of `object A: TA  P = <text>  end`.
TFormValue ValueOf(const std::string& valueText, const TFormTextOptions& options = {}) {
    TFormObject obj = ReadFormText("object A: TA\n  P = " + valueText + "\nend\n", options);
    EXPECT_EQ(obj.Properties.size(), 1u);
    return obj.Properties.at(0).Value;
}

String StringOf(const std::string& valueText, const TFormTextOptions& options = {}) {
    TFormValue v = ValueOf(valueText, options);
    EXPECT_EQ(v.Kind, TKind::String) << valueText;
    return v.Str;
}

EReadError ErrorOf(std::string_view text, const TFormTextOptions& options = {}) {
    try {
        ReadFormText(text, options);
    } catch (const EReadError& e) {
        return e;
    }
    ADD_FAILURE() << "no error for: " << text;
    return EReadError("none");
}

} // namespace

TEST(FormFileReader, HeadersChildrenAndPositions) {
    TFormObject root = ReadFormText("inherited Main: TMainForm\n"
                                    "  Caption = 'Main'\n"
                                    "  OBJECT TPage\n"
                                    "  End\n"
                                    "  inline Frame1: TFrame1 [2]\n"
                                    "    inherited Button1: TButton [0]\n"
                                    "      Left = 4\n"
                                    "    end\n"
                                    "  end\n"
                                    "end\n");
    EXPECT_EQ(root.Kind, TFormObject::TKind::Inherited);
    EXPECT_EQ(root.Name, "Main");
    EXPECT_EQ(root.ClassName, "TMainForm");
    EXPECT_FALSE(root.Index);
    ASSERT_EQ(root.Children.size(), 2u);

    const TFormObject& page = root.Children[0];
    EXPECT_EQ(page.Kind, TFormObject::TKind::Object);
    EXPECT_EQ(page.Name, "");
    EXPECT_EQ(page.ClassName, "TPage");
    EXPECT_EQ(page.Line, 3);
    EXPECT_EQ(page.Column, 3);

    const TFormObject& frame = root.Children[1];
    EXPECT_EQ(frame.Kind, TFormObject::TKind::Inline);
    EXPECT_EQ(frame.Index, 2);
    ASSERT_EQ(frame.Children.size(), 1u);
    const TFormObject& button = frame.Children[0];
    EXPECT_EQ(button.Kind, TFormObject::TKind::Inherited);
    EXPECT_EQ(button.Index, 0);
    ASSERT_EQ(button.Properties.size(), 1u);
    EXPECT_EQ(button.Properties[0].Line, 7);
    EXPECT_EQ(button.Properties[0].Column, 7);
    EXPECT_EQ(button.Properties[0].Value.Line, 7);
    EXPECT_EQ(button.Properties[0].Value.Column, 14);
}

TEST(FormFileReader, Numbers) {
    EXPECT_EQ(ValueOf("12").Int, 12);
    EXPECT_EQ(ValueOf("-11").Int, -11);
    EXPECT_EQ(ValueOf("-9223372036854775808").Int, INT64_MIN);

    TFormValue color = ValueOf("$00FF00FF");
    EXPECT_EQ(color.Kind, TKind::Integer);
    EXPECT_TRUE(color.Hex);
    EXPECT_EQ(color.Int, 0x00FF00FF);
    EXPECT_EQ(color.HexDigits, 8);
    EXPECT_EQ(ValueOf("-$1").Int, -1);
    EXPECT_EQ(ValueOf("$ffffffffffffffff").Int, -1); // hex spells the bit pattern
    EXPECT_EQ(ValueOf("-$8000000000000000").Int, INT64_MIN);

    for (auto [text, expected] : {std::pair{"1.5", 1.5},
                                  {"-0.25", -0.25},
                                  {"1.0E-5", 1.0E-5},
                                  {"2.5E+3", 2500.0},
                                  {"3e2", 300.0},
                                  {"1e-400", 0.0},
                                  {"1.123456789000000000", 1.123456789}}) {
        TFormValue v = ValueOf(text);
        EXPECT_EQ(v.Kind, TKind::Float) << text;
        EXPECT_EQ(v.Float, expected) << text;
    }
}

TEST(FormFileReader, FloatSuffixesGiveSinglesCurrenciesAndDates) {
    using T = TFormValue::TFloatType;
    TFormValue single = ValueOf("1.5s");
    EXPECT_EQ(single.Kind, TKind::Float);
    EXPECT_EQ(single.FloatType, T::Single);
    EXPECT_EQ(single.Float, 1.5);
    // Rounded to what a single holds, so fifteen digits give it back.
    EXPECT_EQ(ValueOf("0.1S").Float, static_cast<double>(0.1f));
    TFormValue currency = ValueOf("12c");
    EXPECT_EQ(currency.FloatType, T::Currency);
    EXPECT_EQ(currency.Int, 12);
    EXPECT_EQ(currency.Number(), 0.0012);
    EXPECT_EQ(ValueOf("922337203685477580C").Int, 922337203685477580); // exact beyond a double
    EXPECT_EQ(ValueOf("2.5c").Int, 2);                                 // halves to even
    EXPECT_EQ(ValueOf("-1.5E3c").Int, -1500);
    TFormValue date = ValueOf("0d");
    EXPECT_EQ(date.FloatType, T::Date);
    EXPECT_EQ(date.Float, 0.0);
    EXPECT_EQ(ValueOf("45123.541666666700000000D").Float, 45123.5416666667);
    EXPECT_EQ(ValueOf("(1.5s 2)").List[0].FloatType, T::Single);
    EXPECT_NE(ValueOf("1.5"), ValueOf("1.5s"));
    EXPECT_NE(ValueOf("1.5d"), ValueOf("1.5s"));

    for (const char* bad :
         {"1.5x", "1.5ss", "1.5s.", "12cd", "1e50s", "1e19c", "9223372036854775808c"})
        EXPECT_THROW(ValueOf(bad), EReadError) << bad;
}

TEST(FormFileReader, StringsJoinPartsCodesAndContinuations) {
    EXPECT_EQ(StringOf("'it''s'"), "it's");
    EXPECT_EQ(StringOf("#39"), "'");
    EXPECT_EQ(StringOf("''"), "");
    EXPECT_EQ(StringOf("'a'#13#10'b'"), "a\r\nb");
    EXPECT_EQ(StringOf("\n    'abc' +\n    'def' +\r\n    #9'g'"), "abcdef\tg");
    EXPECT_EQ(StringOf("#$41#0'x'"), std::string("A\0x", 3));
    // Above 255 a code is a UTF-16 unit; a pair joins, across '+' as well.
    EXPECT_EQ(StringOf("#1058#1077"), "\xD0\xA2\xD0\xB5");
    EXPECT_EQ(StringOf("#55357#56832"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(StringOf("'x'#55357 +\n  #56832"), "x\xF0\x9F\x98\x80");
    EXPECT_EQ(StringOf("#55357'a'"), "\xEF\xBF\xBD"
                                     "a");
    EXPECT_EQ(StringOf("#56832"), "\xEF\xBF\xBD");
}

TEST(FormFileReader, IdentsSetsListsBinaryAndCollections) {
    TFormValue ident = ValueOf("DataModule1.Query1");
    EXPECT_EQ(ident.Kind, TKind::Ident);
    EXPECT_EQ(ident.Str, "DataModule1.Query1");
    EXPECT_EQ(ValueOf("_colon_").Str, "_colon_");

    EXPECT_EQ(ValueOf("[fsBold, fsItalic]").Set, (std::vector<String>{"fsBold", "fsItalic"}));
    TFormValue emptySet = ValueOf("[]");
    EXPECT_EQ(emptySet.Kind, TKind::Set);
    EXPECT_TRUE(emptySet.Set.empty());

    TFormValue list = ValueOf("(\n    'a' +\n    'b'\n    1.5\n    -3 clRed\n    [x]\n    (1))");
    ASSERT_EQ(list.Kind, TKind::List);
    ASSERT_EQ(list.List.size(), 6u);
    EXPECT_EQ(list.List[0], TFormValue::MakeString("ab"));
    EXPECT_EQ(list.List[1], TFormValue::MakeFloat(1.5));
    EXPECT_EQ(list.List[2], TFormValue::MakeInteger(-3));
    EXPECT_EQ(list.List[3], TFormValue::MakeIdent("clRed"));
    EXPECT_EQ(list.List[4], TFormValue::MakeSet({"x"}));
    EXPECT_EQ(list.List[4].Line, 7); // positions of elements are their own
    EXPECT_EQ(list.List[5], TFormValue::MakeList({TFormValue::MakeInteger(1)}));
    EXPECT_EQ(ValueOf("(1 (2 3))").List[1],
              TFormValue::MakeList({TFormValue::MakeInteger(2), TFormValue::MakeInteger(3)}));

    EXPECT_EQ(ValueOf("{\n  0A0b FF\n  00}").Binary,
              (std::vector<std::uint8_t>{0x0A, 0x0B, 0xFF, 0x00}));
    EXPECT_TRUE(ValueOf("{}").Binary.empty());

    TFormValue coll = ValueOf("<\n    item\n      Width = 50\n      Sub = <\n        item\n"
                              "        end>\n    end\n    ITEM\n      Item = 'x'\n    end>");
    ASSERT_EQ(coll.Kind, TKind::Collection);
    ASSERT_EQ(coll.Items.size(), 2u);
    ASSERT_EQ(coll.Items[0].Properties.size(), 2u);
    EXPECT_EQ(coll.Items[0].Properties[1].Value.Items.size(), 1u);
    EXPECT_EQ(coll.Items[1].Properties[0].Name, "Item"); // a property, not a new item
    EXPECT_TRUE(ValueOf("<>").Items.empty());
}

TEST(FormFileReader, LineEndsBlanksAndBomDoNotChangeTheModel) {
    const std::string lf = "object F: TF\n  Font.Height = -11\n  S = 'a' +\n    'b'\n"
                           "  object B: TB\n  end\nend\n";
    TFormObject expected = ReadFormText(lf);
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(ReadFormText(crlf), expected);
    EXPECT_EQ(ReadFormText(lf.substr(0, lf.size() - 1)), expected); // no final newline
    EXPECT_EQ(ReadFormText("\xEF\xBB\xBF" + lf), expected);
    EXPECT_EQ(ReadFormText("object F: TF  \n\tFont.Height\t=\t-11  \n  S = 'a' + 'b' \n"
                           "  object B: TB end\nend\n\n\n"),
              expected);
}

TEST(FormFileReader, Utf8FilesAndAnsiCodePages) {
    // Valid UTF-8 (with or without BOM) reads as UTF-8; #128..#255 stay code-page bytes.
    const std::string utf8 =
        "object F: TF\n  Caption = '\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80'#233\nend\n";
    const String expected = "\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80\xC3\xA9";
    EXPECT_EQ(ReadFormText(utf8).Properties[0].Value.Str, expected);
    EXPECT_EQ(ReadFormText("\xEF\xBB\xBF" + utf8).Properties[0].Value.Str, expected);
    EXPECT_EQ(StringOf("#128"), "\xE2\x82\xAC"); // the euro sign in Windows-1252

    // Any invalid UTF-8 sequence makes the whole file ANSI.
    const std::string ansi = "'\xE9\x80\x81\x9D' + #150";
    EXPECT_EQ(StringOf(ansi), "\xC3\xA9\xE2\x82\xAC\xC2\x81\xC2\x9D\xE2\x80\x93");
    TFormTextOptions latin1;
    latin1.CodePage = TCodePage::Latin1;
    EXPECT_EQ(StringOf(ansi, latin1), "\xC3\xA9\xC2\x80\xC2\x81\xC2\x9D\xC2\x96");

    // Names may be non-ASCII in a UTF-8 file.
    TFormObject named = ReadFormText("object \xC3\x84nderung: TButton\nend");
    EXPECT_EQ(named.Name, "\xC3\x84nderung");
}

TEST(FormFileReader, ErrorsSayWhatAndWhere) {
    struct TCase {
        std::string Text;
        int Line;
        int Column;
        std::string Reason;
    };
    const TCase cases[] = {
        {"", 1, 1, "empty form file"},
        {"  form A: TA\nend", 1, 3, "expected 'object', 'inherited' or 'inline'"},
        {"object A: TA\n  P = 1 ?\nend", 2, 9, "unexpected character '?'"},
        {"object A: TA\n  Caption = 'abc\nend", 2, 13, "unterminated string"},
        {"object A: TA\n  Caption 'x'\nend", 2, 11, "expected '=' after property name 'Caption'"},
        {"object A: TA\n  Caption =\nend\n", 2, 12, "expected a value after '='"},
        {"object A: TA\n  P =", 2, 6, "expected a value after '='"},
        {"object A: TA\n  object B: TB\n    Left = 1\n  end\n", 5, 1,
         "missing 'end' of object 'A'"},
        {"object A: TA\nend\nend\n", 3, 1, "unexpected text after the 'end'"},
        {"object A: TA\nend\nobject B: TB\nend\n", 3, 1, "unexpected text after the 'end'"},
        {"object A: TA\n  P = 12abc\nend", 2, 7, "malformed number '12abc'"},
        {"object A: TA\n  P = 1.5.2\nend", 2, 7, "malformed number"},
        {"object A: TA\n  P = -x\nend", 2, 7, "malformed number"},
        {"object A: TA\n  P = 9223372036854775808\nend", 2, 7, "integer out of range"},
        {"object A: TA\n  P = $10000000000000000\nend", 2, 7, "integer out of range"},
        {"object A: TA\n  P = 1e999\nend", 2, 7, "number out of range"},
        {"object A: TA\n  P = #65536\nend", 2, 7, "character code out of range"},
        {"object A: TA\n  P = 'a' +\nend", 3, 1, "expected a string after '+'"},
        {"object A: TA\n  P = (\n    1\nend", 4, 1,
         "missing ')' of the list that starts on line 2"},
        {"object A: TA\n  P = {\n    0A1\n  }\nend", 2, 7, "odd number of hex digits"},
        {"object A: TA\n  P = {\n    0AX1}\nend", 3, 7, "unexpected character 'X'"},
        {"object A: TA\n  P = {\n    0A", 2, 7, "unterminated binary data"},
        {"object A: TA\n  P = <\n    item\n    end", 4, 8, "missing '>' of the collection"},
        {"object A: TA\n  P = <\n    thing\n  end>\nend", 3, 5, "expected 'item' or '>'"},
        {"object A: TA\n  P = <\n    item\n      object B: TB", 4, 7, "collection item"},
        {"object A: TA\n  P = [a b]\nend", 2, 10, "expected ',' or ']'"},
        {"object A: TA [x]\nend", 1, 15, "expected a child index"},
        {"object A:\nend", 2, 1, "expected a class name after ':'"},
        // Columns count characters: the two-byte e-acute is one column.
        {"object A: TA\n  P = '\xC3\xA9' ?\nend", 2, 11, "unexpected character '?'"},
        {"object A: TA\n  P = [a \xC3\xA9]\nend", 2, 10, "unexpected character U+00E9"},
        {"object end: TA\nend", 1, 8, "expected an object name or a class name, found 'end'"},
        {std::string("object A: TA\n  P = 1\x00\nend", 25), 2, 8, "unexpected byte 0x00"},
    };
    for (const auto& c : cases) {
        TFormTextOptions options;
        options.FileName = "Unit1.dfm";
        EReadError e = ErrorOf(c.Text, options);
        EXPECT_EQ(e.FileName(), "Unit1.dfm");
        EXPECT_EQ(e.Line(), c.Line) << c.Text << "\n" << e.what();
        EXPECT_EQ(e.Column(), c.Column) << c.Text << "\n" << e.what();
        EXPECT_NE(e.Reason().find(c.Reason), std::string::npos) << c.Text << "\n" << e.what();
        EXPECT_EQ(std::string(e.what()).rfind("Unit1.dfm:" + std::to_string(c.Line) + ":", 0), 0u);
    }
}

TEST(FormFileReader, NestingIsLimited) {
    auto nestedObjects = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += "object A: TA\n";
        for (int i = 0; i < depth; ++i)
            text += "end\n";
        return text;
    };
    EXPECT_NO_THROW(ReadFormText(nestedObjects(1000)));
    EReadError objects = ErrorOf(nestedObjects(1001));
    EXPECT_EQ(objects.Line(), 1001);
    EXPECT_NE(objects.Reason().find("nesting deeper than 1000"), std::string::npos);

    // Lists and collection items count too, so no value can recurse without bound.
    EReadError lists = ErrorOf("object A: TA\n  P = " + std::string(100000, '(') + "\nend");
    EXPECT_EQ(lists.Column(), 7 + 999);
    std::string items = "object A: TA\n  P = ";
    for (int i = 0; i < 5000; ++i)
        items += "< item Q = ";
    EXPECT_NE(ErrorOf(items).Reason().find("nesting"), std::string::npos);
}

TEST(FormFileReader, FindPropertyIgnoresCaseAndTakesTheLastValue) {
    TFormObject obj = ReadFormText("object A: TA\n  Left = 1\n  font.height = 2\n  LEFT = 3\nend");
    ASSERT_NE(obj.FindProperty("left"), nullptr);
    EXPECT_EQ(obj.FindProperty("left")->Value.Int, 3);
    EXPECT_EQ(obj.FindProperty("Font.Height")->Value.Int, 2);
    EXPECT_EQ(obj.FindProperty("Top"), nullptr);
}

TEST(FormFileReader, IsFormTextTellsTextFromBinary) {
    EXPECT_TRUE(IsFormText("object Form1: TForm1\nend"));
    EXPECT_TRUE(IsFormText("\xEF\xBB\xBF\r\n  INHERITED Form1: TForm1\nend"));
    EXPECT_TRUE(IsFormText("inline Frame1: TFrame1\nend"));
    EXPECT_FALSE(IsFormText(std::string("TPF0\x06TForm1\x05"
                                        "Form1",
                                        17)));
    EXPECT_FALSE(IsFormText(std::string("\xFF\x0A\x00\x06\x00TFORM1\x00\x30\x10", 14)));
    EXPECT_FALSE(IsFormText("objects are here"));
    EXPECT_FALSE(IsFormText("object"));
    EXPECT_FALSE(IsFormText(""));
}
