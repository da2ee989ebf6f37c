// Values a component stores beside its published properties (defined
// properties), read and written through TReader and TWriter. Both work on one
// form-file value at a time; lists are entered with ReadListBegin/WriteListBegin.
#pragma once

#include "quorvel/vcl/FormFile.h"

#include <functional>

namespace Vcl {

class TReader;
class TWriter;
class TPersistent;

using TReaderProc = std::function<void(TReader&)>;
using TWriterProc = std::function<void(TWriter&)>;

class TFiler {
public:
    virtual ~TFiler() = default;
    virtual bool Writing() const = 0;
    // `read` runs when the stream being read holds a property of that name;
    // `write` runs when writing and hasData is true.
    virtual void DefineProperty(const String& name, TReaderProc read, TWriterProc write,
                                bool hasData) = 0;
    // While a component of an inherited form (or of an inline frame) is written:
    // the same component as its ancestor has it, so that values it shares with the
    // ancestor are left out. nullptr otherwise.
    virtual TPersistent* Ancestor() const { return nullptr; }
};

// The ancestor the filer writes against, as the class being written, or nullptr.
template <typename T> const T* FilerAncestor(const TFiler& filer) {
    return dynamic_cast<const T*>(filer.Ancestor());
}

// Reads the value of one defined property.
class TReader {
public:
    explicit TReader(const TFormValue& value, String fileName = {});

    std::int32_t ReadInteger();
    std::int64_t ReadInt64();
    double ReadFloat();
    String ReadString();
    String ReadIdent();
    bool ReadBoolean();
    std::vector<std::uint8_t> ReadBinary();
    void ReadListBegin();
    bool EndOfList() const;
    void ReadListEnd();
    // The next value as it stands, whatever its kind.
    const TFormValue& ReadValue();

private:
    const TFormValue& Next(TFormValue::TKind expected, const char* what);
    [[noreturn]] void Fail(const String& reason, const TFormValue& at) const;

    const TFormValue& FRoot;
    String FFileName;
    bool FRootTaken = false;
    struct TListState {
        const TFormValue* List;
        std::size_t Next;
    };
    std::vector<TListState> FLists;
};

// Builds the value of one defined property.
class TWriter {
public:
    void WriteInteger(std::int64_t value);
    void WriteFloat(double value);
    void WriteString(const String& value);
    void WriteIdent(const String& value);
    void WriteBoolean(bool value);
    void WriteBinary(std::vector<std::uint8_t> bytes);
    void WriteListBegin();
    void WriteListEnd();
    void WriteValue(TFormValue value);

    // The value written (valid once exactly one value has been completed).
    bool HasValue() const { return FHasValue; }
    const TFormValue& Value() const { return FValue; }

private:
    void Emit(TFormValue value);

    TFormValue FValue;
    bool FHasValue = false;
    std::vector<TFormValue> FOpenLists;
};

} // namespace Vcl
