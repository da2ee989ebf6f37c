#include "FuzzTargets.h"

#include "quorvel/vcl/FormFile.h"

#include <typeinfo>

namespace QuorvelFuzz {

using namespace Vcl;

void FuzzBinaryReader(std::string_view input) {
    try {
        TFormObject model;
        try {
            model = ReadFormBinary(input);
        } catch (const EReadError&) {
            return; // refused cleanly, naming the offset
        }
        if (!IsFormBinary(input))
            Finding("read as a binary form file, but IsFormBinary says it is not one");
        String text;
        try {
            text = WriteFormText(model);
        } catch (const EConvertError&) {
            // A stream may hold names, strings or numbers that the text syntax cannot
            // express; the writer refuses those, as documented.
            return;
        }
        TFormObject back;
        try {
            back = ReadFormText(text);
        } catch (const EReadError& e) {
            Finding(std::string("the text written from a binary form does not read: ") + e.what() +
                    "\n" + text);
        }
        if (!(back == model))
            Finding("the text written from a binary form reads back as another model:\n" + text);
        if (WriteFormText(back) != text)
            Finding("the model read back is written as other text:\n" + text);
    } catch (const std::exception& e) {
        Finding(std::string("unexpected ") + typeid(e).name() + ": " + e.what());
    }
}

} // namespace QuorvelFuzz
