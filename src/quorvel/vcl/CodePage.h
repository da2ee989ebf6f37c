// Windows ANSI code pages, in which form files without a byte-order mark store
// their non-ASCII text. Windows-1252 and ISO 8859-1 are built in; the other ANSI
// pages are decoded by the system's iconv where the library was built with one.
#pragma once

#include "quorvel/vcl/SysUtils.h"

#include <string>
#include <string_view>

namespace Vcl {

class TCodePage {
public:
    constexpr TCodePage() = default;
    constexpr explicit TCodePage(unsigned number) : FNumber(number) {}
    constexpr unsigned Number() const { return FNumber; }
    // The two pages decoded without the system's help; Windows-1252 is the default.
    constexpr bool BuiltIn() const { return FNumber == 1252 || FNumber == 28591; }
    constexpr bool operator==(const TCodePage&) const = default;

    static const TCodePage Windows1252;
    static const TCodePage Latin1;

private:
    unsigned FNumber = 1252;
};

inline constexpr TCodePage TCodePage::Windows1252{1252};
inline constexpr TCodePage TCodePage::Latin1{28591};

// Empty when the page can be decoded here; else why not, naming the page (not a
// Windows ANSI code page, or not available in this build or on this system).
String CodePageProblem(TCodePage codePage);
// Throws EConvertError with CodePageProblem's text.
void CheckCodePage(TCodePage codePage);

// Appends the characters the bytes stand for, decoded as a whole, so that the two
// bytes of a double-byte character make one character. A byte that starts no
// valid character stands for the character of the same value (U+0080 to U+00FF),
// so nothing is lost. Throws EConvertError for a page CodePageProblem refuses.
void AppendAnsiText(std::u16string& out, std::string_view bytes, TCodePage codePage);

// The character a byte stands for, alone. Every byte of the built-in pages maps to
// exactly one character (Windows-1252's five unassigned bytes to the C1 controls
// of the same value); in other pages a lead byte or an unassigned byte decodes as
// AppendAnsiText does.
char16_t DecodeAnsiChar(unsigned char byte, TCodePage codePage);

// True when the byte on its own reads back as the character of its own value in
// the page, so that the writer may store that character as the #code of the byte.
bool AnsiByteIsItself(unsigned char byte, TCodePage codePage);

} // namespace Vcl
