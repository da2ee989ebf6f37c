#include "FuzzTargets.h"

#include "quorvel/vcl/FormFile.h"

#include <typeinfo>

namespace QuorvelFuzz {

using namespace Vcl;

void Finding(const std::string& what) { throw TFinding{what}; }

namespace {

// Reads the bytes in one code page and checks the round trip.
void RoundTrip(std::string_view input, TCodePage codePage) {
    TFormTextOptions options;
    options.CodePage = codePage;
    TFormObject model;
    try {
        model = ReadFormText(input, options);
    } catch (const EReadError&) {
        return; // refused cleanly: the documented outcome for malformed bytes
    }
    if (!IsFormText(input))
        Finding("read as text, but IsFormText says it is not text");
    String text;
    try {
        text = WriteFormText(model);
    } catch (const Exception& e) {
        Finding(std::string("a model read from text has no text form: ") + e.what());
    }
    TFormObject back;
    try {
        back = ReadFormText(text);
    } catch (const EReadError& e) {
        Finding(std::string("the written text does not read back: ") + e.what() + "\n" + text);
    }
    if (!(back == model))
        Finding("the written text reads back as another model:\n" + text);
    if (WriteFormText(back) != text)
        Finding("the model read back is written as other text:\n" + text);
}

} // namespace

void FuzzTextReader(std::string_view input) {
    try {
        RoundTrip(input, TCodePage::Windows1252);
        // The other code page decodes the bytes 0x80 to 0x9F differently.
        if (input.find_first_of(
                "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F"
                "\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F") !=
            std::string_view::npos)
            RoundTrip(input, TCodePage::Latin1);
    } catch (const std::exception& e) {
        Finding(std::string("unexpected ") + typeid(e).name() + ": " + e.what());
    }
}

} // namespace QuorvelFuzz
