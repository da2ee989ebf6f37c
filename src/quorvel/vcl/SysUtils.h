// Strings, the exception hierarchy and the small run-time-library helpers the
// framework and the component use.
//
// Strings are UTF-8 in std::string throughout; the framework converts to UTF-16 at
// the Windows seam and in form files. Character positions of the framework's
// string routines (Pos, Copy) therefore count bytes; every caller in this project
// only cuts at ASCII separators, where the two agree.
#pragma once

#include "quorvel/core/Rounding.h"

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace Vcl {

using String = std::string;

class Exception : public std::exception {
public:
    explicit Exception(String message) : FMessage(std::move(message)) {}
    const char* what() const noexcept override { return FMessage.c_str(); }
    const String& Message() const { return FMessage; }

protected:
    String FMessage;
};

class EInvalidOperation : public Exception {
    using Exception::Exception;
};
class EComponentError : public Exception {
    using Exception::Exception;
};
class EConvertError : public Exception {
    using Exception::Exception;
};
class EListError : public Exception {
    using Exception::Exception;
};
class EPropertyError : public Exception {
    using Exception::Exception;
};

// A form file could not be read. Message() gives "FILE:LINE:COL: REASON" (parts
// that are unknown are left out); the parts are kept for tools that format their
// own diagnostics.
class EReadError : public Exception {
public:
    explicit EReadError(String reason, String fileName = {}, int line = 0, int column = 0);
    const String& Reason() const { return FReason; }
    const String& FileName() const { return FFileName; }
    int Line() const { return FLine; }
    int Column() const { return FColumn; }
    // The same error with a position filled in where it had none.
    EReadError WithPosition(const String& fileName, int line, int column) const;

    // The way from the file that was named to the file of the error, when that is
    // a frame's or an ancestor's file: each including file with the position of
    // what needed the next one, the innermost first. Empty for an error in the
    // file that was named.
    struct TInclusion {
        String FileName;
        int Line = 0;
        int Column = 0;
    };
    const std::vector<TInclusion>& IncludedBy() const { return FIncludedBy; }
    // Adds the next inclusion outwards.
    EReadError& AddIncludedBy(const TInclusion& by) {
        FIncludedBy.push_back(by);
        return *this;
    }

private:
    String FReason;
    String FFileName;
    int FLine;
    int FColumn;
    std::vector<TInclusion> FIncludedBy;
};

// ---- String routines ----------------------------------------------------------

// Removes leading and trailing blanks and control characters (code <= 32).
String Trim(std::string_view s);
// 1-based position of the first occurrence of sub in s, 0 when absent.
int Pos(std::string_view sub, std::string_view s);
// Substring from the 1-based index, at most count characters; out-of-range parts
// give an empty or shorter result.
String Copy(std::string_view s, int index, int count);
// Upper- and lower-case mapping of letters (ASCII, Latin-1, Greek and Cyrillic).
String AnsiUpperCase(std::string_view s);
String AnsiLowerCase(std::string_view s);
// Equality ignoring letter case, as AnsiUpperCase maps it.
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
String IntToStr(std::int64_t value);
// Decimal digits zero-padded on the left to at least `width` digits ("%.4d").
String FormatZeroPadded(std::int64_t value, int width);

// ---- Unicode ------------------------------------------------------------------

std::u16string Utf8ToUtf16(std::string_view s);
// Unpaired surrogates become U+FFFD.
String Utf16ToUtf8(std::u16string_view s);
bool IsValidUtf8(std::string_view s);
void AppendUtf8(String& out, char32_t codePoint);

// ---- Numbers ------------------------------------------------------------------

// Truncation toward zero into the 32-bit range: values beyond it saturate at the
// nearest limit and NaN gives 0, so no conversion is ever undefined. The core's,
// so that the framework and the layout truncate alike.
using Quorvel::Core::Trunc;
// Round half away from zero of a * b / c in 64-bit arithmetic, as Windows' MulDiv;
// c = 0 gives -1.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

} // namespace Vcl
