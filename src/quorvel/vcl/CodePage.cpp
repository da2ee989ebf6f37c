#include "quorvel/vcl/CodePage.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <vector>

#if QUORVEL_HAVE_ICONV
#include <cerrno>
#include <iconv.h>
#endif

namespace Vcl {

namespace {

// The pages Windows uses as the ANSI code page of some locale. Anything else (OEM
// and EBCDIC pages, UTF-8) is no ANSI page: a form file is never stored in it.
constexpr std::array<unsigned, 14> kAnsiPages = {874,  932,  936,  949,  950,  1250, 1251,
                                                 1252, 1253, 1254, 1255, 1256, 1257, 1258};

bool IsAnsiPage(unsigned number) {
    return number == TCodePage::Latin1.Number() ||
           std::find(kAnsiPages.begin(), kAnsiPages.end(), number) != kAnsiPages.end();
}

String Named(TCodePage codePage) { return "code page " + std::to_string(codePage.Number()); }

char16_t DecodeBuiltIn(unsigned char byte, TCodePage codePage) {
    static constexpr char16_t kWindows1252High[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    if (codePage == TCodePage::Windows1252 && byte >= 0x80 && byte <= 0x9F)
        return kWindows1252High[byte - 0x80];
    return byte;
}

#if QUORVEL_HAVE_ICONV

// One open converter per page and thread: opening one costs far more than a
// string's conversion, and a converter keeps state, so threads never share one.
class TConverter {
public:
    explicit TConverter(unsigned number) : FNumber(number) {
        String name = "CP" + std::to_string(number);
        if (number == TCodePage::Latin1.Number())
            name = "ISO-8859-1";
        FHandle = iconv_open(std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE",
                             name.c_str());
    }
    ~TConverter() {
        if (Valid())
            iconv_close(FHandle);
    }
    TConverter(const TConverter&) = delete;
    TConverter& operator=(const TConverter&) = delete;

    unsigned Number() const { return FNumber; }
    bool Valid() const { return FHandle != reinterpret_cast<iconv_t>(-1); }

    // Decodes the bytes; `clean` tells whether they were whole characters only.
    void Append(std::u16string& out, std::string_view bytes, bool& clean) {
        clean = true;
        iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
        std::vector<char16_t> buffer(bytes.size() * 2 + 8);
        char* in = const_cast<char*>(bytes.data());
        std::size_t inLeft = bytes.size();
        auto take = [&](char* outPos) {
            out.append(buffer.data(),
                       static_cast<std::size_t>(outPos - reinterpret_cast<char*>(buffer.data())) /
                           sizeof(char16_t));
        };
        while (inLeft > 0) {
            char* outPos = reinterpret_cast<char*>(buffer.data());
            std::size_t outLeft = buffer.size() * sizeof(char16_t);
            std::size_t result = iconv(FHandle, &in, &inLeft, &outPos, &outLeft);
            int error = result == static_cast<std::size_t>(-1) ? errno : 0;
            take(outPos);
            if (error != 0 && error != E2BIG && inLeft > 0) {
                // The byte starts no character here: it stands for itself, and
                // decoding goes on after it.
                clean = false;
                out += static_cast<char16_t>(static_cast<unsigned char>(*in));
                ++in;
                --inLeft;
                iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
            }
        }
        // What the converter held back (a base letter waiting for a combining mark).
        char* outPos = reinterpret_cast<char*>(buffer.data());
        std::size_t outLeft = buffer.size() * sizeof(char16_t);
        iconv(FHandle, nullptr, nullptr, &outPos, &outLeft);
        take(outPos);
    }

private:
    unsigned FNumber;
    iconv_t FHandle;
};

TConverter* ConverterFor(unsigned number) {
    thread_local std::vector<std::unique_ptr<TConverter>> converters;
    for (auto& c : converters) {
        if (c->Number() == number)
            return c->Valid() ? c.get() : nullptr;
    }
    converters.push_back(std::make_unique<TConverter>(number));
    return converters.back()->Valid() ? converters.back().get() : nullptr;
}

#endif

} // namespace

String CodePageProblem(TCodePage codePage) {
    if (!IsAnsiPage(codePage.Number()))
        return "unknown " + Named(codePage) +
               ": not a Windows ANSI code page (874, 932, 936, 949, 950, 1250 to 1258, or 28591)";
    if (codePage.BuiltIn())
        return {};
#if QUORVEL_HAVE_ICONV
    if (ConverterFor(codePage.Number()) == nullptr)
        return Named(codePage) + " is not supported: the system's iconv does not know CP" +
               std::to_string(codePage.Number());
    return {};
#else
    return Named(codePage) +
           " is not supported in this build (it has no iconv; it reads 1252 and 28591 only)";
#endif
}

void CheckCodePage(TCodePage codePage) {
    String problem = CodePageProblem(codePage);
    if (!problem.empty())
        throw EConvertError(problem);
}

void AppendAnsiText(std::u16string& out, std::string_view bytes, TCodePage codePage) {
    if (codePage.BuiltIn()) {
        for (char c : bytes)
            out += DecodeBuiltIn(static_cast<unsigned char>(c), codePage);
        return;
    }
#if QUORVEL_HAVE_ICONV
    if (TConverter* converter = ConverterFor(codePage.Number())) {
        bool clean = true;
        converter->Append(out, bytes, clean);
        return;
    }
#endif
    CheckCodePage(codePage);
}

char16_t DecodeAnsiChar(unsigned char byte, TCodePage codePage) {
    if (codePage.BuiltIn())
        return DecodeBuiltIn(byte, codePage);
    std::u16string one;
    char c = static_cast<char>(byte);
    AppendAnsiText(one, std::string_view(&c, 1), codePage);
    return one.size() == 1 ? one[0] : static_cast<char16_t>(byte);
}

bool AnsiByteIsItself(unsigned char byte, TCodePage codePage) {
    if (byte < 0x80)
        return true;
    // The writer's rule for the built-in pages holds for both at once: a code the
    // one reads differently from the other goes into the quotes instead.
    if (codePage.BuiltIn())
        return byte >= 0xA0 || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 ||
               byte == 0x9D;
#if QUORVEL_HAVE_ICONV
    if (TConverter* converter = ConverterFor(codePage.Number())) {
        std::u16string one;
        bool clean = true;
        char c = static_cast<char>(byte);
        converter->Append(one, std::string_view(&c, 1), clean);
        return clean && one.size() == 1 && one[0] == byte;
    }
#endif
    return false;
}

} // namespace Vcl
