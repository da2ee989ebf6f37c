#include "quorvel/vcl/Lists.h"

#include "quorvel/vcl/Filer.h"

#include <algorithm>

namespace Vcl {

namespace {
[[noreturn]] void IndexError(int index) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}
} // namespace

// ---- TList ------------------------------------------------------------------------

void* TList::Get(int index) const {
    if (index < 0 || index >= Count())
        IndexError(index);
    return FItems[static_cast<std::size_t>(index)];
}

void TList::Put(int index, void* item) {
    if (index < 0 || index >= Count())
        IndexError(index);
    FItems[static_cast<std::size_t>(index)] = item;
}

int TList::Add(void* item) {
    FItems.push_back(item);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    if (index < 0 || index > Count())
        IndexError(index);
    FItems.insert(FItems.begin() + index, item);
}

void TList::Delete(int index) {
    if (index < 0 || index >= Count())
        IndexError(index);
    FItems.erase(FItems.begin() + index);
}

int TList::Remove(void* item) {
    int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
    return index;
}

int TList::IndexOf(void* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TList::Pack() {
    FItems.erase(std::remove(FItems.begin(), FItems.end(), nullptr), FItems.end());
}

// ---- TStrings ---------------------------------------------------------------------

const TClassInfo& TStrings::StaticClass() {
    static const TClassInfo info{"TStrings", &TPersistent::StaticClass(), {}, {}, nullptr};
    return info;
}

int TStrings::IndexOf(std::string_view s) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Get(i), s))
            return i;
    return -1;
}

int TStrings::Add(const String& s) {
    Insert(Count(), s);
    return Count() - 1;
}

String TStrings::Text() const {
    String text;
    for (int i = 0; i < Count(); ++i)
        text += Get(i) + "\r\n";
    return text;
}

void TStrings::SetText(std::string_view text) {
    Clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            Add(String(text.substr(start)));
            break;
        }
        Add(String(text.substr(start, end - start)));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
}

void TStrings::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TStrings*>(&source);
    if (!other)
        AssignError(source);
    if (other == this)
        return;
    Clear();
    for (int i = 0; i < other->Count(); ++i)
        Add(other->Get(i));
}

void TStrings::DefineProperties(TFiler& filer) {
    // Lines an inherited component shares with its ancestor are not written.
    auto sameAsAncestor = [this, &filer] {
        const auto* theirs = FilerAncestor<TStrings>(filer);
        if (!theirs || theirs->Count() != Count())
            return false;
        for (int i = 0; i < Count(); ++i)
            if (theirs->Get(i) != Get(i))
                return false;
        return true;
    };
    filer.DefineProperty(
        "Strings",
        [this](TReader& reader) {
            Clear();
            reader.ReadListBegin();
            while (!reader.EndOfList())
                Add(reader.ReadString());
            reader.ReadListEnd();
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            for (int i = 0; i < Count(); ++i)
                writer.WriteString(Get(i));
            writer.WriteListEnd();
        },
        Count() > 0 && !sameAsAncestor());
}

void TStrings::Changed() { OnChange(this); }

// ---- TStringList ------------------------------------------------------------------

const TClassInfo& TStringList::StaticClass() {
    static const TClassInfo info{"TStringList", &TStrings::StaticClass(), {}, {}, nullptr};
    return info;
}

const String& TStringList::Get(int index) const {
    if (index < 0 || index >= Count())
        IndexError(index);
    return FItems[static_cast<std::size_t>(index)];
}

void TStringList::Put(int index, const String& s) {
    if (index < 0 || index >= Count())
        IndexError(index);
    FItems[static_cast<std::size_t>(index)] = s;
    Changed();
}

void TStringList::Insert(int index, const String& s) {
    if (index < 0 || index > Count())
        IndexError(index);
    FItems.insert(FItems.begin() + index, s);
    Changed();
}

void TStringList::Delete(int index) {
    if (index < 0 || index >= Count())
        IndexError(index);
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty())
        return;
    FItems.clear();
    Changed();
}

int TStringList::IndexOf(std::string_view s) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (CaseSensitive ? FItems[i] == s : SameText(FItems[i], s))
            return static_cast<int>(i);
    return -1;
}

} // namespace Vcl
