// Form files in the binary component-stream format ("TPF0"), as older designers
// saved them, optionally wrapped in the 16-bit resource header those files carry.
// They read into the same document model as text files.
#include "quorvel/vcl/FormFile.h"

#include <cmath>
#include <cstring>

namespace Vcl {

namespace {

// Value tags of the stream.
enum TValueType : std::uint8_t {
    vaNull,
    vaList,
    vaInt8,
    vaInt16,
    vaInt32,
    vaExtended,
    vaString,
    vaIdent,
    vaFalse,
    vaTrue,
    vaBinary,
    vaSet,
    vaLString,
    vaNil,
    vaCollection,
    vaSingle,
    vaCurrency,
    vaDate,
    vaWString,
    vaInt64,
    vaUTF8String,
    vaDouble,
};

// Flags of a component header whose first byte is $Fx.
constexpr std::uint8_t ffInherited = 1;
constexpr std::uint8_t ffChildPos = 2;
constexpr std::uint8_t ffInline = 4;

constexpr std::string_view Signature = "TPF0";

class TBinaryReader {
public:
    TBinaryReader(std::string_view bytes, const TFormTextOptions& options)
        : FBytes(bytes), FOptions(options) {
        if (String problem = CodePageProblem(options.CodePage); !problem.empty())
            throw EReadError(problem, options.FileName);
    }

    TFormObject ReadRoot() {
        FPos = StreamStart(FBytes);
        if (FPos == String::npos)
            Fail("not a binary form file (no TPF0 signature)");
        FPos += Signature.size();
        TFormObject root = ReadObject(0);
        return root;
    }

    // Where the TPF0 stream starts: at 0, or after a resource header.
    static std::size_t StreamStart(std::string_view bytes) {
        if (bytes.substr(0, Signature.size()) == Signature)
            return 0;
        // $FF, a 16-bit type, a name (ordinal or zero-terminated), 16-bit flags and
        // a 32-bit size precede the stream in a resource-wrapped file.
        if (bytes.size() < 3 || static_cast<unsigned char>(bytes[0]) != 0xFF)
            return String::npos;
        std::size_t p = 3;
        if (p < bytes.size() && static_cast<unsigned char>(bytes[p]) == 0xFF) {
            p += 3;
        } else {
            while (p < bytes.size() && bytes[p] != 0)
                ++p;
            ++p;
        }
        p += 2 + 4;
        if (p + Signature.size() <= bytes.size() && bytes.substr(p, Signature.size()) == Signature)
            return p;
        return String::npos;
    }

private:
    [[noreturn]] void Fail(const String& reason) const {
        throw EReadError(reason + " at byte " + std::to_string(FPos), FOptions.FileName);
    }

    std::uint8_t Byte() {
        if (FPos >= FBytes.size())
            Fail("unexpected end of the binary form file");
        return static_cast<std::uint8_t>(FBytes[FPos++]);
    }

    std::uint8_t PeekByte() const {
        return FPos < FBytes.size() ? static_cast<std::uint8_t>(FBytes[FPos]) : 0;
    }

    std::string_view Take(std::size_t count) {
        if (count > FBytes.size() - FPos)
            Fail("a value reaches past the end of the binary form file");
        std::string_view part = FBytes.substr(FPos, count);
        FPos += count;
        return part;
    }

    std::uint64_t LittleEndian(int size) {
        std::string_view raw = Take(static_cast<std::size_t>(size));
        std::uint64_t v = 0;
        for (int i = size - 1; i >= 0; --i)
            v = (v << 8) | static_cast<std::uint8_t>(raw[static_cast<std::size_t>(i)]);
        return v;
    }

    std::int64_t Signed(int size) {
        std::uint64_t v = LittleEndian(size);
        const int bits = size * 8;
        if (bits < 64 && (v >> (bits - 1)) & 1)
            v |= ~std::uint64_t{0} << bits;
        return static_cast<std::int64_t>(v);
    }

    std::size_t Length32() {
        std::int64_t n = Signed(4);
        if (n < 0)
            Fail("negative length");
        return static_cast<std::size_t>(n);
    }

    // A name: one length byte, then ASCII (or ANSI) characters.
    String ShortString() {
        std::size_t n = Byte();
        return Ansi(Take(n));
    }

    String Ansi(std::string_view raw) const {
        std::u16string units;
        AppendAnsiText(units, raw, FOptions.CodePage);
        return Utf16ToUtf8(units);
    }

    // An 80-bit extended float, converted to the nearest double.
    double Extended() {
        std::string_view raw = Take(10);
        std::uint64_t mantissa = 0;
        for (int i = 7; i >= 0; --i)
            mantissa =
                (mantissa << 8) | static_cast<std::uint8_t>(raw[static_cast<std::size_t>(i)]);
        const unsigned exponentAndSign =
            static_cast<std::uint8_t>(raw[8]) |
            (static_cast<unsigned>(static_cast<std::uint8_t>(raw[9])) << 8);
        const bool negative = exponentAndSign & 0x8000;
        const int exponent = static_cast<int>(exponentAndSign & 0x7FFF);
        double value;
        if (exponent == 0 && mantissa == 0)
            value = 0;
        else if (exponent == 0x7FFF)
            value = mantissa << 1 ? std::nan("") : HUGE_VAL;
        else
            value = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
        return negative ? -value : value;
    }

