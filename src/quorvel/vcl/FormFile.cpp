// The form-file document model and the canonical text writer. The reader lives in
// FormFileReader.cpp.
#include "quorvel/vcl/FormFile.h"

#include "quorvel/vcl/FormFileLexer.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>

namespace Vcl {

// ---- Model ----------------------------------------------------------------------

TFormValue TFormValue::MakeInteger(std::int64_t v) {
    TFormValue r;
    r.Kind = TKind::Integer;
    r.Int = v;
    return r;
}

TFormValue TFormValue::MakeFloat(double v) {
    TFormValue r;
    r.Kind = TKind::Float;
    r.Float = v;
    return r;
}

TFormValue TFormValue::MakeSingle(float v) {
    TFormValue r = MakeFloat(v);
    r.FloatType = TFloatType::Single;
    return r;
}

TFormValue TFormValue::MakeCurrency(std::int64_t tenThousandths) {
    TFormValue r = MakeFloat(static_cast<double>(tenThousandths));
    r.FloatType = TFloatType::Currency;
    r.Int = tenThousandths;
    return r;
}

TFormValue TFormValue::MakeDate(double v) {
    TFormValue r = MakeFloat(v);
    r.FloatType = TFloatType::Date;
    return r;
}

double TFormValue::Number() const {
    if (Kind == TKind::Integer)
        return static_cast<double>(Int);
    if (FloatType == TFloatType::Currency)
        return static_cast<double>(Int) / 10000.0;
    return Float;
}

TFormValue TFormValue::MakeString(String v) {
    TFormValue r;
    r.Kind = TKind::String;
    r.Str = std::move(v);
    return r;
}

TFormValue TFormValue::MakeIdent(String v) {
    TFormValue r;
    r.Kind = TKind::Ident;
    r.Str = std::move(v);
    return r;
}

TFormValue TFormValue::MakeSet(std::vector<String> members) {
    TFormValue r;
    r.Kind = TKind::Set;
    r.Set = std::move(members);
    return r;
}

TFormValue TFormValue::MakeBinary(std::vector<std::uint8_t> bytes) {
    TFormValue r;
    r.Kind = TKind::Binary;
    r.Binary = std::move(bytes);
    return r;
}

TFormValue TFormValue::MakeList(std::vector<TFormValue> elements) {
    TFormValue r;
    r.Kind = TKind::List;
    r.List = std::move(elements);
    return r;
}

TFormValue TFormValue::MakeCollection(std::vector<TFormCollectionItem> items) {
    TFormValue r;
    r.Kind = TKind::Collection;
    r.Items = std::move(items);
    return r;
}

// Only the fields that belong to the kind take part, so a value built by hand with
// leftovers in unused fields still equals the same value read back from text.
bool TFormValue::operator==(const TFormValue& other) const {
    if (Kind != other.Kind)
        return false;
    switch (Kind) {
    case TKind::Integer: return Int == other.Int && Hex == other.Hex;
    case TKind::Float:
        if (FloatType != other.FloatType)
            return false;
        if (FloatType == TFloatType::Currency)
            return Int == other.Int;
        // Bitwise, so that -0.0 and 0.0 (which the text keeps apart) differ.
        return std::bit_cast<std::uint64_t>(Float) == std::bit_cast<std::uint64_t>(other.Float);
    case TKind::String:
    case TKind::Ident: return Str == other.Str;
    case TKind::Set: return Set == other.Set;
    case TKind::List: return List == other.List;
    case TKind::Binary: return Binary == other.Binary;
    case TKind::Collection: return Items == other.Items;
    }
    return false;
}

bool TFormProperty::operator==(const TFormProperty& other) const {
    return Name == other.Name && Value == other.Value;
}

bool TFormCollectionItem::operator==(const TFormCollectionItem& other) const {
    return Properties == other.Properties;
}

bool TFormObject::operator==(const TFormObject& other) const {
    return Kind == other.Kind && Name == other.Name && ClassName == other.ClassName &&
           Index == other.Index && Properties == other.Properties && Children == other.Children;
}

// A property written twice takes its last value when the form is loaded, so that
// is the one to find.
const TFormProperty* TFormObject::FindProperty(std::string_view name) const {
    for (auto it = Properties.rbegin(); it != Properties.rend(); ++it) {
        if (SameText(it->Name, name))
            return &*it;
    }
    return nullptr;
}

// ---- Writer ---------------------------------------------------------------------

namespace {

constexpr std::size_t kStringPartChars = 64; // string characters per line, as the VCL has
constexpr std::size_t kBinaryLineBytes = 32; // 64 hex digits per line

[[noreturn]] void Unwritable(const String& what) {
    throw EConvertError("form text cannot hold " + what);
}

// #128..#255 name bytes of the reader's code page, not characters, so a character
// in that range can be written as a code only where the page maps the byte to
// itself. The rest go into the quotes as UTF-8, which makes the file UTF-8 and
// reads back exactly.
bool CodeReadsBackAsItself(char32_t c, TCodePage codePage) {
    return AnsiByteIsItself(static_cast<unsigned char>(c), codePage);
}

// Splits a string into its written parts: quoted runs and #codes, cut into lines
// of kStringPartChars characters of the string (however many columns their codes
// take). A surrogate pair never straddles a cut.
std::vector<String> StringParts(const String& s, TCodePage codePage) {
    if (!IsValidUtf8(s))
        Unwritable("a string that is not valid UTF-8");
    std::vector<String> lines;
    String line;
    std::size_t chars = 0;
    bool quoted = false;
    auto openQuote = [&] {
        if (!quoted)
            line += '\'';
        quoted = true;
    };
    auto closeQuote = [&] {
        if (quoted)
            line += '\'';
        quoted = false;
    };
    auto code = [&](std::uint32_t unit) {
        closeQuote();
        line += '#';
        line += std::to_string(unit);
    };
    std::u16string units = Utf8ToUtf16(s);
    for (std::size_t i = 0; i < units.size(); ++i) {
        char16_t u = units[i];
        if (u >= 0x20 && u < 0x7F) {
            openQuote();
            line += static_cast<char>(u);
            if (u == '\'')
                line += '\'';
        } else if (u >= 0x80 && u <= 0xFF && !CodeReadsBackAsItself(u, codePage)) {
            openQuote();
            AppendUtf8(line, u);
        } else {
            code(u);
            if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size()) {
                code(units[++i]); // the low half of the pair stays on this line
                ++chars;
            }
        }
        if (++chars >= kStringPartChars && i + 1 < units.size()) {
            closeQuote();
            lines.push_back(std::move(line));
            line.clear();
            chars = 0;
        }
    }
    closeQuote();
    if (line.empty())
        line = "''";
    lines.push_back(std::move(line));
    return lines;
}

void CheckIdent(const String& s, const char* what, bool allowKeyword) {
    if (!IsFormTextName(s) || !IsValidUtf8(s) || (!allowKeyword && IsFormTextKeyword(s)))
        Unwritable(String(what) + " '" + s + "'");
}

String FloatText(double v) {
    if (!std::isfinite(v))
        Unwritable("a float that is NaN or infinite");
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    String text(buf, end);
    if (text.find_first_of(".e") == String::npos)
        text += ".0";
    return text;
}

// FloatToStr's form, as the designer writes a single or a date: `digits`
// significant digits without trailing zeros, fixed from 1E-5 up to 10^digits,
// else d.dddE[-]x.
String GeneralText(double v, int digits) {
    if (!std::isfinite(v))
        Unwritable("a float that is NaN or infinite");
    if (v == 0)
        return std::signbit(v) ? "-0" : "0";
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::fabs(v),
                                   std::chars_format::scientific, digits - 1);
    (void)ec;
    const std::string_view text(buf, static_cast<std::size_t>(end - buf));
    const std::size_t e = text.find('e');
    String mantissa;
    for (char c : text.substr(0, e))
        if (c != '.')
            mantissa += c;
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(),
                    exponent);
    String out = v < 0 ? "-" : "";
    if (exponent >= -5 && exponent < digits) {
        if (exponent < 0) {
            out += "0.";
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += mantissa;
        } else {
            const auto whole = static_cast<std::size_t>(exponent) + 1;
            if (mantissa.size() <= whole) {
                out += mantissa;
                out.append(whole - mantissa.size(), '0');
            } else {
                out += mantissa.substr(0, whole);
                out += '.';
                out += mantissa.substr(whole);
            }
        }
        return out;
    }
    out += mantissa[0];
    if (mantissa.size() > 1) {
        out += '.';
        out += mantissa.substr(1);
    }
    out += 'E';
    out += std::to_string(exponent);
    return out;
}

