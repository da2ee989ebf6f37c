// The grammar of text form files on top of TFormTextLexer: objects, properties,
// and the values that hold other values (lists, sets, collections).
#include "quorvel/vcl/FormFile.h"

#include "quorvel/vcl/FormFileLexer.h"

namespace Vcl {

namespace {

bool IsWord(std::string_view word, std::string_view keyword) {
    return word.size() == keyword.size() && SameText(word, keyword);
}

String LineText(int line) { return "line " + std::to_string(line); }

class TFormTextReader {
public:
    TFormTextReader(std::string_view bytes, const TFormTextOptions& options)
        : FLex(bytes, options) {}

    TFormObject ReadRoot() { return ReadRootObject(false); }
    TFormObject ReadHeader() { return ReadRootObject(true); }

private:
    TFormObject ReadRootObject(bool headerOnly) {
        FLex.SkipBlanks();
        if (FLex.AtEnd())
            FLex.Fail("empty form file: expected 'object', 'inherited' or 'inline'",
                      FLex.Position());
        TTextPos pos = FLex.Position();
        std::optional<TFormObject::TKind> kind;
        if (FLex.AtNameStart())
            kind = ObjectKind(FLex.ReadName());
        if (!kind)
            FLex.Fail("expected 'object', 'inherited' or 'inline' at the start of the form", pos);
        TFormObject root;
        if (headerOnly) {
            ReadHeader(root, *kind, pos);
            return root;
        }
        ReadObject(root, *kind, pos, 1);
        FLex.SkipBlanks();
        if (!FLex.AtEnd())
            FLex.Fail("unexpected text after the 'end' of the root object", FLex.Position());
        return root;
    }

    TFormTextLexer FLex;

    // Where a value was expected and what to say when there is none.
    struct TValueSlot {
        bool InList = false; // else after '=' of a property
        TTextPos Pos;        // after the '=', or the list's '('
    };

    static std::optional<TFormObject::TKind> ObjectKind(std::string_view word) {
        if (IsWord(word, "object"))
            return TFormObject::TKind::Object;
        if (IsWord(word, "inherited"))
            return TFormObject::TKind::Inherited;
        if (IsWord(word, "inline"))
            return TFormObject::TKind::Inline;
        return std::nullopt;
    }

    void CheckDepth(int depth, TTextPos pos) const {
        if (depth > kFormTextMaxDepth)
            FLex.Fail("nesting deeper than " + std::to_string(kFormTextMaxDepth) + " levels", pos);
    }

    // The name, class and position after a block's keyword.
    void ReadHeader(TFormObject& obj, TFormObject::TKind kind, TTextPos pos) {
        obj.Kind = kind;
        obj.Line = pos.Line;
        obj.Column = pos.Column;
        String first = ReadHeaderName("expected an object name or a class name");
        FLex.SkipBlanks();
        if (FLex.Current() == ':') {
            FLex.Advance();
            obj.Name = std::move(first);
            obj.ClassName = ReadHeaderName("expected a class name after ':'");
            FLex.SkipBlanks();
        } else {
            obj.ClassName = std::move(first);
        }
        if (FLex.Current() == '[')
            obj.Index = ReadIndex();
    }

    // Reads the rest of a block whose keyword has been read.
    void ReadObject(TFormObject& obj, TFormObject::TKind kind, TTextPos pos, int depth) {
        CheckDepth(depth, pos);
        ReadHeader(obj, kind, pos);
        String label = obj.Name.empty() ? obj.ClassName : obj.Name;
        for (;;) {
            FLex.SkipBlanks();
            if (FLex.AtEnd())
                FLex.Fail("missing 'end' of object '" + label + "' (" + LineText(pos.Line) + ")",
                          FLex.Position());
            if (!FLex.AtNameStart())
                FLex.FailUnexpected("expected a property, an object or 'end' in '" + label + "'");
            TTextPos wordPos = FLex.Position();
            String word = FLex.ReadName();
            if (IsWord(word, "end"))
                return;
            if (auto childKind = ObjectKind(word)) {
                obj.Children.emplace_back();
                ReadObject(obj.Children.back(), *childKind, wordPos, depth + 1);
            } else {
                ReadProperty(obj.Properties, std::move(word), wordPos, depth);
            }
        }
    }

