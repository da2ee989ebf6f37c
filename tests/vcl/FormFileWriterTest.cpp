#include "quorvel/vcl/FormFile.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>

using namespace Vcl;

namespace {

TFormProperty Prop(String name, TFormValue value) {
    TFormProperty p;
    p.Name = std::move(name);
    p.Value = std::move(value);
    return p;
}

TFormObject Object(String name, String className, std::vector<TFormProperty> props = {}) {
    TFormObject obj;
    obj.Name = std::move(name);
    obj.ClassName = std::move(className);
    obj.Properties = std::move(props);
    return obj;
}

TFormValue Hex(std::int64_t v, int digits) {
    TFormValue value = TFormValue::MakeInteger(v);
    value.Hex = true;
    value.HexDigits = digits;
    return value;
}

std::string Repeat(const std::string& s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i)
        r += s;
    return r;
}

TFormObject WithValue(TFormValue v) { return Object("A", "TA", {Prop("P", std::move(v))}); }

// Reading the text back gives the same model, and writing that gives the same text.
void ExpectRoundTrip(const TFormObject& model, const TFormTextOptions& options = {}) {
    String text = WriteFormText(model);
    TFormObject back = ReadFormText(text, options);
    EXPECT_EQ(back, model) << text;
    EXPECT_EQ(WriteFormText(back), text);
}

} // namespace

TEST(FormFileWriter, CanonicalLayout) {
    TFormCollectionItem item;
    item.Properties = {Prop("Width", TFormValue::MakeInteger(50)),
                       Prop("Sub", TFormValue::MakeCollection({}))};
    TFormObject root = Object(
        "Form1", "TForm1",
        {Prop("Color", Hex(0xFF00FF, 8)), Prop("Font.Height", TFormValue::MakeInteger(-11)),
         Prop("Scale", TFormValue::MakeFloat(2.0)), Prop("Tiny", TFormValue::MakeFloat(1e-5)),
         Prop("Caption", TFormValue::MakeString("it's\r\n\xC3\xA9")),
         Prop("Align", TFormValue::MakeIdent("alClient")),
         Prop("Font.Style", TFormValue::MakeSet({"fsBold", "fsItalic"})),
         Prop("Anchors", TFormValue::MakeSet({})),
         Prop("Items.Strings",
              TFormValue::MakeList({TFormValue::MakeString("a"), TFormValue::MakeInteger(1),
                                    TFormValue::MakeList({TFormValue::MakeFloat(-0.25)})})),
         Prop("Data", TFormValue::MakeBinary(std::vector<std::uint8_t>(33, 0xAB))),
         Prop("Columns", TFormValue::MakeCollection({item, {}}))});
    TFormObject page = Object("", "TPage");
    page.Index = 3;
    TFormObject button = Object("Button1", "TButton", {Prop("Left", TFormValue::MakeInteger(4))});
    button.Kind = TFormObject::TKind::Inherited;
    page.Children.push_back(button);
    root.Children.push_back(page);

    const std::string expected = "object Form1: TForm1\n"
                                 "  Color = $00FF00FF\n"
                                 "  Font.Height = -11\n"
                                 "  Scale = 2.0\n"
                                 "  Tiny = 1e-05\n"
                                 "  Caption = 'it''s'#13#10#233\n"
                                 "  Align = alClient\n"
                                 "  Font.Style = [fsBold, fsItalic]\n"
                                 "  Anchors = []\n"
                                 "  Items.Strings = (\n"
                                 "    'a'\n"
                                 "    1\n"
                                 "    (\n"
                                 "      -0.25))\n"
                                 "  Data = {\n"
                                 "    " +
                                 Repeat("AB", 32) +
                                 "\n"
                                 "    AB}\n"
                                 "  Columns = <\n"
                                 "    item\n"
                                 "      Width = 50\n"
                                 "      Sub = <>\n"
                                 "    end\n"
                                 "    item\n"
                                 "    end>\n"
                                 "  object TPage [3]\n"
                                 "    inherited Button1: TButton\n"
                                 "      Left = 4\n"
                                 "    end\n"
                                 "  end\n"
                                 "end\n";
    EXPECT_EQ(WriteFormText(root), expected);
    ExpectRoundTrip(root);
}

