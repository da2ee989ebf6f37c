#include "quorvel/vcl/PascalSource.h"

#include "quorvel/vcl/FilePaths.h"

#include <algorithm>

namespace Vcl {

namespace {

bool IsIdentStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }

struct TToken {
    enum TKind { Ident, Literal, Symbol, Comment, End };
    TKind Kind = End;
    std::string_view Text; // an identifier without its '&', a symbol, a comment's inside
    char Open = 0;         // how a comment opened: '{', '(' or '/'
};

// Object Pascal's tokens. Comments ({...}, (*...*), //...) and compiler
// directives ({$...}) are skipped unless asked for; strings and numbers are
// literals whose text does not matter here.
class TPascalTokens {
public:
    TPascalTokens(std::string_view source, bool comments) : FText(source), FComments(comments) {}

    TToken Next() {
        for (;;) {
            while (FPos < FText.size() && static_cast<unsigned char>(FText[FPos]) <= ' ')
                ++FPos;
            if (FPos >= FText.size())
                return {};
            const char c = FText[FPos];
            const char next = FPos + 1 < FText.size() ? FText[FPos + 1] : '\0';
            TToken comment;
            if (c == '{')
                comment = Until(FPos + 1, "}");
            else if (c == '(' && next == '*')
                comment = Until(FPos + 2, "*)");
            else if (c == '/' && next == '/')
                comment = Until(FPos + 2, "\n");
            else
                return Other();
            if (FComments)
                return comment;
        }
    }

private:
    std::string_view FText;
    bool FComments;
    std::size_t FPos = 0;

    TToken Until(std::size_t from, std::string_view close) {
        std::size_t end = FText.find(close, from);
        if (end == std::string_view::npos)
            end = FText.size();
        TToken t{TToken::Comment, FText.substr(from, end - from), FText[FPos]};
        FPos = std::min(FText.size(), end + close.size());
        return t;
    }

    TToken Other() {
        const std::size_t start = FPos;
        const char c = FText[FPos];
        if (c == '&' && FPos + 1 < FText.size() && IsIdentStart(FText[FPos + 1]))
            ++FPos; // &type: a reserved word used as a name
        if (IsIdentStart(FText[FPos])) {
            const std::size_t from = FPos;
            while (FPos < FText.size() && IsIdentChar(FText[FPos]))
                ++FPos;
            return {TToken::Ident, FText.substr(from, FPos - from)};
        }
        if (c == '\'' || c == '#') {
            while (FPos < FText.size() && (FText[FPos] == '\'' || FText[FPos] == '#')) {
                if (FText[FPos] == '\'') {
                    // '' inside quotes is one quote; a line end ends a broken string.
                    ++FPos;
                    while (FPos < FText.size() && FText[FPos] != '\n') {
                        if (FText[FPos] == '\'') {
                            if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') {
                                FPos += 2;
                                continue;
                            }
                            ++FPos;
                            break;
                        }
                        ++FPos;
                    }
                } else {
                    ++FPos;
                    while (FPos < FText.size() && (IsIdentChar(FText[FPos]) || FText[FPos] == '$'))
                        ++FPos;
                }
            }
            return {TToken::Literal, FText.substr(start, FPos - start)};
        }
        if ((c >= '0' && c <= '9') || c == '$' || c == '%') {
            ++FPos;
            while (FPos < FText.size() &&
                   (IsIdentChar(FText[FPos]) || (FText[FPos] == '.' && FPos + 1 < FText.size() &&
                                                 FText[FPos + 1] >= '0' && FText[FPos + 1] <= '9')))
                ++FPos;
            return {TToken::Literal, FText.substr(start, FPos - start)};
        }
        // Two-character symbols, so that := and <= are never taken for = or <.
        static constexpr std::string_view pairs[] = {":=", "<=", ">=", "<>", ".."};
        for (std::string_view pair : pairs)
            if (FText.substr(FPos, 2) == pair) {
                FPos += 2;
                return {TToken::Symbol, pair};
            }
        ++FPos;
        return {TToken::Symbol, FText.substr(start, 1)};
    }
};

std::vector<TToken> Tokens(std::string_view source, bool comments) {
    TPascalTokens tokens(source, comments);
    std::vector<TToken> out;
    for (TToken t = tokens.Next(); t.Kind != TToken::End; t = tokens.Next())
        out.push_back(t);
    return out;
}

bool Is(const std::vector<TToken>& t, std::size_t i, std::string_view symbol) {
    return i < t.size() && t[i].Kind == TToken::Symbol && t[i].Text == symbol;
}
bool IsWord(const std::vector<TToken>& t, std::size_t i, std::string_view word) {
    return i < t.size() && t[i].Kind == TToken::Ident && SameText(t[i].Text, word);
}

// Skips `<...>` generic parameters or arguments starting at i; returns the
// index after them (i when there are none).
std::size_t SkipGeneric(const std::vector<TToken>& t, std::size_t i) {
    if (!Is(t, i, "<"))
        return i;
    int depth = 0;
    for (std::size_t j = i; j < t.size(); ++j) {
        if (Is(t, j, "<"))
            ++depth;
        else if (Is(t, j, ">") && --depth == 0)
            return j + 1;
        else if (Is(t, j, ";") || Is(t, j, "=") || Is(t, j, ")"))
            break; // a comparison, not generics
    }
    return i;
}

String ProjectPath(const String& folder, String path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    std::filesystem::path p = PathOf(path);
    if (p.is_relative())
        p = PathOf(folder) / p;
    return Utf8Of(p.lexically_normal());
}

