#include "quorvel/vcl/FormFileLexer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace Vcl {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHighByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

int HexDigitValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool IsBlank(char c) {
    auto b = static_cast<unsigned char>(c);
    return b >= 1 && b <= 32;
}

bool SameAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

// Decodes one code point of text already known to be valid UTF-8.
char32_t DecodeUtf8(std::string_view s, std::size_t& i) {
    auto b0 = static_cast<unsigned char>(s[i]);
    int extra = b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : 0;
    char32_t c = extra == 3   ? (b0 & 0x07u)
                 : extra == 2 ? (b0 & 0x0Fu)
                 : extra == 1 ? (b0 & 0x1Fu)
                              : b0;
    ++i;
    for (int k = 0; k < extra && i < s.size(); ++k, ++i)
        c = (c << 6) | (static_cast<unsigned char>(s[i]) & 0x3Fu);
    return c;
}

void AppendUtf16(std::u16string& units, char32_t c) {
    if (c >= 0x10000) {
        c -= 0x10000;
        units += static_cast<char16_t>(0xD800 | (c >> 10));
        units += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    } else {
        units += static_cast<char16_t>(c);
    }
}

} // namespace

bool IsFormTextName(std::string_view s) {
    bool partStart = true;
    for (char c : s) {
        if (c == '.') {
            if (partStart)
                return false;
            partStart = true;
        } else if (IsAsciiLetter(c) || c == '_' || IsHighByte(c) || (!partStart && IsDigit(c))) {
            partStart = false;
        } else {
            return false;
        }
    }
    return !partStart;
}

bool IsFormTextKeyword(std::string_view s) {
    return SameAscii(s, "end") || SameAscii(s, "object") || SameAscii(s, "inherited") ||
           SameAscii(s, "inline");
}

TFormTextLexer::TFormTextLexer(std::string_view bytes, const TFormTextOptions& options)
    : FText(bytes), FOptions(options) {
    if (String problem = CodePageProblem(options.CodePage); !problem.empty())
        throw EReadError(problem, options.FileName);
    FJoinBytes = !options.CodePage.BuiltIn();
    const bool bom = FText.starts_with("\xEF\xBB\xBF");
    if (bom)
        FText.remove_prefix(3);
    // A page the user named says what a file without a byte-order mark is: short
    // strings of a double-byte page are often valid UTF-8 as well. The default
    // pages keep taking valid UTF-8 for UTF-8.
    FUtf8 = (bom || options.CodePage.BuiltIn()) && IsValidUtf8(FText);
}

void TFormTextLexer::SkipBlanks() {
    while (FPos < FText.size() && IsBlank(FText[FPos])) {
        if (FText[FPos] == '\n') {
            ++FLine;
            FLineStart = FPos + 1;
        }
        ++FPos;
    }
}

bool TFormTextLexer::IsNameChar(char c) const {
    return IsAsciiLetter(c) || IsDigit(c) || c == '_' || (FUtf8 && IsHighByte(c));
}

bool TFormTextLexer::AtNameStart() const {
    char c = Current();
    return IsAsciiLetter(c) || c == '_' || (FUtf8 && IsHighByte(c));
}

int TFormTextLexer::ColumnAt(std::size_t offset) {
    if (FColumnOffset < FLineStart || offset < FColumnOffset) {
        FColumnOffset = FLineStart;
        FColumn = 1;
    }
    for (; FColumnOffset < offset && FColumnOffset < FText.size(); ++FColumnOffset) {
        // A UTF-8 character counts once, at its first byte.
        if (!FUtf8 || (static_cast<unsigned char>(FText[FColumnOffset]) & 0xC0) != 0x80)
            FColumn = FColumn < std::numeric_limits<int>::max() ? FColumn + 1 : FColumn;
    }
    return FColumn;
}

TTextPos TFormTextLexer::Position() { return {FLine, ColumnAt(FPos)}; }

void TFormTextLexer::Fail(const String& reason, TTextPos pos) const {
    throw EReadError(reason, FOptions.FileName, pos.Line, pos.Column);
}

void TFormTextLexer::FailUnexpected(const String& context) {
    TTextPos pos = Position();
    String what;
    if (AtEnd()) {
        what = "unexpected end of file";
    } else {
        char c = FText[FPos];
        char buf[32];
        if (c >= 0x20 && c < 0x7F) {
            std::snprintf(buf, sizeof buf, "unexpected character '%c'", c);
        } else if (FUtf8 && IsHighByte(c)) {
            std::size_t i = FPos;
            std::snprintf(buf, sizeof buf, "unexpected character U+%04X",
                          static_cast<unsigned>(DecodeUtf8(FText, i)));
        } else {
            std::snprintf(buf, sizeof buf, "unexpected byte 0x%02X",
                          static_cast<unsigned>(static_cast<unsigned char>(c)));
        }
        what = buf;
    }
    Fail(context.empty() ? what : what + ": " + context, pos);
}