// A single, a currency or a date with its suffix. Fifteen digits, as the
// designer writes them, hold every single; a date they do not hold exactly
// (one that was not written as text) gets seventeen.
String TypedFloatText(const TFormValue& v) {
    using T = TFormValue::TFloatType;
    switch (v.FloatType) {
    case T::Currency: return std::to_string(v.Int) + "c";
    case T::Single: return GeneralText(v.Float, 15) + "s";
    case T::Date: {
        String text = GeneralText(v.Float, 15);
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        if (std::bit_cast<std::uint64_t>(back) != std::bit_cast<std::uint64_t>(v.Float))
            text = GeneralText(v.Float, 17);
        return text + "d";
    }
    case T::Extended: break;
    }
    return FloatText(v.Float);
}

String HexText(std::uint64_t bits, int minDigits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    String text;
    do {
        text.insert(text.begin(), kDigits[bits & 0xF]);
        bits >>= 4;
    } while (bits != 0);
    if (static_cast<int>(text.size()) < minDigits)
        text.insert(0, static_cast<std::size_t>(minDigits) - text.size(), '0');
    return text;
}

String IntegerText(const TFormValue& v) {
    if (!v.Hex)
        return std::to_string(v.Int);
    int digits = v.HexDigits < 64 ? v.HexDigits : 64; // as many as the reader keeps
    // A negative value that filled all 16 digits was written as its bit pattern.
    if (v.Int >= 0 || digits >= 16)
        return "$" + HexText(static_cast<std::uint64_t>(v.Int), digits);
    return "-$" + HexText(0 - static_cast<std::uint64_t>(v.Int), digits);
}

