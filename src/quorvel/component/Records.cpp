// Control records: the font copy, the builder for controls recorded after
// start-up, and the lookup of records by name.
#include "quorvel/component/Quorvel.h"

#include "quorvel/core/Scaling.h"

namespace Quorvel {

using namespace Vcl;

namespace {
const char* const GeneratedPrefix = "QvlAdd";

// A generated name that the platform copied into an empty text is cleared again.
void ClearGeneratedText(TControl* control) {
    const String text = control->GetText();
    if (text.compare(0, 6, GeneratedPrefix) == 0)
        control->SetText(String());
}

// The reference for what a control shows now at the factor that placed it.
int Unscale(int value, double scale) { return *Core::ReferenceFromCurrent(value, scale); }
} // namespace

void TQuorvel::GetFontSetting(TFont*& Font, TComponent* Component) {
    auto* control = dynamic_cast<TControl*>(Component);
    if (control && GetPropInfo(*Component, "Font")) {
        Font = new TFont;
        Font->Assign(*control->Font());
    } else {
        Font = nullptr;
    }
}

void TQuorvel::AddCtrlInfo(TComponent* Control, const String& ParentName, int ChildCount) {
    auto* control = dynamic_cast<TControl*>(Control);
    if (!control)
        return;
    ++FAddCnt;
    if (Trim(Control->Name()).empty())
        Control->SetName(GeneratedPrefix + FormatZeroPadded(FAddCnt, 4));
    if (GetPropInfo(*Control, "Caption"))
        ClearGeneratedText(control);
    if (GetPropInfo(*Control, "Text"))
        ClearGeneratedText(control);

    auto* R = new TCtrlInfo;
    R->Name = Control->Name();
    if (FPrevScaleX != 0) {
        R->Left = Unscale(control->Left(), FPrevScaleX);
        R->Width = Unscale(control->Width(), FPrevScaleX);
    }
    if (FPrevScaleY != 0) {
        R->Top = Unscale(control->Top(), FPrevScaleY);
        R->Height = Unscale(control->Height(), FPrevScaleY);
    }
    R->OldLeft = control->Left();
    R->OldTop = control->Top();
    R->OldWidth = control->Width();
    R->OldHeight = control->Height();
    GetFontSetting(R->Font, Control);
    R->ParentFont = true;
    R->OrgParentFont = true;
    if (R->Font) {
        R->ParentFont = R->OrgParentFont = control->ParentFont();
        if (FPrevScaleF != 0) {
            R->Font->SetSize(Unscale(control->Font()->Size(), FPrevScaleF));
            R->OldFontSize = control->Font()->Size();
        }
    }
    R->ParentName = ParentName;
    R->ChildCtlCnt = ChildCount;
    (R->ParentName.empty() ? FCtrls : FChildCtrls)->Add(R);
    // An appended record comes after every other: the index keeps the first of a name.
    if (FIndexValid) {
        if (R->ParentName.empty())
            FCtrlIndex.emplace(R->Name, R);
        else
            FChildIndex[R->ParentName].emplace(R->Name, R);
    }
}

void TQuorvel::RebuildIndex() {
    FCtrlIndex.clear();
    FChildIndex.clear();
    // emplace keeps the first record of a name: the lists' first-match meaning.
    for (void* item : *FCtrls) {
        auto* info = static_cast<PCtrlInfo>(item);
        FCtrlIndex.emplace(info->Name, info);
    }
    for (void* item : *FChildCtrls) {
        auto* info = static_cast<PCtrlInfo>(item);
        FChildIndex[info->ParentName].emplace(info->Name, info);
    }
    FIndexValid = true;
}

PCtrlInfo TQuorvel::FindCtrl(std::string_view Name) {
    if (!FIndexValid)
        RebuildIndex();
    auto it = FCtrlIndex.find(Name);
    return it == FCtrlIndex.end() ? nullptr : it->second;
}

PCtrlInfo TQuorvel::FindChildCtrl(std::string_view ParentName, std::string_view Name) {
    if (!FIndexValid)
        RebuildIndex();
    auto frame = FChildIndex.find(ParentName);
    if (frame == FChildIndex.end())
        return nullptr;
    auto it = frame->second.find(Name);
    return it == frame->second.end() ? nullptr : it->second;
}

} // namespace Quorvel