TEST(FormFileWriter, LongStringsWrapAtSixtyFourCharacters) {
    const std::string sixtyFour(64, 'x');
    EXPECT_EQ(WriteFormText(WithValue(TFormValue::MakeString(sixtyFour))),
              "object A: TA\n  P = '" + sixtyFour + "'\nend\n");
    EXPECT_EQ(WriteFormText(WithValue(TFormValue::MakeString(sixtyFour + "yz"))),
              "object A: TA\n  P =\n    '" + sixtyFour + "' +\n    'yz'\nend\n");
    // In a list the parts stay at the element's indentation.
    EXPECT_EQ(WriteFormText(WithValue(TFormValue::MakeList(
                  {TFormValue::MakeString(sixtyFour + "'"), TFormValue::MakeString("b")}))),
              "object A: TA\n  P = (\n    '" + sixtyFour + "' +\n    ''''\n    'b')\nend\n");
    // A surrogate pair is never cut in two.
    std::string emoji;
    for (int i = 0; i < 40; ++i)
        emoji += "\xF0\x9F\x98\x80";
    String text = WriteFormText(WithValue(TFormValue::MakeString(emoji)));
    EXPECT_NE(text.find("#55357#56832 +\n"), std::string::npos) << text;
    ExpectRoundTrip(WithValue(TFormValue::MakeString(emoji)));
}

TEST(FormFileWriter, HexKeepsItsDigitsAndSign) {
    struct TCase {
        TFormValue Value;
        std::string Text;
    };
    const TCase cases[] = {
        {Hex(0xFF00FF, 8), "$00FF00FF"},
        {Hex(10, 1), "$A"},
        {Hex(-1, 1), "-$1"},
        {Hex(-1, 16), "$FFFFFFFFFFFFFFFF"},
        {Hex(INT64_MIN, 16), "$8000000000000000"},
        {Hex(255, 0), "$FF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WriteFormText(WithValue(c.Value)), "object A: TA\n  P = " + c.Text + "\nend\n");
        ExpectRoundTrip(WithValue(c.Value));
    }
    for (const char* text : {"$00ff", "-$0001", "$ffffffffffffffff", "-$8000000000000000"}) {
        String file = "object A: TA\n  P = " + std::string(text) + "\nend\n";
        String once = WriteFormText(ReadFormText(file));
        EXPECT_EQ(WriteFormText(ReadFormText(once)), once);
        EXPECT_EQ(ReadFormText(once), ReadFormText(file)) << text;
    }
}

TEST(FormFileWriter, FloatsReadBackBitForBit) {
    std::mt19937_64 rng(7);
    std::vector<double> values = {
        0.0, -0.0, 1.0, -2.5, 1e300, 5e-324, 0.1, 36854.4251693056, 1.7976931348623157e308};
    for (int i = 0; i < 2000; ++i) {
        double d = std::bit_cast<double>(rng());
        if (std::isfinite(d))
            values.push_back(d);
    }
    for (double d : values) {
        TFormObject model = WithValue(TFormValue::MakeFloat(d));
        String text = WriteFormText(model);
        TFormValue back = ReadFormText(text).Properties[0].Value;
        ASSERT_EQ(back.Kind, TFormValue::TKind::Float) << text;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(back.Float), std::bit_cast<std::uint64_t>(d))
            << text;
    }
}

// Singles and dates in FloatToStr's digits (fixed from 1E-5 up to fifteen
// integer digits), currencies as their count; all read back exactly.
TEST(FormFileWriter, TypedFloatsAreWrittenAsTheDesignerWritesThem) {
    auto text = [](const TFormValue& v) {
        const String file = WriteFormText(WithValue(v));
        const std::size_t at = file.find(" = ") + 3;
        return file.substr(at, file.find('\n', at) - at);
    };
    EXPECT_EQ(text(TFormValue::MakeSingle(1.5f)), "1.5s");
    EXPECT_EQ(text(TFormValue::MakeSingle(0.0f)), "0s");
    EXPECT_EQ(text(TFormValue::MakeSingle(-0.0f)), "-0s");
    EXPECT_EQ(text(TFormValue::MakeSingle(1e-5f)), "9.99999974737875E-6s"); // just below 1E-5
    EXPECT_EQ(text(TFormValue::MakeSingle(1e20f)), "1.00000002004088E20s");
    EXPECT_EQ(text(TFormValue::MakeSingle(250.0f)), "250s");
    EXPECT_EQ(text(TFormValue::MakeDate(0)), "0d");
    EXPECT_EQ(text(TFormValue::MakeDate(0.00001)), "0.00001d");
    EXPECT_EQ(text(TFormValue::MakeDate(0.000001)), "1E-6d");
    EXPECT_EQ(text(TFormValue::MakeDate(123456789012345.0)), "123456789012345d");
    EXPECT_EQ(text(TFormValue::MakeDate(1e15)), "1E15d");
    // Sixteen digits that fifteen would lose.
    EXPECT_EQ(text(TFormValue::MakeDate(1234567890123456.0)), "1234567890123456d");
    EXPECT_EQ(text(TFormValue::MakeCurrency(12)), "12c");
    EXPECT_EQ(text(TFormValue::MakeCurrency(INT64_MIN)), "-9223372036854775808c");

    std::mt19937_64 rng(9);
    for (int i = 0; i < 2000; ++i) {
        const std::uint64_t bits = rng();
        const float f = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        const double d = std::bit_cast<double>(bits);
        for (const TFormValue& v : {TFormValue::MakeSingle(f), TFormValue::MakeDate(d),
                                    TFormValue::MakeCurrency(static_cast<std::int64_t>(bits))}) {
            if (!std::isfinite(v.Float))
                continue;
            TFormValue back = ReadFormText(WriteFormText(WithValue(v))).Properties[0].Value;
            back.Line = back.Column = 0;
            ASSERT_EQ(back, v) << text(v);
        }
    }
}

