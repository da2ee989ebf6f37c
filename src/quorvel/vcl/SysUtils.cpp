#include "quorvel/vcl/SysUtils.h"

#include <limits>

namespace Vcl {

EReadError::EReadError(String reason, String fileName, int line, int column)
    : Exception({}), FReason(std::move(reason)), FFileName(std::move(fileName)), FLine(line),
      FColumn(column) {
    String prefix = FFileName;
    if (FLine > 0) {
        if (!prefix.empty())
            prefix += ':';
        prefix += std::to_string(FLine);
        if (FColumn > 0) {
            prefix += ':';
            prefix += std::to_string(FColumn);
        }
    }
    FMessage = prefix.empty() ? FReason : prefix + ": " + FReason;
}

EReadError EReadError::WithPosition(const String& fileName, int line, int column) const {
    EReadError result(FReason, FFileName.empty() ? fileName : FFileName, FLine > 0 ? FLine : line,
                      FLine > 0 ? FColumn : column);
    result.FIncludedBy = FIncludedBy;
    return result;
}

String Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return String(s.substr(b, e - b));
}

int Pos(std::string_view sub, std::string_view s) {
    if (sub.empty())
        return 0;
    auto p = s.find(sub);
    return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

String Copy(std::string_view s, int index, int count) {
    if (index < 1)
        index = 1;
    if (count <= 0 || static_cast<std::size_t>(index) > s.size())
        return {};
    return String(s.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count)));
}

namespace {

// Decodes one code point; invalid bytes decode as themselves (Latin-1) so that
// case mapping never loses data.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    auto b0 = static_cast<unsigned char>(s[i]);
    auto cont = [&](std::size_t k) {
        return i + k < s.size() && (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
    };
    auto byte = [&](std::size_t k) { return static_cast<char32_t>(s[i + k] & 0x3F); };
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    if ((b0 & 0xE0) == 0xC0 && b0 >= 0xC2 && cont(1)) {
        char32_t c = (static_cast<char32_t>(b0 & 0x1F) << 6) | byte(1);
        i += 2;
        return c;
    }
    if ((b0 & 0xF0) == 0xE0 && cont(1) && cont(2)) {
        char32_t c = (static_cast<char32_t>(b0 & 0x0F) << 12) | (byte(1) << 6) | byte(2);
        if (c >= 0x800 && (c < 0xD800 || c > 0xDFFF)) {
            i += 3;
            return c;
        }
    }
    if ((b0 & 0xF8) == 0xF0 && cont(1) && cont(2) && cont(3)) {
        char32_t c =
            (static_cast<char32_t>(b0 & 0x07) << 18) | (byte(1) << 12) | (byte(2) << 6) | byte(3);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            i += 4;
            return c;
        }
    }
    ++i;
    return 0xDC00 | b0; // a lone byte: kept apart from every valid character
}

char32_t ToUpper(char32_t c) {
    if (c >= 'a' && c <= 'z')
        return c - 32;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return c - 32;
    if (c == 0xFF)
        return 0x178;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
        c != 0x17F) {
        // Latin Extended-A alternates upper/lower, with a shift around 0x139..0x148.
        bool oddLower = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddLower ? (c % 2 == 0) : (c % 2 == 1))
            return c - 1;
        return c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2)
        return c - 32;
    if (c >= 0x430 && c <= 0x44F)
        return c - 32;
    if (c >= 0x450 && c <= 0x45F)
        return c - 80;
    if (c >= 0xFF41 && c <= 0xFF5A) // fullwidth Latin letters
        return c - 32;
    return c;
}

char32_t ToLower(char32_t c) {
    if (c >= 'A' && c <= 'Z')
        return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    if (c == 0x178)
        return 0xFF;
    if (c >= 0x100 && c <= 0x17F) {
        char32_t lower = c + 1;
        if (ToUpper(lower) == c && lower != c)
            return lower;
        return c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)
        return c + 32;
    if (c >= 0x410 && c <= 0x42F)
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    if (c >= 0xFF21 && c <= 0xFF3A)
        return c + 32;
    return c;
}

template <typename Map> String MapCase(std::string_view s, Map map) {
    String out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t start = i;
        char32_t c = NextCodePoint(s, i);
        if ((c & 0xFF00) == 0xDC00 && i - start == 1 &&
            static_cast<unsigned char>(s[start]) >= 0x80) {
            out += s[start]; // invalid byte, copied unchanged
            continue;
        }
        AppendUtf8(out, map(c));
    }
    return out;
}

} // namespace

String AnsiUpperCase(std::string_view s) { return MapCase(s, ToUpper); }
String AnsiLowerCase(std::string_view s) { return MapCase(s, ToLower); }

int CompareText(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        char32_t ca = ToUpper(NextCodePoint(a, i));
        char32_t cb = ToUpper(NextCodePoint(b, j));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }

String IntToStr(std::int64_t value) { return std::to_string(value); }

String FormatZeroPadded(std::int64_t value, int width) {
    bool negative = value < 0;
    std::uint64_t magnitude =
        negative ? static_cast<std::uint64_t>(-(value + 1)) + 1 : static_cast<std::uint64_t>(value);
    String digits = std::to_string(magnitude);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

void AppendUtf8(String& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t start = i;
        char32_t c = NextCodePoint(s, i);
        if ((c & 0xFF00) == 0xDC00 && i - start == 1 &&
            static_cast<unsigned char>(s[start]) >= 0x80)
            return false;
    }
    return true;
}

std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t start = i;
        char32_t c = NextCodePoint(s, i);
        if ((c & 0xFF00) == 0xDC00 && i - start == 1 &&
            static_cast<unsigned char>(s[start]) >= 0x80)
            c = 0xFFFD;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 | (c >> 10));
            out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

String Utf16ToUtf8(std::u16string_view s) {
    String out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0)
        return -1;
    std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t half = (c < 0 ? -static_cast<std::int64_t>(c) : c) / 2;
    bool negative = (product < 0) != (c < 0);
    std::int64_t magnitude = (product < 0 ? -product : product);
    std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
    std::int64_t q = (magnitude + half) / divisor;
    if (q > std::numeric_limits<std::int32_t>::max())
        return -1;
    return static_cast<std::int32_t>(negative ? -q : q);
}

} // namespace Vcl