class TWriter {
public:
    explicit TWriter(TCodePage codePage) : FCodePage(codePage) {}
    String Take() { return std::move(FOut); }

    void Object(const TFormObject& obj, int level) {
        TNesting nesting(*this);
        if (obj.ClassName.empty())
            Unwritable("an object without a class name");
        CheckIdent(obj.ClassName, "the class name", false);
        if (!obj.Name.empty())
            CheckIdent(obj.Name, "the object name", false);
        Indent(level);
        FOut += obj.Kind == TFormObject::TKind::Inherited ? "inherited "
                : obj.Kind == TFormObject::TKind::Inline  ? "inline "
                                                          : "object ";
        if (!obj.Name.empty()) {
            FOut += obj.Name;
            FOut += ": ";
        }
        FOut += obj.ClassName;
        if (obj.Index) {
            if (*obj.Index < 0)
                Unwritable("a negative child index");
            FOut += " [" + std::to_string(*obj.Index) + "]";
        }
        FOut += '\n';
        for (const auto& prop : obj.Properties)
            Property(prop, level + 1);
        for (const auto& child : obj.Children)
            Object(child, level + 1);
        Indent(level);
        FOut += "end\n";
    }

private:
    TCodePage FCodePage;
    String FOut;
    int FDepth = 0;