TEST(FormFileWriter, EveryCharacterReadsBackUnderEitherCodePage) {
    // Non-ASCII goes out as codes; the C1 controls that Windows-1252 would turn into
    // other characters (#128 reads as the euro sign) go out as UTF-8 instead.
    std::u16string all;
    for (char32_t c = 0; c < 0x800; ++c)
        all += static_cast<char16_t>(c);
    all += u"\u20AC\uFFFD\U0001F600\U0010FFFF";
    TFormObject model = WithValue(TFormValue::MakeString(Utf16ToUtf8(all)));
    TFormTextOptions latin1;
    latin1.CodePage = TCodePage::Latin1;
    ExpectRoundTrip(model);
    ExpectRoundTrip(model, latin1);

    EXPECT_EQ(WriteFormText(WithValue(TFormValue::MakeString("\xE2\x82\xAC\xC2\xA0\x7F"))),
              "object A: TA\n  P = #8364#160#127\nend\n");
    EXPECT_EQ(WriteFormText(WithValue(TFormValue::MakeString("\xC2\x80"))),
              "object A: TA\n  P = '\xC2\x80'\nend\n");

    // Random Unicode text, long enough to wrap.
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        std::u16string s;
        int length = static_cast<int>(rng() % 200);
        for (int i = 0; i < length; ++i) {
            char32_t c = rng() % 4 == 0 ? rng() % 0x110000 : 0x20 + rng() % 0x60;
            if (c >= 0xD800 && c <= 0xDFFF)
                c = '\'';
            if (c >= 0x10000) {
                s += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
                s += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
            } else {
                s += static_cast<char16_t>(c);
            }
        }
        ExpectRoundTrip(WithValue(TFormValue::MakeString(Utf16ToUtf8(s))));
    }
}

TEST(FormFileWriter, RefusesModelsWithoutAFaithfulText) {
    const TFormObject bad[] = {
        WithValue(TFormValue::MakeFloat(std::nan(""))),
        WithValue(TFormValue::MakeFloat(-INFINITY)),
        WithValue(TFormValue::MakeIdent("two words")),
        WithValue(TFormValue::MakeIdent("end")), // would close the object
        WithValue(TFormValue::MakeIdent("")),
        WithValue(TFormValue::MakeSet({"a", "1x"})),
        WithValue(TFormValue::MakeString("\xFF")),
        Object("A", "TA", {Prop("Object", TFormValue::MakeInteger(1))}),
        Object("A", "TA", {Prop("Font.", TFormValue::MakeInteger(1))}),
        Object("A", ""),
        Object("A B", "TA"),
        Object("End", "TA"),
    };
    for (const auto& model : bad)
        EXPECT_THROW(WriteFormText(model), EConvertError);

    // As deep as the reader takes, and one level more.
    TFormObject deep = Object("A", "TA");
    TFormObject* leaf = &deep;
    for (int i = 1; i < 1000; ++i) {
        leaf->Children.push_back(Object("A", "TA"));
        leaf = &leaf->Children.back();
    }
    ExpectRoundTrip(deep);
    leaf->Properties.push_back(Prop("P", TFormValue::MakeList({})));
    EXPECT_THROW(WriteFormText(deep), EConvertError);
}

TEST(FormFileWriter, EqualityIgnoresPositionsAndUnusedFields) {
    TFormValue a = TFormValue::MakeInteger(5);
    TFormValue b = TFormValue::MakeInteger(5);
    b.Line = 9;
    b.Column = 3;
    b.Str = "left over";
    b.HexDigits = 4;
    EXPECT_EQ(a, b);
    b.Hex = true;
    EXPECT_NE(a, b);
    EXPECT_NE(TFormValue::MakeFloat(0.0), TFormValue::MakeFloat(-0.0));
    EXPECT_NE(TFormValue::MakeString("x"), TFormValue::MakeIdent("x"));
}
