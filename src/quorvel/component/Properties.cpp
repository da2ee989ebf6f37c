// The published properties of TQuorvel: their table for the form-file reader and
// writer, every setter with its checks (the six sizes refuse bad values in
// Japanese or English, chosen by the user's locale at every assignment), and the
// design values stored beside them.
#include "quorvel/component/Interception.h"
#include "quorvel/component/Placement.h"
#include "quorvel/vcl/Filer.h"
#include "quorvel/vcl/SysInfo.h"

namespace Quorvel {

using namespace Vcl;
using namespace Win32;

const TEnumInfo ResizeFormPosInfo{"TResizeFormPos",
                                  {"rpDefault", "rpTopLeft", "rpTopCenter", "rpTopRight",
                                   "rpMiddleLeft", "rpMiddleCenter", "rpMiddleRight",
                                   "rpBottomLeft", "rpBottomCenter", "rpBottomRight"}};

const TClassInfo& TQuorvel::StaticClass() {
    using Q = TQuorvel;
    // The ten ordinal properties declare no default, so they are always written.
    static const TClassInfo info{
        "TQuorvel",
        &TComponent::StaticClass(),
        {
            EnumProp<Q>("FormPos", ResizeFormPosInfo, &Q::FormPos, &Q::SetFormPos),
            IntProp<Q>("FormWidth", &Q::FormWidth, &Q::SetFormWidth),
            IntProp<Q>("FormHeight", &Q::FormHeight, &Q::SetFormHeight),
            IntProp<Q>("FormMaxWidth", &Q::FormMaxWidth, &Q::SetFormMaxWidth),
            IntProp<Q>("FormMaxHeight", &Q::FormMaxHeight, &Q::SetFormMaxHeight),
            IntProp<Q>("FormMinWidth", &Q::FormMinWidth, &Q::SetFormMinWidth),
            IntProp<Q>("FormMinHeight", &Q::FormMinHeight, &Q::SetFormMinHeight),
            BoolProp<Q>("ResizeFont", &Q::ResizeFont, &Q::SetResizeFont),
            StrProp<Q>("NoResizeFntCtl", &Q::NoResizeFntCtl, &Q::SetNoResizeFntCtl),
            StrProp<Q>("NoResizeCtl", &Q::NoResizeCtl, &Q::SetNoResizeCtl),
            BoolProp<Q>("Enabled", &Q::Enabled, &Q::SetEnabled),
            BoolProp<Q>("ValidTaskbar", &Q::ValidTaskbar, &Q::SetValidTaskbar),
            EventProp<Q>("OnExitResize", &Q::OnExitResize),
        },
        {},
        &CreateInstance<TQuorvel>};
    return info;
}

// ---- Placement ----

void TQuorvel::SetFormPos(TResizeFormPos Value) {
    if (Value == FFormPos)
        return;
    FFormPos = Value;
    if (Designing())
        return;
    TCustomForm* form = OwnerForm();
    if (!form)
        return;
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    OffsetRect(&r, -r.left, -r.top);
    PlaceForm(form, FFormPos, r.right, r.bottom);
}

// ---- The six sizes ----

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

// ---- Fonts and exclusions ----

void TQuorvel::SetResizeFont(bool Value) {
    if (Value != FResizeFont)
        FResizeFont = Value;
}

void TQuorvel::SetNoResizeCtl(const String& Value) {
    if (Value != FNoResizeCtl)
        FNoResizeCtl = Value;
    if (!Designing())
        SetNoResizeCtls();
}

void TQuorvel::SetNoResizeFntCtl(const String& Value) {
    if (Value != FNoResizeFntCtl)
        FNoResizeFntCtl = Value;
    if (!Designing())
        SetNoResizeFntCtls();
}

// ---- Interception ----

void TQuorvel::SetEnabled(bool Value) {
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    if (Designing())
        return;
    TCustomForm* form = OwnerForm();
    if (Win32MajorVersion() == 4) {
        if (FHoldsHook) {
            if (!FEnabled) {
                ReleaseHook();
                FHoldsHook = false;
            }
            return;
        }
        if (!FEnabled)
            return;
        FHoldsHook = AcquireHook();
    } else {
        if (lpPrevWndProc != 0) {
            if (!FEnabled)
                RestoreWndProc();
            return;
        }
        // Only a registered instance is found by the window procedure; installing
        // it for any other would leave the form's messages unclaimed.
        if (!FEnabled || !form || !FSelfPointer)
            return;
        FOwnerHandle = form->Handle();
        InstallWndProc(FOwnerHandle);
    }
    if (form && form->Handle() != FOwnerHandle)
        FOwnerHandle = form->Handle();
}

void TQuorvel::SetValidTaskbar(bool Value) {
    if (Value != FValidTaskbar)
        FValidTaskbar = Value;
}

// ---- Design values: read into the fields, written freshly measured ----

void TQuorvel::DefineProperties(TFiler& Filer) {
    TComponent::DefineProperties(Filer);
    auto* owner = dynamic_cast<TControl*>(Owner());
    Filer.DefineProperty(
        "DesignFrmW", [this](TReader& Reader) { FDesignFrmW = Reader.ReadInteger(); },
        [owner](TWriter& Writer) { Writer.WriteInteger(owner ? owner->ClientWidth() : 0); }, true);
    Filer.DefineProperty(
        "DesignFrmH", [this](TReader& Reader) { FDesignFrmH = Reader.ReadInteger(); },
        [owner](TWriter& Writer) { Writer.WriteInteger(owner ? owner->ClientHeight() : 0); }, true);
    Filer.DefineProperty(
        "DesignDpiW", [this](TReader& Reader) { FDesignDpiW = Reader.ReadInteger(); },
        [](TWriter& Writer) { Writer.WriteInteger(ScreenDpi().X); }, true);
    Filer.DefineProperty(
        "DesignDpiH", [this](TReader& Reader) { FDesignDpiH = Reader.ReadInteger(); },
        [](TWriter& Writer) { Writer.WriteInteger(ScreenDpi().Y); }, true);
}

} // namespace Quorvel
