// The component's records of the controls it scales: one TCtrlInfo for each
// control the form owns and for each control owned by a frame on the form, the
// two exclusion lists (NoResizeCtl, NoResizeFntCtl), the counts the records were
// last reconciled at, and the walks over the form's controls every operation on
// them shares. Only one level of frames: controls of a frame inside a frame are
// not recorded.
#pragma once

#include "quorvel/component/CtrlInfo.h"
#include "quorvel/core/Scaling.h"
#include "quorvel/vcl/Controls.h"
#include "quorvel/vcl/Forms.h"
#include "quorvel/vcl/Lists.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Quorvel {

// A copy of the component's font, or none when its class publishes no Font.
std::unique_ptr<Vcl::TFont> GetFontSetting(Vcl::TComponent& Component);

class TControlRecords {
public:
    TControlRecords() = default;
    ~TControlRecords();
    TControlRecords(const TControlRecords&) = delete;
    TControlRecords& operator=(const TControlRecords&) = delete;

    // ---- Exclusions: names separated by ";", kept as typed ----
    void SetExcluded(const Vcl::String& Text);  // NoResizeCtl
    void SetFixedFont(const Vcl::String& Text); // NoResizeFntCtl
    const Vcl::TStringList& Excluded() const { return FExcluded; }
    const Vcl::TStringList& FixedFont() const { return FFixedFont; }
    bool IsExcluded(std::string_view Name) const { return FExcluded.IndexOf(Name) != -1; }
    bool HasFixedFont(std::string_view Name) const { return FFixedFont.IndexOf(Name) != -1; }

    // ---- The records, in the order they were made ----
    const Vcl::TList& Ctrls() const { return FCtrls; }
    const Vcl::TList& ChildCtrls() const { return FChildCtrls; }
    // The owner's component count and the sum of its components' counts when the
    // records were last reconciled with it; the records the builder has made.
    int CtlCnt() const { return FCtlCnt; }
    int ChildCtlCnt() const { return FChildCtlCnt; }
    int AddCnt() const { return FAddCnt; }

    // The first record of that name (exact, case-sensitive), or nullptr; the first
    // record of a frame's control by the frame's and the control's names.
    PCtrlInfo Find(std::string_view Name);
    PCtrlInfo Find(std::string_view Frame, std::string_view Name);

    // The design and run-time resolutions, horizontal and vertical, that new
    // records note as the resolution of their base values.
    void SetResolution(int DesignX, int DesignY, int RunX, int RunY);

    // Start-up: a record of every control of the owner's first Count components
    // and of the controls of each frame among them, as they stand. An own font
    // (ParentFont off) is first corrected by FontRatio. The counts are taken.
    void Record(Vcl::TComponent& Owner, int Count, double FontRatio);

    // The check at the start of every pass: when both counts of the owner differ
    // from the recorded ones, controls are recorded or records dropped, as the sum
    // of the counts grew or shrank. Latest holds the factors of the latest pass.
    void Reconcile(Vcl::TComponent& Owner, const Core::TFactors& Latest);
    // A record of every control (and frame's control) that has none; controls
    // without a name are given one. Count and Nested 0: counted afresh.
    void AddNew(Vcl::TComponent& Owner, const Core::TFactors& Latest, int Count = 0,
                int Nested = 0);
    // The records of controls that no longer exist are dropped.
    void RemoveDeleted(Vcl::TComponent& Owner, int Count = 0, int Nested = 0);

    // The sum of the component counts of the owner's first Count components.
    static int NestedCount(const Vcl::TComponent& Owner, int Count);

    // ---- Walks ----

    // Visit(control, frame) for every control among the owner's first Count
    // components that is not excluded, with frame null; it returns whether to
    // enter the control when it is a frame, and then Visit(child, frame) for each
    // of the frame's controls that is not excluded (its count taken after the
    // frame's own visit; the result is ignored).
    template <class TVisit> void ForEach(Vcl::TComponent& Owner, int Count, TVisit&& Visit) const;

    // A control with its record, as ForEachRecorded visits it.
    struct TScaled {
        Vcl::TControl* Control;
        PCtrlInfo Record;
        Vcl::TControl* Frame; // the owning frame of a frame's control, else null
        bool FixedFont;       // named in NoResizeFntCtl
    };

    // Visit(TScaled) for every control among the owner's first Count components
    // that is not excluded and has a record, in the owner's order, each frame
    // among them followed by its own controls that are not excluded and have a
    // record. What a walk finds at each place is kept and used again while the
    // component there is of the same class and name and no record or exclusion
    // has changed, so a walk over an unchanged form finds no record by name.
    template <class TVisit> void ForEachRecorded(Vcl::TComponent& Owner, int Count, TVisit&& Visit);

private:
    // What a walk found at one place among a component's components.
    struct TStep {
        const Vcl::TClassInfo* Class = nullptr;
        std::uint64_t Generation = 0;
        PCtrlInfo Record = nullptr; // null: not scaled
        bool Control = false;
        bool Frame = false; // a top-level frame: its own controls are walked
        bool FixedFont = false;
        std::vector<TStep> Children; // of a frame
    };

