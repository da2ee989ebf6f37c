// The text syntax of form files, as a document model: objects with their
// properties and child objects, and values of every kind the syntax has.
// ReadFormText parses bytes into the model; WriteFormText writes the model in the
// canonical text syntax. Binding the model to live components (classes, setters,
// defaults) is the business of FormStreaming.h.
#pragma once

#include "quorvel/vcl/CodePage.h"
#include "quorvel/vcl/SysUtils.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace Vcl {

struct TFormObject;
struct TFormCollectionItem;

struct TFormValue {
    // GCC's -Wshadow counts a scoped enumerator named String as hiding the String
    // type, although the enumerator is only ever reached as TKind::String.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
    enum class TKind {
        Integer,    // 12, -3, $FF (hex is kept as a flag for writing back)
        Float,      // 1.5, 2.0E-3; with a type suffix 1.5s, 12c, 0d
        String,     // 'text' with '' and #nn codes, joined with +; UTF-8 here
        Ident,      // True, clBtnFace, and dotted references like Module.Component
        Set,        // [a, b]
        List,       // ( value value ... )
        Binary,     // { hex bytes }
        Collection, // < item ... end >
    };
#pragma GCC diagnostic pop
    TKind Kind = TKind::Integer;
    std::int64_t Int = 0;
    bool Hex = false; // an Integer written as $hex
    // Hex digits the file used ($00FF00FF has 8), so colours keep their width when
    // written back. A layout detail like the position: operator== ignores it.
    int HexDigits = 0;
    double Float = 0;
    // What a Float is stored as. The designer writes a single, a currency and a
    // date with a suffix letter (1.5s, 12c, 0d), other floats without one. A
    // currency is a count of ten-thousandths, the number its text shows, kept
    // exactly in Int; Float holds the same count for convenience.
    enum class TFloatType : std::uint8_t { Extended, Single, Currency, Date };
    TFloatType FloatType = TFloatType::Extended;
    String Str;                             // String text (UTF-8) or Ident name
    std::vector<String> Set;                // Set members in file order
    std::vector<TFormValue> List;           // List elements
    std::vector<std::uint8_t> Binary;       // Binary bytes
    std::vector<TFormCollectionItem> Items; // Collection items
    // Where the value starts in the file (1-based), for error messages.
    int Line = 0;
    int Column = 0;

    static TFormValue MakeInteger(std::int64_t v);
    static TFormValue MakeFloat(double v);
    // A single is rounded to single precision; a currency given as its count of
    // ten-thousandths.
    static TFormValue MakeSingle(float v);
    static TFormValue MakeCurrency(std::int64_t tenThousandths);
    static TFormValue MakeDate(double v);
    static TFormValue MakeString(String v);
    static TFormValue MakeIdent(String v);
    static TFormValue MakeSet(std::vector<String> members);
    static TFormValue MakeBinary(std::vector<std::uint8_t> bytes);
    static TFormValue MakeList(std::vector<TFormValue> elements);
    static TFormValue MakeCollection(std::vector<TFormCollectionItem> items);

    // The number an Integer or Float stands for: a currency's count divided by
    // 10,000.
    double Number() const;

    bool operator==(const TFormValue& other) const; // ignores Line/Column
};

struct TFormProperty {
    String Name; // may be dotted: Font.Height, Constraints.MinWidth
    TFormValue Value;
    int Line = 0;
    int Column = 0;
    bool operator==(const TFormProperty& other) const; // ignores Line/Column
};

struct TFormCollectionItem {
    // One `item ... end` block of a collection value.
    std::vector<TFormProperty> Properties;
    bool operator==(const TFormCollectionItem& other) const;
};

struct TFormObject {
    enum class TKind { Object, Inherited, Inline };
    TKind Kind = TKind::Object;
    String Name;              // may be empty: `object TPage`
    String ClassName;         // e.g. TForm1, TButton
    std::optional<int> Index; // `[n]` after the class name
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
    int Line = 0;
    int Column = 0;
    bool operator==(const TFormObject& other) const; // ignores Line/Column

    const TFormProperty* FindProperty(std::string_view name) const;
};

struct TFormTextOptions {
    String FileName; // for error messages only
    // How a file that is not UTF-8 is decoded, and what the #128 to #255 codes
    // stand for in any file. With the built-in pages a file is UTF-8 when it has a
    // UTF-8 byte-order mark or all its bytes are valid UTF-8; with any other page
    // only by the byte-order mark. A page CodePageProblem refuses makes reading
    // fail with its message.
    TCodePage CodePage = TCodePage::Windows1252;
};

// Objects, lists and collection items nested deeper than this are refused by the
// reader and the writer alike, so that no input can exhaust the stack.
inline constexpr int kFormTextMaxDepth = 1000;

// Parses one root object (text syntax). Throws EReadError with file, line and
// column on any malformed input; never crashes or hangs, whatever the bytes.
TFormObject ReadFormText(std::string_view bytes, const TFormTextOptions& options = {});

// True when the bytes look like a text form file (first token object, inherited or
// inline), false for binary form files (TPF0 signature) and anything else.
bool IsFormText(std::string_view bytes);

// Binary form files: the TPF0 component stream, bare or behind the resource header
// older designers wrote. Names and ANSI strings decode with the options' code
// page. Throws EReadError naming the byte offset on malformed input.
bool IsFormBinary(std::string_view bytes);
TFormObject ReadFormBinary(std::string_view bytes, const TFormTextOptions& options = {});
// A form file in either syntax.
TFormObject ReadFormDocument(std::string_view bytes, const TFormTextOptions& options = {});

// Canonical text: two-space indentation, CRLF-free (LF) line ends, strings with
// non-ASCII characters and control characters as #nnnn codes (except the C1
// controls that a code page would read as other characters: those stay in the
// quotes as UTF-8), long strings and binary blocks wrapped, a final newline.
// Throws EConvertError for a model that has no text form which reads back as the
// same model: a name or identifier that is not one, a string that is not UTF-8, a
// NaN or infinite float. The text reads back the same in the code page given: a
// character from U+0080 to U+00FF is written as the #code of its byte only where
// that byte alone stands for it in the page, else in the quotes as UTF-8; for a
// page beyond the built-in ones, text with UTF-8 in it starts with a byte-order
// mark.
String WriteFormText(const TFormObject& root, TCodePage codePage = TCodePage::Windows1252);

} // namespace Vcl