// The name a project's comment gives a unit's form: {Form2} or {Frame1: TFrame}.
String FormNameIn(std::string_view comment) {
    if (comment.starts_with("$"))
        return {};
    std::size_t i = 0;
    while (i < comment.size() && static_cast<unsigned char>(comment[i]) <= ' ')
        ++i;
    std::size_t end = i;
    while (end < comment.size() && IsIdentChar(comment[end]))
        ++end;
    if (end == i || !IsIdentStart(comment[i]))
        return {};
    return String(comment.substr(i, end - i));
}

String Unquote(std::string_view literal) {
    String out;
    for (std::size_t i = 0; i < literal.size(); ++i) {
        if (literal[i] != '\'')
            continue;
        for (++i; i < literal.size(); ++i) {
            if (literal[i] == '\'') {
                if (i + 1 < literal.size() && literal[i + 1] == '\'') {
                    out += '\'';
                    ++i;
                    continue;
                }
                break;
            }
            out += literal[i];
        }
    }
    return out;
}

String XmlText(std::string_view s) {
    String out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            static constexpr std::pair<std::string_view, char> entities[] = {
                {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
            bool done = false;
            for (const auto& [entity, c] : entities)
                if (s.substr(i, entity.size()) == entity) {
                    out += c;
                    i += entity.size() - 1;
                    done = true;
                    break;
                }
            if (done)
                continue;
        }
        out += s[i];
    }
    return out;
}

std::vector<TProjectUnit> MsBuildUnits(std::string_view text, const String& folder) {
    std::vector<TProjectUnit> units;
    for (std::size_t at = text.find("<DCCReference"); at != std::string_view::npos;
         at = text.find("<DCCReference", at + 1)) {
        const std::size_t tagEnd = text.find('>', at);
        if (tagEnd == std::string_view::npos)
            break;
        const std::string_view tag = text.substr(at, tagEnd - at);
        const std::size_t include = tag.find("Include=\"");
        if (include == std::string_view::npos)
            continue;
        const std::size_t valueStart = include + 9;
        const std::size_t valueEnd = tag.find('"', valueStart);
        if (valueEnd == std::string_view::npos)
            continue;
        const String path = XmlText(tag.substr(valueStart, valueEnd - valueStart));
        if (path.size() < 4 || !SameText(std::string_view(path).substr(path.size() - 4), ".pas"))
            continue;
        TProjectUnit unit{ProjectPath(folder, path), {}};
        if (tag.back() != '/') {
            const std::size_t close = text.find("</DCCReference>", tagEnd);
            const std::string_view body = text.substr(
                tagEnd, close == std::string_view::npos ? std::string_view::npos : close - tagEnd);
            if (const std::size_t form = body.find("<Form>"); form != std::string_view::npos) {
                const std::size_t formEnd = body.find("</Form>", form);
                if (formEnd != std::string_view::npos)
                    unit.FormName = Trim(XmlText(body.substr(form + 6, formEnd - form - 6)));
            }
        }
        units.push_back(std::move(unit));
    }
    return units;
}

} // namespace

std::map<String, String> ReadClassParents(std::string_view source) {
    const std::vector<TToken> t = Tokens(source, false);
    std::map<String, String> parents;
    for (std::size_t i = 0; i + 2 < t.size(); ++i) {
        if (t[i].Kind != TToken::Ident || (i > 0 && Is(t, i - 1, ".")))
            continue;
        std::size_t j = SkipGeneric(t, i + 1);
        if (!Is(t, j, "="))
            continue;
        ++j;
        if (IsWord(t, j, "packed"))
            ++j;
        if (!IsWord(t, j, "class"))
            continue;
        ++j;
        // Class references, forward declarations and helpers derive nothing.
        if (IsWord(t, j, "of") || Is(t, j, ";") || IsWord(t, j, "helper"))
            continue;
        if (IsWord(t, j, "abstract") || IsWord(t, j, "sealed"))
            ++j;
        String parent;
        if (Is(t, j, "(")) {
            for (++j; j < t.size() && t[j].Kind == TToken::Ident; j += 2) {
                parent = String(t[j].Text);
                if (!Is(t, j + 1, "."))
                    break;
            }
        }
        parents.emplace(AnsiUpperCase(t[i].Text), std::move(parent));
    }
    return parents;
}

std::vector<TProjectUnit> ReadProjectUnits(std::string_view source, bool msbuild,
                                           const String& folder) {
    if (msbuild)
        return MsBuildUnits(source, folder);
    const std::vector<TToken> t = Tokens(source, true);
    std::vector<TProjectUnit> units;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!IsWord(t, i, "uses") && !IsWord(t, i, "contains"))
            continue;
        // Name [in 'path'] [{Form}], separated by commas, up to the semicolon.
        std::size_t j = i + 1;
        while (j < t.size() && !Is(t, j, ";")) {
            if (t[j].Kind == TToken::Comment || Is(t, j, ",")) {
                ++j;
                continue;
            }
            if (t[j].Kind != TToken::Ident)
                break;
            String name(t[j].Text);
            for (++j; Is(t, j, ".") && j + 1 < t.size() && t[j + 1].Kind == TToken::Ident; j += 2) {
                name += '.';
                name += t[j + 1].Text;
            }
            String path = name + ".pas";
            if (IsWord(t, j, "in") && j + 1 < t.size() && t[j + 1].Kind == TToken::Literal) {
                path = Unquote(t[j + 1].Text);
                j += 2;
            }
            TProjectUnit unit{ProjectPath(folder, path), {}};
            // The designer writes the form in braces after the unit.
            while (j < t.size() && t[j].Kind == TToken::Comment) {
                if (unit.FormName.empty() && t[j].Open == '{')
                    unit.FormName = FormNameIn(t[j].Text);
                ++j;
            }
            units.push_back(std::move(unit));
        }
        i = j;
    }
    return units;
}

} // namespace Vcl
