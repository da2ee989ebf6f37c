// The six form-size properties: their checks and the refusals in Japanese or
// English, chosen by the user's locale at every assignment.
#include "quorvel/component/Quorvel.h"

namespace Quorvel {

using namespace Vcl;
using namespace Win32;

namespace {

struct TMessagePair {
    const char* Japanese;
    const char* English;
};

constexpr TMessagePair NotNegative{"0 以上の値を入れてください",
                                   "Set this value equal to or greater than 0"};
constexpr TMessagePair AtLeastMinWidth{"FormMinWidth 以上の値を入れてください",
                                       "Set this value equal to or greater than the FormMinWidth"};
constexpr TMessagePair AtMostMaxWidth{"FormMaxWidth 以下の値を入れてください",
                                      "Set this value equal to or less than the FormMaxWidth"};
constexpr TMessagePair AtLeastMinHeight{
    "FormMinHeight 以上の値を入れてください",
    "Set this value equal to or greater than the FormMinHeight"};
constexpr TMessagePair AtMostMaxHeight{"FormMaxHeight 以下の値を入れてください",
                                       "Set this value equal to or less than the FormMaxHeight"};
constexpr TMessagePair AtLeastWidth{"FormWidth 以上の値を入れてください",
                                    "Set this value equal to or greater than the FormWidth"};
constexpr TMessagePair AtMostWidth{"FormWidth 以下の値を入れてください",
                                   "Set this value equal to or less than the FormWidth"};
constexpr TMessagePair AtLeastHeight{"FormHeight 以上の値を入れてください",
                                     "Set this value equal to or greater than the FormHeight"};
constexpr TMessagePair AtMostHeight{"FormHeight 以下の値を入れてください",
                                    "Set this value equal to or less than the FormHeight"};

struct TCheck {
    bool Fails;
    const TMessagePair& Message;
};

// The procedure all six setters share: the language first, 0 always accepted,
// then the three checks in order, and the value stored only when it changed.
void SetSize(const TQuorvel& self, int& field, int Value, TCheck check2, TCheck check3) {
    IsJapanese = self.CheckJapan();
    if (Value == 0) {
        field = 0;
        return;
    }
    auto refuse = [](const TMessagePair& pair) {
        throw EInvalidOperation(IsJapanese ? pair.Japanese : pair.English);
    };
    if (Value < 0)
        refuse(NotNegative);
    if (check2.Fails)
        refuse(check2.Message);
    if (check3.Fails)
        refuse(check3.Message);
    if (Value != field)
        field = Value;
}

} // namespace

void TQuorvel::SetFormWidth(int Value) {
    SetSize(*this, FFormWidth, Value, {Value < FFormMinWidth, AtLeastMinWidth},
            {FFormMaxWidth != 0 && Value > FFormMaxWidth, AtMostMaxWidth});
}

void TQuorvel::SetFormHeight(int Value) {
    SetSize(*this, FFormHeight, Value, {Value < FFormMinHeight, AtLeastMinHeight},
            {FFormMaxHeight != 0 && Value > FFormMaxHeight, AtMostMaxHeight});
}

void TQuorvel::SetFormMaxWidth(int Value) {
    SetSize(*this, FFormMaxWidth, Value,
            {FFormMinWidth != 0 && Value < FFormMinWidth, AtLeastMinWidth},
            {FFormWidth != 0 && Value < FFormWidth, AtLeastWidth});
}

void TQuorvel::SetFormMaxHeight(int Value) {
    SetSize(*this, FFormMaxHeight, Value,
            {FFormMinHeight != 0 && Value < FFormMinHeight, AtLeastMinHeight},
            {FFormHeight != 0 && Value < FFormHeight, AtLeastHeight});
}

void TQuorvel::SetFormMinWidth(int Value) {
    SetSize(*this, FFormMinWidth, Value,
            {FFormMaxWidth != 0 && Value > FFormMaxWidth, AtMostMaxWidth},
            {FFormWidth != 0 && Value > FFormWidth, AtMostWidth});
}

void TQuorvel::SetFormMinHeight(int Value) {
    SetSize(*this, FFormMinHeight, Value,
            {FFormMaxHeight != 0 && Value > FFormMaxHeight, AtMostMaxHeight},
            {FFormHeight != 0 && Value > FFormHeight, AtMostHeight});
}

bool TQuorvel::CheckJapan() const {
    char buffer[4] = {0, 0, 0, 0};
    // Room for the three letters and the terminating zero: a buffer too small for
    // the whole name need not receive its first letters.
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, buffer, 4);
    buffer[3] = 0;
    const String language = AnsiUpperCase(String(buffer));
    return lstrcmpA(language.c_str(), "JPN") == 0;
}

} // namespace Quorvel