    double Float(int size) {
        std::uint64_t bits = LittleEndian(size);
        if (size == 4) {
            std::uint32_t b32 = static_cast<std::uint32_t>(bits);
            float f;
            std::memcpy(&f, &b32, sizeof f);
            return f;
        }
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }

    TFormValue ReadValue(int depth) {
        if (depth > kFormTextMaxDepth)
            Fail("values nested too deeply");
        const std::uint8_t type = Byte();
        switch (type) {
        case vaInt8: return TFormValue::MakeInteger(Signed(1));
        case vaInt16: return TFormValue::MakeInteger(Signed(2));
        case vaInt32: return TFormValue::MakeInteger(Signed(4));
        case vaInt64: return TFormValue::MakeInteger(Signed(8));
        case vaExtended: return TFormValue::MakeFloat(Extended());
        case vaSingle: return TFormValue::MakeSingle(static_cast<float>(Float(4)));
        case vaDouble: return TFormValue::MakeFloat(Float(8));
        case vaDate: return TFormValue::MakeDate(Float(8));
        case vaCurrency: return TFormValue::MakeCurrency(Signed(8));
        case vaString: return TFormValue::MakeString(Ansi(Take(Byte())));
        case vaLString: return TFormValue::MakeString(Ansi(Take(Length32())));
        case vaUTF8String: {
            std::string_view raw = Take(Length32());
            if (!IsValidUtf8(raw))
                Fail("a UTF-8 string that is not UTF-8");
            return TFormValue::MakeString(String(raw));
        }
        case vaWString: {
            const std::size_t count = Length32();
            if (count > (FBytes.size() - FPos) / 2)
                Fail("a value reaches past the end of the binary form file");
            std::u16string text(count, u'\0');
            for (std::size_t i = 0; i < count; ++i)
                text[i] = static_cast<char16_t>(LittleEndian(2));
            return TFormValue::MakeString(Utf16ToUtf8(text));
        }
        case vaIdent: return TFormValue::MakeIdent(ShortString());
        case vaFalse: return TFormValue::MakeIdent("False");
        case vaTrue: return TFormValue::MakeIdent("True");
        case vaNil: return TFormValue::MakeIdent("nil");
        case vaSet: {
            std::vector<String> members;
            for (String member = ShortString(); !member.empty(); member = ShortString())
                members.push_back(std::move(member));
            return TFormValue::MakeSet(std::move(members));
        }
        case vaBinary: {
            std::string_view raw = Take(Length32());
            return TFormValue::MakeBinary(std::vector<std::uint8_t>(raw.begin(), raw.end()));
        }
        case vaList: {
            std::vector<TFormValue> elements;
            while (PeekByte() != vaNull)
                elements.push_back(ReadValue(depth + 1));
            Byte();
            return TFormValue::MakeList(std::move(elements));
        }
        case vaCollection: {
            std::vector<TFormCollectionItem> items;
            while (PeekByte() != vaNull) {
                // An item may carry an order value before its property list.
                if (PeekByte() == vaInt8 || PeekByte() == vaInt16 || PeekByte() == vaInt32)
                    ReadValue(depth + 1);
                if (Byte() != vaList)
                    Fail("a collection item must start with a list");
                TFormCollectionItem item;
                ReadProperties(item.Properties, depth + 1);
                items.push_back(std::move(item));
            }
            Byte();
            return TFormValue::MakeCollection(std::move(items));
        }
        default: --FPos; Fail("unknown value type " + std::to_string(type));
        }
    }

    // Properties until the empty name that ends the list.
    void ReadProperties(std::vector<TFormProperty>& out, int depth) {
        for (String name = ShortString(); !name.empty(); name = ShortString()) {
            TFormProperty property;
            property.Name = std::move(name);
            property.Value = ReadValue(depth);
            out.push_back(std::move(property));
        }
    }

    TFormObject ReadObject(int depth) {
        if (depth > kFormTextMaxDepth)
            Fail("objects nested too deeply");
        TFormObject object;
        if ((PeekByte() & 0xF0) == 0xF0) {
            const std::uint8_t flags = Byte() & 0x0F;
            object.Kind = (flags & ffInline)      ? TFormObject::TKind::Inline
                          : (flags & ffInherited) ? TFormObject::TKind::Inherited
                                                  : TFormObject::TKind::Object;
            if (flags & ffChildPos) {
                TFormValue index = ReadValue(depth + 1);
                if (index.Kind != TFormValue::TKind::Integer || index.Int < INT32_MIN ||
                    index.Int > INT32_MAX)
                    Fail("a child position must be an integer");
                object.Index = static_cast<int>(index.Int);
            }
        }
        object.ClassName = ShortString();
        object.Name = ShortString();
        if (object.ClassName.empty())
            Fail("an object without a class name");
        ReadProperties(object.Properties, depth);
        while (PeekByte() != vaNull)
            object.Children.push_back(ReadObject(depth + 1));
        Byte();
        return object;
    }

    std::string_view FBytes;
    const TFormTextOptions& FOptions;
    std::size_t FPos = 0;
};

} // namespace

bool IsFormBinary(std::string_view bytes) {
    return TBinaryReader::StreamStart(bytes) != String::npos;
}

TFormObject ReadFormBinary(std::string_view bytes, const TFormTextOptions& options) {
    return TBinaryReader(bytes, options).ReadRoot();
}

TFormObject ReadFormDocument(std::string_view bytes, const TFormTextOptions& options) {
    return IsFormBinary(bytes) ? ReadFormBinary(bytes, options) : ReadFormText(bytes, options);
}

} // namespace Vcl
