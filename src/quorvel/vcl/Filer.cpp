#include "quorvel/vcl/Filer.h"

namespace Vcl {

namespace {
const char* KindName(TFormValue::TKind kind) {
    switch (kind) {
    case TFormValue::TKind::Integer: return "an integer";
    case TFormValue::TKind::Float: return "a number";
    case TFormValue::TKind::String: return "a string";
    case TFormValue::TKind::Ident: return "an identifier";
    case TFormValue::TKind::Set: return "a set";
    case TFormValue::TKind::List: return "a list";
    case TFormValue::TKind::Binary: return "binary data";
    case TFormValue::TKind::Collection: return "a collection";
    }
    return "a value";
}
} // namespace

// ---- TReader ----------------------------------------------------------------------

TReader::TReader(const TFormValue& value, String fileName)
    : FRoot(value), FFileName(std::move(fileName)) {}

void TReader::Fail(const String& reason, const TFormValue& at) const {
    throw EReadError(reason, FFileName, at.Line, at.Column);
}

const TFormValue& TReader::ReadValue() {
    if (FLists.empty()) {
        if (FRootTaken)
            Fail("no more values to read", FRoot);
        FRootTaken = true;
        return FRoot;
    }
    TListState& state = FLists.back();
    if (state.Next >= state.List->List.size())
        Fail("list ended early", *state.List);
    return state.List->List[state.Next++];
}

const TFormValue& TReader::Next(TFormValue::TKind expected, const char* what) {
    const TFormValue& v = ReadValue();
    if (v.Kind != expected)
        Fail(String("expected ") + what + ", found " + KindName(v.Kind), v);
    return v;
}

std::int64_t TReader::ReadInt64() { return Next(TFormValue::TKind::Integer, "an integer").Int; }

std::int32_t TReader::ReadInteger() {
    const TFormValue& v = Next(TFormValue::TKind::Integer, "an integer");
    if (v.Int < INT32_MIN || v.Int > INT32_MAX)
        Fail("integer out of range: " + std::to_string(v.Int), v);
    return static_cast<std::int32_t>(v.Int);
}

double TReader::ReadFloat() {
    const TFormValue& v = ReadValue();
    if (v.Kind == TFormValue::TKind::Integer)
        return static_cast<double>(v.Int);
    if (v.Kind != TFormValue::TKind::Float)
        Fail(String("expected a number, found ") + KindName(v.Kind), v);
    return v.Number();
}

String TReader::ReadString() { return Next(TFormValue::TKind::String, "a string").Str; }

String TReader::ReadIdent() { return Next(TFormValue::TKind::Ident, "an identifier").Str; }

bool TReader::ReadBoolean() {
    const TFormValue& v = Next(TFormValue::TKind::Ident, "True or False");
    if (SameText(v.Str, "True"))
        return true;
    if (SameText(v.Str, "False"))
        return false;
    Fail("expected True or False, found " + v.Str, v);
}

std::vector<std::uint8_t> TReader::ReadBinary() {
    return Next(TFormValue::TKind::Binary, "binary data").Binary;
}

void TReader::ReadListBegin() {
    const TFormValue& v = Next(TFormValue::TKind::List, "a list");
    FLists.push_back({&v, 0});
}

bool TReader::EndOfList() const {
    return FLists.empty() || FLists.back().Next >= FLists.back().List->List.size();
}

void TReader::ReadListEnd() {
    if (FLists.empty())
        Fail("not inside a list", FRoot);
    if (!EndOfList())
        Fail("list has more values than expected", *FLists.back().List);
    FLists.pop_back();
}

// ---- TWriter ----------------------------------------------------------------------

void TWriter::Emit(TFormValue value) {
    if (!FOpenLists.empty()) {
        FOpenLists.back().List.push_back(std::move(value));
        return;
    }
    FValue = std::move(value);
    FHasValue = true;
}

void TWriter::WriteInteger(std::int64_t value) { Emit(TFormValue::MakeInteger(value)); }
void TWriter::WriteFloat(double value) { Emit(TFormValue::MakeFloat(value)); }
void TWriter::WriteString(const String& value) { Emit(TFormValue::MakeString(value)); }
void TWriter::WriteIdent(const String& value) { Emit(TFormValue::MakeIdent(value)); }
void TWriter::WriteBoolean(bool value) { Emit(TFormValue::MakeIdent(value ? "True" : "False")); }
void TWriter::WriteBinary(std::vector<std::uint8_t> bytes) {
    Emit(TFormValue::MakeBinary(std::move(bytes)));
}
void TWriter::WriteValue(TFormValue value) { Emit(std::move(value)); }

void TWriter::WriteListBegin() {
    TFormValue list;
    list.Kind = TFormValue::TKind::List;
    FOpenLists.push_back(std::move(list));
}

void TWriter::WriteListEnd() {
    if (FOpenLists.empty())
        throw EInvalidOperation("WriteListEnd without WriteListBegin");
    TFormValue list = std::move(FOpenLists.back());
    FOpenLists.pop_back();
    Emit(std::move(list));
}

} // namespace Vcl
