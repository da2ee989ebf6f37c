// The lexical layer of the text form-file syntax: a cursor over the bytes that
// knows lines and columns, and scanners for the tokens that need more than one
// character of look-ahead (names, numbers, strings, binary blocks). The grammar on
// top of it is in FormFileReader.cpp; the writer shares the name rules.
#pragma once

#include "quorvel/vcl/FormFile.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace Vcl {

// A name, or dotted names (Font.Height, DataModule1.Query1), as the reader accepts
// them. Non-ASCII characters count as letters, which the reader allows in UTF-8
// files only.
bool IsFormTextName(std::string_view s);
// end, object, inherited or inline, in any letter case: words that start or close
// a block and so can be neither a property name nor an identifier value.
bool IsFormTextKeyword(std::string_view s);

// The header of a text form file's root object (FormFile.h's ReadFormRoot).
TFormObject ReadFormTextRoot(std::string_view bytes, const TFormTextOptions& options);

struct TTextPos {
    int Line = 1;
    int Column = 1;
};

class TFormTextLexer {
public:
    TFormTextLexer(std::string_view bytes, const TFormTextOptions& options);

    bool Utf8() const { return FUtf8; }
    bool AtEnd() const { return FPos >= FText.size(); }
    // The current byte; 0 at the end (a NUL in the text is never valid either).
    char Current() const { return AtEnd() ? '\0' : FText[FPos]; }
    void Advance() { ++FPos; }
    // Skips blanks (every control character but NUL counts as one) and line ends.
    void SkipBlanks();
    bool AtNameStart() const;

    TTextPos Position();
    [[noreturn]] void Fail(const String& reason, TTextPos pos) const;
    // "unexpected character 'x'" (or the code point, or the byte) at the cursor.
    [[noreturn]] void FailUnexpected(const String& context);

    // Each scanner starts at the token's first character and leaves the cursor
    // right after the token.
    String ReadName();
    TFormValue ReadNumber();
    String ReadString(); // quoted parts and #codes, joined with + across lines
    std::vector<std::uint8_t> ReadBinary();

private:
    std::string_view FText;
    const TFormTextOptions& FOptions;
    bool FUtf8 = false;
    std::size_t FPos = 0;
    int FLine = 1;
    std::size_t FLineStart = 0;
    // Column counting resumes from the last position asked for on the same line,
    // which keeps very long lines linear.
    std::size_t FColumnOffset = 0;
    int FColumn = 1;

    bool IsNameChar(char c) const;
    int ColumnAt(std::size_t offset);
    void ReadQuoted(std::u16string& units);
    void ReadCharCode(std::u16string& units);
    // Bytes of a string in a page beyond the built-in ones wait here until a
    // character that is no byte (UTF-8 text, a code above 255) or the string's
    // end, and are decoded together: a double-byte character may be split over a
    // quoted run and #codes, as older designers wrote them.
    std::string FBytes;
    bool FJoinBytes = false;
    void AddByte(std::u16string& units, unsigned char byte);
    void FlushBytes(std::u16string& units);
    String Snippet(std::size_t from) const;
};

} // namespace Vcl