String TFormTextLexer::Snippet(std::size_t from) const {
    String s;
    for (std::size_t i = from; i < FText.size() && s.size() < 24; ++i) {
        char c = FText[i];
        if (!(IsNameChar(c) || c == '.' || c == '-' || c == '+' || c == '$') || IsHighByte(c))
            break;
        s += c;
    }
    return s;
}

String TFormTextLexer::ReadName() {
    std::size_t start = FPos;
    while (!AtEnd() && IsNameChar(FText[FPos]))
        ++FPos;
    // A dot continues the name only when another name part follows it.
    while (FPos + 1 < FText.size() && FText[FPos] == '.') {
        char next = FText[FPos + 1];
        if (!(IsAsciiLetter(next) || next == '_' || (FUtf8 && IsHighByte(next))))
            break;
        ++FPos;
        while (!AtEnd() && IsNameChar(FText[FPos]))
            ++FPos;
    }
    return String(FText.substr(start, FPos - start));
}

TFormValue TFormTextLexer::ReadNumber() {
    TTextPos pos = Position();
    std::size_t start = FPos;
    auto malformed = [&] { Fail("malformed number '" + Snippet(start) + "'", pos); };
    bool negative = Current() == '-';
    if (negative)
        ++FPos;
    TFormValue value;
    if (Current() == '$') {
        ++FPos;
        std::size_t digitsStart = FPos;
        std::uint64_t bits = 0;
        int significant = 0;
        while (HexDigitValue(Current()) >= 0) {
            int d = HexDigitValue(Current());
            if (significant > 0 || d != 0)
                ++significant;
            if (significant > 16)
                Fail("integer out of range '" + Snippet(start) + "'", pos);
            bits = (bits << 4) | static_cast<std::uint64_t>(d);
            ++FPos;
        }
        if (FPos == digitsStart)
            malformed();
        if (IsNameChar(Current()) || Current() == '.')
            malformed();
        // Hex spells a bit pattern, so $FFFFFFFFFFFFFFFF is -1; a minus sign asks
        // for the negated magnitude, which must fit.
        if (negative && bits > (std::uint64_t{1} << 63))
            Fail("integer out of range '" + Snippet(start) + "'", pos);
        value = TFormValue::MakeInteger(static_cast<std::int64_t>(negative ? 0 - bits : bits));
        value.Hex = true;
        std::size_t digits = FPos - digitsStart;
        value.HexDigits = digits > 64 ? 64 : static_cast<int>(digits);
        return value;
    }
    if (!IsDigit(Current()))
        malformed();
    std::size_t intStart = FPos;
    while (IsDigit(Current()))
        ++FPos;
    std::size_t intDigits = FPos - intStart;
    bool isFloat = false;
    if (Current() == '.') {
        isFloat = true;
        ++FPos;
        while (IsDigit(Current()))
            ++FPos;
    }
    std::size_t mantissaEnd = FPos;
    long exponent = 0;
    if (Current() == 'e' || Current() == 'E') {
        isFloat = true;
        ++FPos;
        bool negativeExp = false;
        if (Current() == '+' || Current() == '-') {
            negativeExp = Current() == '-';
            ++FPos;
        }
        if (!IsDigit(Current()))
            malformed();
        while (IsDigit(Current())) {
            if (exponent < 100000)
                exponent = exponent * 10 + (Current() - '0');
            ++FPos;
        }
        if (negativeExp)
            exponent = -exponent;
    }
    // A single, currency or date carries its type as a letter after the digits.
    const char* first = FText.data() + start;
    const char* last = FText.data() + FPos;
    char suffix = 0;
    if (const char c = static_cast<char>(Current() | 0x20); c == 's' || c == 'c' || c == 'd') {
        const char after = FPos + 1 < FText.size() ? FText[FPos + 1] : '\0';
        if (!IsNameChar(after) && after != '.') {
            suffix = c;
            ++FPos;
        }
    }
    if (IsNameChar(Current()) || Current() == '.')
        malformed();
    if (!isFloat) {
        std::int64_t v = 0;
        auto [ptr, ec] = std::from_chars(first, last, v);
        if (ec != std::errc() || ptr != last)
            Fail((suffix ? "number out of range '" : "integer out of range '") + Snippet(start) +
                     "'",
                 pos);
        // Whole ten-thousandths of a currency are taken exactly.
        if (suffix == 'c')
            return TFormValue::MakeCurrency(v);
        if (!suffix)
            return TFormValue::MakeInteger(v);
    }
    double v = 0;
    auto [ptr, ec] = std::from_chars(first, last, v);
    if (ec == std::errc::result_out_of_range) {
        // Too small to represent reads as zero; too large is an error. The decimal
        // exponent of the leading significant digit tells which.
        long lead = exponent + static_cast<long>(intDigits);
        for (std::size_t i = intStart; i < mantissaEnd; ++i) {
            if (FText[i] == '.')
                continue;
            if (FText[i] != '0')
                break;
            --lead;
        }
        if (lead > 0)
            Fail("number out of range '" + Snippet(start) + "'", pos);
        v = negative ? -0.0 : 0.0;
    } else if (ec != std::errc() || ptr != last) {
        malformed();
    }
    if (suffix == 's') {
        if (std::fabs(v) > std::numeric_limits<float>::max())
            Fail("number out of range for a single '" + Snippet(start) + "'", pos);
        return TFormValue::MakeSingle(static_cast<float>(v));
    }
    if (suffix == 'd')
        return TFormValue::MakeDate(v);
    if (suffix == 'c') {
        // The designer rounds to the nearest ten-thousandth, halves to even.
        v = std::nearbyint(v);
        if (!(v >= -9223372036854775808.0 && v < 9223372036854775808.0))
            Fail("number out of range for a currency '" + Snippet(start) + "'", pos);
        return TFormValue::MakeCurrency(static_cast<std::int64_t>(v));
    }
    return TFormValue::MakeFloat(v);
}