    // The step at Index among Steps for Component, found again when what was
    // found there last still holds. Frame is the owning frame's name for a
    // frame's control, else null.
    const TStep& StepAt(std::vector<TStep>& Steps, std::size_t Index, Vcl::TComponent& Component,
                        const Vcl::String* Frame);
    TStep Evaluate(Vcl::TComponent& Component, const Vcl::String* Frame);

    void AddCtrlInfo(Vcl::TControl& Control, const Vcl::String& ParentName, int ChildCount,
                     const Core::TFactors& Latest);
    // The one record builder: a record for the control, appended to its list. At
    // start-up (StartupRatio given) an own font is corrected by the ratio and the
    // control's values are the reference; later, the current values divided by
    // the latest factors are.
    PCtrlInfo NewRecord(Vcl::TControl& Control, const Vcl::String& ParentName, int ChildCount,
                        const double* StartupRatio, const Core::TFactors& Latest);
    void Changed();
    void RebuildIndex();

    Vcl::TList FCtrls;      // PCtrlInfo of the form's controls, owned
    Vcl::TList FChildCtrls; // PCtrlInfo of frames' controls, owned
    Vcl::TStringList FExcluded;
    Vcl::TStringList FFixedFont;
    int FCtlCnt = 0;
    int FChildCtlCnt = 0;
    int FAddCnt = 0;
    int FDesignDpiX = 0, FDesignDpiY = 0, FRunDpiX = 0, FRunDpiY = 0;

    // The first record of each name, so that finding one takes constant time
    // with the lists' first-match meaning.
    bool FIndexValid = false;
    std::unordered_map<std::string_view, PCtrlInfo> FIndex;
    std::unordered_map<std::string_view, std::unordered_map<std::string_view, PCtrlInfo>>
        FChildIndex;
    // What the latest walk found at each of the owner's components, valid for
    // the generation of the records and exclusions it was found at.
    std::vector<TStep> FSteps;
    std::uint64_t FGeneration = 1;
};

template <class TVisit>
void TControlRecords::ForEach(Vcl::TComponent& Owner, int Count, TVisit&& Visit) const {
    for (int i = 0; i < Count; ++i) {
        auto* ctrl = dynamic_cast<Vcl::TControl*>(Owner.Components(i));
        if (!ctrl || IsExcluded(ctrl->Name()))
            continue;
        if (!Visit(ctrl, static_cast<Vcl::TControl*>(nullptr)))
            continue;
        if (ctrl->ComponentCount() == 0 || !dynamic_cast<Vcl::TFrame*>(ctrl))
            continue;
        const int n = ctrl->ComponentCount();
        for (int j = 0; j < n; ++j) {
            auto* child = dynamic_cast<Vcl::TControl*>(ctrl->Components(j));
            if (!child || IsExcluded(child->Name()))
                continue;
            Visit(child, ctrl);
        }
    }
}

template <class TVisit>
void TControlRecords::ForEachRecorded(Vcl::TComponent& Owner, int Count, TVisit&& Visit) {
    if (FSteps.size() < static_cast<std::size_t>(Count))
        FSteps.resize(static_cast<std::size_t>(Count));
    for (int i = 0; i < Count; ++i) {
        Vcl::TComponent* component = Owner.Components(i);
        // The step is read before the visit: a visit may change the records.
        const TStep& step = StepAt(FSteps, static_cast<std::size_t>(i), *component, nullptr);
        if (!step.Record)
            continue;
        auto* ctrl = static_cast<Vcl::TControl*>(component);
        const bool frame = step.Frame;
        Visit(TScaled{ctrl, step.Record, nullptr, step.FixedFont});
        if (!frame || ctrl->ComponentCount() == 0)
            continue;
        const int n = ctrl->ComponentCount();
        for (int j = 0; j < n; ++j) {
            Vcl::TComponent* child = ctrl->Components(j);
            // Found again by index: the visits may have changed the steps.
            const TStep& childStep = StepAt(FSteps[static_cast<std::size_t>(i)].Children,
                                            static_cast<std::size_t>(j), *child, &ctrl->Name());
            if (childStep.Record)
                Visit(TScaled{static_cast<Vcl::TControl*>(child), childStep.Record, ctrl,
                              childStep.FixedFont});
        }
    }
}

} // namespace Quorvel
