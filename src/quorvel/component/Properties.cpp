// The published properties of TQuorvel: their table for the form-file reader and
// writer, every setter with its checks (the six sizes refuse bad values in
// Japanese or English, chosen by the user's locale at every assignment), and the
// design values stored beside them.
#include "quorvel/component/ControlRecords.h"
#include "quorvel/component/FormHook.h"
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
    if (Value == FProps.FormPos)
        return;
    FProps.FormPos = Value;
    if (Designing())
        return;
    TCustomForm* form = OwnerForm();
    if (!form)
        return;
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    OffsetRect(&r, -r.left, -r.top);
    PlaceForm(form, FProps.FormPos, r.right, r.bottom);
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
    const Core::TSizeLimits& l = FProps.Limits;
    SetSize(*this, FProps.FormSize.X, Value, {Value < l.MinWidth, AtLeastMinWidth},
            {l.MaxWidth != 0 && Value > l.MaxWidth, AtMostMaxWidth});
}

void TQuorvel::SetFormHeight(int Value) {
    const Core::TSizeLimits& l = FProps.Limits;
    SetSize(*this, FProps.FormSize.Y, Value, {Value < l.MinHeight, AtLeastMinHeight},
            {l.MaxHeight != 0 && Value > l.MaxHeight, AtMostMaxHeight});
}

void TQuorvel::SetFormMaxWidth(int Value) {
    Core::TSizeLimits& l = FProps.Limits;
    const int width = FProps.FormSize.X;
    SetSize(*this, l.MaxWidth, Value, {l.MinWidth != 0 && Value < l.MinWidth, AtLeastMinWidth},
            {width != 0 && Value < width, AtLeastWidth});
}

void TQuorvel::SetFormMaxHeight(int Value) {
    Core::TSizeLimits& l = FProps.Limits;
    const int height = FProps.FormSize.Y;
    SetSize(*this, l.MaxHeight, Value, {l.MinHeight != 0 && Value < l.MinHeight, AtLeastMinHeight},
            {height != 0 && Value < height, AtLeastHeight});
}

void TQuorvel::SetFormMinWidth(int Value) {
    Core::TSizeLimits& l = FProps.Limits;
    const int width = FProps.FormSize.X;
    SetSize(*this, l.MinWidth, Value, {l.MaxWidth != 0 && Value > l.MaxWidth, AtMostMaxWidth},
            {width != 0 && Value > width, AtMostWidth});
}

void TQuorvel::SetFormMinHeight(int Value) {
    Core::TSizeLimits& l = FProps.Limits;
    const int height = FProps.FormSize.Y;
    SetSize(*this, l.MinHeight, Value, {l.MaxHeight != 0 && Value > l.MaxHeight, AtMostMaxHeight},
            {height != 0 && Value > height, AtMostHeight});
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
    if (Value != FProps.ResizeFont)
        FProps.ResizeFont = Value;
}

// Both lists are parsed again on every assignment, also of the same text.
void TQuorvel::SetNoResizeCtl(const String& Value) {
    if (Value != FProps.NoResizeCtl)
        FProps.NoResizeCtl = Value;
    if (FRecords)
        FRecords->SetExcluded(FProps.NoResizeCtl);
}

void TQuorvel::SetNoResizeFntCtl(const String& Value) {
    if (Value != FProps.NoResizeFntCtl)
        FProps.NoResizeFntCtl = Value;
    if (FRecords)
        FRecords->SetFixedFont(FProps.NoResizeFntCtl);
}

// ---- Interception ----

void TQuorvel::SetEnabled(bool Value) {
    if (Value == FProps.Enabled)
        return;
    FProps.Enabled = Value;
    if (Designing())
        return;
    TCustomForm* form = OwnerForm();
    if (Win32MajorVersion() == 4) {
        if (FHook->HoldsHook()) {
            if (!FProps.Enabled)
                FHook->ReleaseHook();
            return;
        }
        if (!FProps.Enabled)
            return;
        FHook->AcquireHook(); // a failure is not told: a later True tries again
    } else {
        if (FHook->Subclassed()) {
            if (!FProps.Enabled)
                FHook->Unsubclass();
            return;
        }
        // Only a registered instance is found by the window procedure; installing
        // it for any other would leave the form's messages unclaimed.
        if (!FProps.Enabled || !form || !FHook->HasSelfPointer())
            return;
        FHook->SetWindow(form->Handle());
        FHook->Subclass(FHook->Window());
    }
    if (form && form->Handle() != FHook->Window())
        FHook->SetWindow(form->Handle());
}

void TQuorvel::SetValidTaskbar(bool Value) {
    if (Value != FProps.ValidTaskbar)
        FProps.ValidTaskbar = Value;
}

// ---- Design values: read into the fields, written freshly measured ----

void TQuorvel::DefineProperties(TFiler& Filer) {
    TComponent::DefineProperties(Filer);
    auto* owner = dynamic_cast<TControl*>(Owner());
    Filer.DefineProperty(
        "DesignFrmW", [this](TReader& Reader) { FDesign.ClientWidth = Reader.ReadInteger(); },
        [owner](TWriter& Writer) { Writer.WriteInteger(owner ? owner->ClientWidth() : 0); }, true);
    Filer.DefineProperty(
        "DesignFrmH", [this](TReader& Reader) { FDesign.ClientHeight = Reader.ReadInteger(); },
        [owner](TWriter& Writer) { Writer.WriteInteger(owner ? owner->ClientHeight() : 0); }, true);
    Filer.DefineProperty(
        "DesignDpiW", [this](TReader& Reader) { FDesign.DpiX = Reader.ReadInteger(); },
        [](TWriter& Writer) { Writer.WriteInteger(ScreenDpi().X); }, true);
    Filer.DefineProperty(
        "DesignDpiH", [this](TReader& Reader) { FDesign.DpiY = Reader.ReadInteger(); },
        [](TWriter& Writer) { Writer.WriteInteger(ScreenDpi().Y); }, true);
}

} // namespace Quorvel