    // A block keyword is no name: `object A:` followed by `end` lacks its class.
    String ReadHeaderName(const char* expected) {
        FLex.SkipBlanks();
        TTextPos pos = FLex.Position();
        if (!FLex.AtNameStart())
            FLex.FailUnexpected(expected);
        String name = FLex.ReadName();
        if (IsFormTextKeyword(name))
            FLex.Fail(String(expected) + ", found '" + name + "'", pos);
        return name;
    }

    std::optional<int> ReadIndex() {
        TTextPos pos = FLex.Position();
        FLex.Advance();
        FLex.SkipBlanks();
        if (FLex.Current() < '0' || FLex.Current() > '9')
            FLex.FailUnexpected("expected a child index after '['");
        TFormValue v = FLex.ReadNumber();
        if (v.Kind != TFormValue::TKind::Integer || v.Int > 0x7FFFFFFF)
            FLex.Fail("bad child index: expected a whole number up to 2147483647", pos);
        FLex.SkipBlanks();
        if (FLex.Current() != ']')
            FLex.FailUnexpected("expected ']' after the child index");
        FLex.Advance();
        return static_cast<int>(v.Int);
    }

    void ReadProperty(std::vector<TFormProperty>& props, String name, TTextPos pos, int depth) {
        FLex.SkipBlanks();
        if (FLex.Current() != '=')
            FLex.FailUnexpected("expected '=' after property name '" + name + "'");
        FLex.Advance();
        TValueSlot slot{false, FLex.Position()};
        TFormProperty prop;
        prop.Name = std::move(name);
        prop.Line = pos.Line;
        prop.Column = pos.Column;
        prop.Value = ReadValue(slot, depth);
        props.push_back(std::move(prop));
    }

    // `found` is where the parser stood: the end of the file or a block keyword.
    [[noreturn]] void FailMissingValue(const TValueSlot& slot, TTextPos found) {
        if (slot.InList)
            FLex.Fail("missing ')' of the list that starts on " + LineText(slot.Pos.Line), found);
        FLex.Fail("expected a value after '='", slot.Pos);
    }

    TFormValue ReadValue(const TValueSlot& slot, int depth) {
        FLex.SkipBlanks();
        TTextPos pos = FLex.Position();
        TFormValue value;
        switch (FLex.Current()) {
        case '\'':
        case '#': value = TFormValue::MakeString(FLex.ReadString()); break;
        case '-':
        case '$':
        case '0':
        case '1':
        case '2':
        case '3':
        case '4':
        case '5':
        case '6':
        case '7':
        case '8':
        case '9': value = FLex.ReadNumber(); break;
        case '[': value = TFormValue::MakeSet(ReadSet()); break;
        case '(': value = ReadList(pos, depth + 1); break;
        case '{': value = TFormValue::MakeBinary(FLex.ReadBinary()); break;
        case '<': value = ReadCollection(pos, depth); break;
        default:
            if (FLex.AtEnd())
                FailMissingValue(slot, pos);
            if (!FLex.AtNameStart())
                FLex.FailUnexpected(slot.InList ? "expected a list element or ')'"
                                                : "expected a value after '='");
            value = TFormValue::MakeIdent(FLex.ReadName());
            // A block keyword here means the value was left out.
            if (IsFormTextKeyword(value.Str))
                FailMissingValue(slot, pos);
            break;
        }
        value.Line = pos.Line;
        value.Column = pos.Column;
        return value;
    }