    // Counts nesting as the reader does, which refuses anything deeper.
    struct TNesting {
        TWriter& Writer;
        explicit TNesting(TWriter& writer) : Writer(writer) {
            if (++Writer.FDepth > kFormTextMaxDepth)
                Unwritable("nesting deeper than " + std::to_string(kFormTextMaxDepth) + " levels");
        }
        ~TNesting() { --Writer.FDepth; }
        TNesting(const TNesting&) = delete;
        TNesting& operator=(const TNesting&) = delete;
    };

    void Indent(int level) { FOut.append(static_cast<std::size_t>(level) * 2, ' '); }

    void NewLine(int level) {
        FOut += '\n';
        Indent(level);
    }

    void Property(const TFormProperty& prop, int level) {
        CheckIdent(prop.Name, "the property name", false);
        Indent(level);
        FOut += prop.Name;
        FOut += " =";
        if (prop.Value.Kind == TFormValue::TKind::String) {
            // A string that needs several lines starts on the next one.
            auto parts = StringParts(prop.Value.Str, FCodePage);
            if (parts.size() > 1) {
                StringLines(parts, level + 1);
            } else {
                FOut += ' ';
                FOut += parts.front();
            }
        } else {
            FOut += ' ';
            Value(prop.Value, level + 1, false);
        }
        FOut += '\n';
    }

    void StringLines(const std::vector<String>& parts, int level) {
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (i > 0)
                FOut += " +";
            NewLine(level);
            FOut += parts[i];
        }
    }

    // Writes a value from the current output position without a final line end.
    // `level` is the indentation a line of the value would have; a value that
    // already stands at the start of its own line (a list element) nests its
    // contents one level deeper.
    void Value(const TFormValue& v, int level, bool atLineStart) {
        int inner = atLineStart ? level + 1 : level;
        switch (v.Kind) {
        case TFormValue::TKind::Integer: FOut += IntegerText(v); break;
        case TFormValue::TKind::Float: FOut += TypedFloatText(v); break;
        case TFormValue::TKind::String: {
            auto parts = StringParts(v.Str, FCodePage);
            FOut += parts.front();
            for (std::size_t i = 1; i < parts.size(); ++i) {
                FOut += " +";
                NewLine(level);
                FOut += parts[i];
            }
            break;
        }
        case TFormValue::TKind::Ident:
            CheckIdent(v.Str, "the identifier", false);
            FOut += v.Str;
            break;
        case TFormValue::TKind::Set:
            FOut += '[';
            for (std::size_t i = 0; i < v.Set.size(); ++i) {
                CheckIdent(v.Set[i], "the set member", true);
                if (i > 0)
                    FOut += ", ";
                FOut += v.Set[i];
            }
            FOut += ']';
            break;
        case TFormValue::TKind::List: {
            TNesting nesting(*this);
            FOut += '(';
            for (const auto& element : v.List) {
                NewLine(inner);
                Value(element, inner, true);
            }
            FOut += ')';
            break;
        }
        case TFormValue::TKind::Binary: Binary(v.Binary, inner); break;
        case TFormValue::TKind::Collection:
            FOut += '<';
            for (const auto& item : v.Items) {
                TNesting nesting(*this);
                NewLine(inner);
                FOut += "item\n";
                for (const auto& prop : item.Properties)
                    Property(prop, inner + 1);
                Indent(inner);
                FOut += "end";
            }
            FOut += '>';
            break;
        }
    }

    void Binary(const std::vector<std::uint8_t>& bytes, int level) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        FOut += '{';
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (i % kBinaryLineBytes == 0)
                NewLine(level);
            FOut += kDigits[bytes[i] >> 4];
            FOut += kDigits[bytes[i] & 0xF];
        }
        FOut += '}';
    }
};

} // namespace

String WriteFormText(const TFormObject& root, TCodePage codePage) {
    TWriter writer(codePage);
    writer.Object(root, 0);
    String text = writer.Take();
    // A reader given such a page takes a file for UTF-8 by its byte-order mark only.
    if (!codePage.BuiltIn() && std::any_of(text.begin(), text.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0x80;
        }))
        text.insert(0, "\xEF\xBB\xBF");
    return text;
}

} // namespace Vcl
