// The records of the scaled controls: the exclusion lists, the record builder,
// lookup by name, and keeping the records in step with controls created or
// freed at run time.
#include "quorvel/component/ControlRecords.h"

#include "quorvel/core/Startup.h"
#include "quorvel/vcl/TypInfo.h"

#include <unordered_set>

namespace Quorvel {

using namespace Vcl;

namespace {

const char* const GeneratedPrefix = "QvlAdd";

// A generated name that the platform copied into an empty text is cleared again.
void ClearGeneratedText(TControl& control) {
    const String text = control.GetText();
    if (text.compare(0, 6, GeneratedPrefix) == 0)
        control.SetText(String());
}

// Names separated by ";", kept as typed: no trimming, empty entries kept except
// after a final separator.
void ParseNames(const String& text, TStringList& list) {
    list.Clear();
    String rest = text;
    for (int p = Pos(";", rest); p != 0; p = Pos(";", rest)) {
        list.Add(Copy(rest, 1, p - 1));
        rest = Copy(rest, p + 1, static_cast<int>(rest.size()));
    }
    if (!rest.empty())
        list.Add(rest);
}

void Dispose(void* item) { delete static_cast<PCtrlInfo>(item); }

} // namespace

std::unique_ptr<TFont> GetFontSetting(TComponent& Component) {
    auto* control = dynamic_cast<TControl*>(&Component);
    if (!control || !GetPropInfo(Component, "Font"))
        return nullptr;
    auto font = std::make_unique<TFont>();
    font->Assign(*control->Font());
    return font;
}

TControlRecords::~TControlRecords() {
    for (void* item : FCtrls)
        Dispose(item);
    for (void* item : FChildCtrls)
        Dispose(item);
}

// ---- Exclusions ----

void TControlRecords::SetExcluded(const String& Text) {
    ParseNames(Text, FExcluded);
    Changed();
}

void TControlRecords::SetFixedFont(const String& Text) {
    ParseNames(Text, FFixedFont);
    Changed();
}

// ---- Building ----

void TControlRecords::SetResolution(int DesignX, int DesignY, int RunX, int RunY) {
    FDesignDpiX = DesignX;
    FDesignDpiY = DesignY;
    FRunDpiX = RunX;
    FRunDpiY = RunY;
}

void TControlRecords::Record(TComponent& Owner, int Count, double FontRatio) {
    ForEach(Owner, Count, [&](TControl* control, TControl* frame) {
        if (frame) {
            NewRecord(*control, frame->Name(), 0, &FontRatio, {});
            return true;
        }
        const int n = dynamic_cast<TFrame*>(control) ? control->ComponentCount() : 0;
        NewRecord(*control, String(), n, &FontRatio, {});
        return true;
    });
    FCtlCnt = Count;
    FChildCtlCnt = NestedCount(Owner, Count);
}

void TControlRecords::AddCtrlInfo(TControl& Control, const String& ParentName, int ChildCount,
                                  const Core::TFactors& Latest) {
    ++FAddCnt;
    if (Trim(Control.Name()).empty())
        Control.SetName(GeneratedPrefix + FormatZeroPadded(FAddCnt, 4));
    if (GetPropInfo(Control, "Caption"))
        ClearGeneratedText(Control);
    if (GetPropInfo(Control, "Text"))
        ClearGeneratedText(Control);
    NewRecord(Control, ParentName, ChildCount, nullptr, Latest);
}

PCtrlInfo TControlRecords::NewRecord(TControl& Control, const String& ParentName, int ChildCount,
                                     const double* StartupRatio, const Core::TFactors& Latest) {
    auto record = std::make_unique<TCtrlInfo>();
    PCtrlInfo R = record.get();
    R->Name = Control.Name();
    R->Font = GetFontSetting(Control);
    // The form file's values are at the design resolution; anything else is at
    // the run-time one.
    R->BaseDpiX = R->BaseFontDpi = StartupRatio ? FDesignDpiX : FRunDpiX;
    R->BaseDpiY = StartupRatio ? FDesignDpiY : FRunDpiY;
    if (R->Font) {
        R->BaseFontSize = Control.Font()->Size();
        if (StartupRatio && Control.ParentFont())
            R->BaseFontDpi = FRunDpiX; // the parent's, corrected already
        R->ParentFont = R->OrgParentFont = Control.ParentFont();
        R->FontSize = R->Font->Size();
        TFont* font = Control.Font();
        if (StartupRatio) {
            // Start-up corrects an own font for the resolution and takes the result.
            if (!Control.ParentFont())
                font->SetSize(Core::StartupAdjust(font->Size(), *StartupRatio));
            R->FontSize = R->LastFontSize = font->Size();
        } else if (const auto size = Core::ReferenceFromCurrent(font->Size(), Latest.Font)) {
            R->FontSize = *size;
            R->LastFontSize = font->Size();
        }
        if (!StartupRatio)
            R->BaseFontSize = R->FontSize;
        R->Font->SetSize(R->FontSize);
    }
    // Bounds after the font: a control may size itself to its text.
    R->Last = {Control.Left(), Control.Top(), Control.Width(), Control.Height()};
    // A control recorded later stands in the current, scaled coordinates: dividing
    // by the latest factors gives its reference.
    R->Reference = StartupRatio ? R->Last : Core::ReferenceBounds(R->Last, Latest);
    R->BaseBounds = R->Reference;
    R->ParentName = ParentName;
    R->ChildCtlCnt = ChildCount;
    (R->ParentName.empty() ? FCtrls : FChildCtrls).Add(record.release());
    // An appended record comes after every other: the index keeps the first of a name.
    if (FIndexValid) {
        if (R->ParentName.empty())
            FIndex.emplace(R->Name, R);
        else
            FChildIndex[R->ParentName].emplace(R->Name, R);
    }
    ++FGeneration;
    return R;
}

// ---- Lookup ----

void TControlRecords::Changed() {
    FIndexValid = false;
    ++FGeneration;
}

void TControlRecords::RebuildIndex() {
    FIndex.clear();
    FChildIndex.clear();
    // emplace keeps the first record of a name: the lists' first-match meaning.
    for (void* item : FCtrls) {
        auto* info = static_cast<PCtrlInfo>(item);
        FIndex.emplace(info->Name, info);
    }
    for (void* item : FChildCtrls) {
        auto* info = static_cast<PCtrlInfo>(item);
        FChildIndex[info->ParentName].emplace(info->Name, info);
    }
    FIndexValid = true;
}

PCtrlInfo TControlRecords::Find(std::string_view Name) {
    if (!FIndexValid)
        RebuildIndex();
    auto it = FIndex.find(Name);
    return it == FIndex.end() ? nullptr : it->second;
}

PCtrlInfo TControlRecords::Find(std::string_view Frame, std::string_view Name) {
    if (!FIndexValid)
        RebuildIndex();
    auto frame = FChildIndex.find(Frame);
    if (frame == FChildIndex.end())
        return nullptr;
    auto it = frame->second.find(Name);
    return it == frame->second.end() ? nullptr : it->second;
}

TControlRecords::TStep TControlRecords::Evaluate(TComponent& Component, const String* Frame) {
    TStep s;
    s.Class = Component.ClassInfo();
    s.Generation = FGeneration;
    auto* ctrl = dynamic_cast<TControl*>(&Component);
    s.Control = ctrl != nullptr;
    if (!ctrl || IsExcluded(ctrl->Name()))
        return s;
    s.Record = Frame ? Find(*Frame, ctrl->Name()) : Find(ctrl->Name());
    if (!s.Record)
        return s;
    s.Frame = !Frame && dynamic_cast<TFrame*>(ctrl) != nullptr;
    s.FixedFont = HasFixedFont(ctrl->Name());
    return s;
}

const TControlRecords::TStep& TControlRecords::StepAt(std::vector<TStep>& Steps, std::size_t Index,
                                                      TComponent& Component, const String* Frame) {
    if (Steps.size() <= Index)
        Steps.resize(Index + 1);
    TStep& s = Steps[Index];
    // The decision depends on the class, the name and the lists alone: a step
    // of the same generation and class holds for a non-control, and for a
    // scaled control while its name (and its frame's) is still its record's.
    if (s.Generation == FGeneration && s.Class == Component.ClassInfo()) {
        if (!s.Control)
            return s;
        if (s.Record && Component.Name() == s.Record->Name &&
            (!Frame || *Frame == s.Record->ParentName))
            return s;
    }
    TStep fresh = Evaluate(Component, Frame);
    fresh.Children = std::move(s.Children); // each holds or not by itself
    s = std::move(fresh);
    return s;
}

// ---- Reconciling ----

int TControlRecords::NestedCount(const TComponent& Owner, int Count) {
    int sum = 0;
    for (int i = 0; i < Count; ++i)
        sum += Owner.Components(i)->ComponentCount();
    return sum;
}

void TControlRecords::Reconcile(TComponent& Owner, const Core::TFactors& Latest) {
    const int N = Owner.ComponentCount();
    if (N == FCtlCnt)
        return;
    const int S = NestedCount(Owner, N);
    if (S == FChildCtlCnt)
        return;
    if (FCtlCnt + FChildCtlCnt < N + S)
        AddNew(Owner, Latest, N, S);
    else
        RemoveDeleted(Owner, N, S);
}

void TControlRecords::AddNew(TComponent& Owner, const Core::TFactors& Latest, int Count,
                             int Nested) {
    const int N = Count != 0 ? Count : Owner.ComponentCount();
    const int S = Nested != 0 ? Nested : NestedCount(Owner, N);
    ForEach(Owner, N, [&](TControl* Ctl, TControl* Frame) {
        if (Frame) {
            if (!Find(Frame->Name(), Ctl->Name()))
                AddCtrlInfo(*Ctl, Frame->Name(), 0, Latest);
            return true;
        }
        if (Find(Ctl->Name()))
            return false; // recorded already; its owned controls are not examined
        const int K = dynamic_cast<TFrame*>(Ctl) ? Ctl->ComponentCount() : 0;
        AddCtrlInfo(*Ctl, String(), K, Latest);
        return true;
    });
    FCtlCnt = N;
    FChildCtlCnt = S;
}

void TControlRecords::RemoveDeleted(TComponent& Owner, int Count, int Nested) {
    const int N = Count != 0 ? Count : Owner.ComponentCount();
    const int S = Nested != 0 ? Nested : NestedCount(Owner, N);

    // The first control of each name among the owner's first N components.
    std::unordered_map<std::string_view, TControl*> controls;
    for (int j = 0; j < N; ++j)
        if (auto* control = dynamic_cast<TControl*>(Owner.Components(j)))
            controls.emplace(control->Name(), control);

    auto discardChildrenOf = [&](const String& frameName, PCtrlInfo frameRecord,
                                 const std::unordered_set<std::string_view>* keep) {
        for (int k = 0; k < FChildCtrls.Count(); ++k) {
            auto* Q = static_cast<PCtrlInfo>(FChildCtrls.Get(k));
            if (!Q || Q->ParentName != frameName || (keep && keep->count(Q->Name)))
                continue;
            FChildCtrls.Put(k, nullptr);
            Dispose(Q);
            if (frameRecord && frameRecord->ChildCtlCnt > 0)
                --frameRecord->ChildCtlCnt;
        }
    };

    const int count = FCtrls.Count();
    for (int i = 0; i < count; ++i) {
        auto* R = static_cast<PCtrlInfo>(FCtrls.Get(i));
        auto found = controls.find(R->Name);
        if (found == controls.end()) {
            // The control is gone, and with it the records of its children.
            if (R->ChildCtlCnt > 0)
                discardChildrenOf(R->Name, nullptr, nullptr);
            FCtrls.Put(i, nullptr);
            Dispose(R);
            continue;
        }
        TControl* Ctl = found->second;
        if (Ctl->ComponentCount() != 0 && dynamic_cast<TFrame*>(Ctl)) {
            std::unordered_set<std::string_view> names;
            for (int l = 0; l < Ctl->ComponentCount(); ++l)
                names.insert(Ctl->Components(l)->Name());
            discardChildrenOf(Ctl->Name(), R, &names);
        }
    }
    FCtrls.Pack();
    FChildCtrls.Pack();
    Changed();
    FCtlCnt = N;
    FChildCtlCnt = S;
}

} // namespace Quorvel