String TFormTextLexer::ReadString() {
    std::u16string units;
    for (;;) {
        while (Current() == '\'' || Current() == '#') {
            if (Current() == '\'')
                ReadQuoted(units);
            else
                ReadCharCode(units);
        }
        SkipBlanks();
        if (Current() != '+')
            break;
        ++FPos;
        SkipBlanks();
        if (Current() != '\'' && Current() != '#')
            FailUnexpected("expected a string after '+'");
    }
    FlushBytes(units);
    // Joined before decoding, so a surrogate pair split over two parts still pairs.
    return Utf16ToUtf8(units);
}

void TFormTextLexer::AddByte(std::u16string& units, unsigned char byte) {
    if (FJoinBytes)
        FBytes += static_cast<char>(byte);
    else if (byte < 0x80)
        units += static_cast<char16_t>(byte);
    else
        units += DecodeAnsiChar(byte, FOptions.CodePage);
}

void TFormTextLexer::FlushBytes(std::u16string& units) {
    if (FBytes.empty())
        return;
    AppendAnsiText(units, FBytes, FOptions.CodePage);
    FBytes.clear();
}

void TFormTextLexer::ReadQuoted(std::u16string& units) {
    TTextPos pos = Position();
    ++FPos;
    for (;;) {
        if (AtEnd() || FText[FPos] == '\n' || FText[FPos] == '\r')
            Fail("unterminated string", pos);
        char c = FText[FPos];
        if (c == '\'') {
            ++FPos;
            if (Current() != '\'')
                return;
            AddByte(units, '\'');
            ++FPos;
        } else if (FUtf8 && IsHighByte(c)) {
            FlushBytes(units);
            AppendUtf16(units, DecodeUtf8(FText, FPos));
        } else {
            AddByte(units, static_cast<unsigned char>(c));
            ++FPos;
        }
    }
}

void TFormTextLexer::ReadCharCode(std::u16string& units) {
    TTextPos pos = Position();
    ++FPos;
    bool hex = Current() == '$';
    if (hex)
        ++FPos;
    std::size_t digitsStart = FPos;
    std::uint32_t code = 0;
    for (;;) {
        int d = hex ? HexDigitValue(Current()) : (IsDigit(Current()) ? Current() - '0' : -1);
        if (d < 0)
            break;
        code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
        if (code > 0xFFFF)
            Fail("character code out of range (more than 65535)", pos);
        ++FPos;
    }
    if (FPos == digitsStart)
        Fail("expected a character code after '#'", pos);
    // 128..255 are bytes of the ANSI code page by definition of the format, even in
    // a UTF-8 file; larger codes are UTF-16 code units.
    if (code <= 0xFF) {
        AddByte(units, static_cast<unsigned char>(code));
    } else {
        FlushBytes(units);
        units += static_cast<char16_t>(code);
    }
}

std::vector<std::uint8_t> TFormTextLexer::ReadBinary() {
    TTextPos pos = Position();
    ++FPos;
    std::vector<std::uint8_t> bytes;
    int high = -1;
    for (;;) {
        SkipBlanks();
        if (AtEnd())
            Fail("unterminated binary data: missing '}'", pos);
        if (FText[FPos] == '}') {
            ++FPos;
            break;
        }
        int d = HexDigitValue(FText[FPos]);
        if (d < 0)
            FailUnexpected("binary data holds hex digits only");
        if (high < 0) {
            high = d;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high << 4 | d));
            high = -1;
        }
        ++FPos;
    }
    if (high >= 0)
        Fail("odd number of hex digits in binary data", pos);
    return bytes;
}

} // namespace Vcl
