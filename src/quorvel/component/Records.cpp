// Control records: the font copy, the builder for controls recorded after
// start-up, and the lookup of records by name.
#include "quorvel/component/Quorvel.h"

#include "quorvel/core/Scaling.h"
#include "quorvel/core/Startup.h"

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
    NewCtrlInfo(control, ParentName, ChildCount, nullptr);
}

PCtrlInfo TQuorvel::NewCtrlInfo(TControl* Control, const String& ParentName, int ChildCount,
                                const double* StartupRatio) {
    auto* R = new TCtrlInfo;
    R->Name = Control->Name();
    GetFontSetting(R->Font, Control);
    R->ParentFont = true;
    R->OrgParentFont = true;
    if (R->Font) {
        R->ParentFont = R->OrgParentFont = Control->ParentFont();
        TFont* font = Control->Font();
        if (StartupRatio) {
            // Start-up corrects an own font for the resolution and takes the result.
            if (!Control->ParentFont())
                font->SetSize(Core::StartupAdjust(font->Size(), *StartupRatio));
            R->Font->SetSize(font->Size());
            R->OldFontSize = font->Size();
        } else if (const auto size = Core::ReferenceFromCurrent(font->Size(), FPrevScaleF)) {
            R->Font->SetSize(*size);
            R->OldFontSize = font->Size();
        }
    }
    // Bounds after the font: a control may size itself to its text.
    const Core::TBounds now{Control->Left(), Control->Top(), Control->Width(), Control->Height()};
    // A control recorded later stands in the current, scaled coordinates: dividing
    // by the latest factors gives its reference.
    const Core::TBounds ref =
        StartupRatio ? now : Core::ReferenceBounds(now, {FPrevScaleX, FPrevScaleY, FPrevScaleF});
    R->Left = ref.Left;
    R->Top = ref.Top;
    R->Width = ref.Width;
    R->Height = ref.Height;
    R->OldLeft = now.Left;
    R->OldTop = now.Top;
    R->OldWidth = now.Width;
    R->OldHeight = now.Height;
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
    return R;
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