    std::vector<String> ReadSet() {
        TTextPos pos = FLex.Position();
        FLex.Advance();
        std::vector<String> members;
        FLex.SkipBlanks();
        if (FLex.Current() == ']') {
            FLex.Advance();
            return members;
        }
        for (;;) {
            FLex.SkipBlanks();
            if (FLex.AtEnd())
                FLex.Fail("missing ']' of the set that starts on " + LineText(pos.Line),
                          FLex.Position());
            if (!FLex.AtNameStart())
                FLex.FailUnexpected("expected a set member");
            members.push_back(FLex.ReadName());
            FLex.SkipBlanks();
            if (FLex.Current() == ']') {
                FLex.Advance();
                return members;
            }
            if (FLex.AtEnd())
                FLex.Fail("missing ']' of the set that starts on " + LineText(pos.Line),
                          FLex.Position());
            if (FLex.Current() != ',')
                FLex.FailUnexpected("expected ',' or ']' in a set");
            FLex.Advance();
        }
    }

    TFormValue ReadList(TTextPos pos, int depth) {
        CheckDepth(depth, pos);
        FLex.Advance();
        TFormValue list = TFormValue::MakeList({});
        TValueSlot slot{true, pos};
        for (;;) {
            FLex.SkipBlanks();
            if (FLex.Current() == ')') {
                FLex.Advance();
                return list;
            }
            list.List.push_back(ReadValue(slot, depth));
        }
    }

    // Only the items count as a level of nesting, not the brackets around them.
    TFormValue ReadCollection(TTextPos pos, int depth) {
        FLex.Advance();
        TFormValue collection = TFormValue::MakeCollection({});
        for (;;) {
            FLex.SkipBlanks();
            if (FLex.AtEnd())
                FLex.Fail("missing '>' of the collection that starts on " + LineText(pos.Line),
                          FLex.Position());
            if (FLex.Current() == '>') {
                FLex.Advance();
                return collection;
            }
            TTextPos itemPos = FLex.Position();
            if (!FLex.AtNameStart() || !IsWord(FLex.ReadName(), "item"))
                FLex.Fail("expected 'item' or '>' in a collection", itemPos);
            collection.Items.emplace_back();
            ReadItem(collection.Items.back(), itemPos, depth + 1);
        }
    }

    void ReadItem(TFormCollectionItem& item, TTextPos pos, int depth) {
        CheckDepth(depth, pos);
        for (;;) {
            FLex.SkipBlanks();
            if (FLex.AtEnd())
                FLex.Fail("missing 'end' of the collection item that starts on " +
                              LineText(pos.Line),
                          FLex.Position());
            if (!FLex.AtNameStart())
                FLex.FailUnexpected("expected a property or 'end' in a collection item");
            TTextPos wordPos = FLex.Position();
            String word = FLex.ReadName();
            if (IsWord(word, "end"))
                return;
            // Objects cannot live in a collection item; a word that opens one is not
            // a property name either.
            if (IsFormTextKeyword(word))
                FLex.Fail("expected a property or 'end' in a collection item, found '" + word + "'",
                          wordPos);
            ReadProperty(item.Properties, std::move(word), wordPos, depth);
        }
    }
};

} // namespace

TFormObject ReadFormText(std::string_view bytes, const TFormTextOptions& options) {
    return TFormTextReader(bytes, options).ReadRoot();
}

TFormObject ReadFormTextRoot(std::string_view bytes, const TFormTextOptions& options) {
    return TFormTextReader(bytes, options).ReadHeader();
}

bool IsFormText(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    std::size_t i = 0;
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) >= 1 &&
           static_cast<unsigned char>(bytes[i]) <= 32)
        ++i;
    std::size_t start = i;
    while (i < bytes.size() &&
           ((bytes[i] >= 'a' && bytes[i] <= 'z') || (bytes[i] >= 'A' && bytes[i] <= 'Z')))
        ++i;
    std::string_view word = bytes.substr(start, i - start);
    // The keyword must be a whole word: the object's name follows after a blank.
    if (i >= bytes.size() || static_cast<unsigned char>(bytes[i]) < 1 ||
        static_cast<unsigned char>(bytes[i]) > 32)
        return false;
    return IsWord(word, "object") || IsWord(word, "inherited") || IsWord(word, "inline");
}

} // namespace Vcl
