// Keeping the records in step with controls created or freed at run time.
#include "quorvel/component/ControlWalk.h"
#include "quorvel/component/Quorvel.h"

#include <unordered_map>
#include <unordered_set>

namespace Quorvel {

using namespace Vcl;

int TQuorvel::NestedCount(int Count) const {
    TComponent* owner = Owner();
    int sum = 0;
    for (int i = 0; i < Count; ++i)
        sum += owner->Components(i)->ComponentCount();
    return sum;
}

void TQuorvel::DynamicAdd() {
    if (FCtrls && Owner())
        AddNewCtrls(0, 0);
}

void TQuorvel::DynamicDelete() {
    if (FCtrls && Owner())
        RemoveDeletedCtrls(0, 0);
}

void TQuorvel::RefreshCtrls() {
    TComponent* owner = Owner();
    const int N = owner->ComponentCount();
    if (N == FCtlCnt)
        return;
    const int S = NestedCount(N);
    if (S == FChildCtlCnt)
        return;
    if (FCtlCnt + FChildCtlCnt < N + S)
        AddNewCtrls(N, S);
    else
        RemoveDeletedCtrls(N, S);
}

void TQuorvel::AddNewCtrls(int CompCount, int ChildCount) {
    TComponent* owner = Owner();
    const int N = CompCount != 0 ? CompCount : owner->ComponentCount();
    const int S = ChildCount != 0 ? ChildCount : NestedCount(N);
    WalkControls(*owner, N, *FNoResizeCtls, [&](TControl* Ctl, TControl* Frame) {
        if (Frame) {
            if (!FindChildCtrl(Frame->Name(), Ctl->Name()))
                AddCtrlInfo(Ctl, Frame->Name(), 0);
            return true;
        }
        if (FindCtrl(Ctl->Name()))
            return false; // recorded already; its owned controls are not examined
        const int K = dynamic_cast<TFrame*>(Ctl) ? Ctl->ComponentCount() : 0;
        AddCtrlInfo(Ctl, String(), K);
        return true;
    });
    FCtlCnt = N;
    FChildCtlCnt = S;
}

void TQuorvel::RemoveDeletedCtrls(int CompCount, int ChildCount) {
    TComponent* owner = Owner();
    const int N = CompCount != 0 ? CompCount : owner->ComponentCount();
    const int S = ChildCount != 0 ? ChildCount : NestedCount(N);

    // The first control of each name among the owner's first N components.
    std::unordered_map<std::string_view, TControl*> controls;
    for (int j = 0; j < N; ++j)
        if (auto* control = dynamic_cast<TControl*>(owner->Components(j)))
            controls.emplace(control->Name(), control);

    auto discardChildrenOf = [&](const String& frameName, PCtrlInfo frameRecord,
                                 const std::unordered_set<std::string_view>* keep) {
        for (int k = 0; k < FChildCtrls->Count(); ++k) {
            auto* Q = static_cast<PCtrlInfo>(FChildCtrls->Get(k));
            if (!Q || Q->ParentName != frameName || (keep && keep->count(Q->Name)))
                continue;
            FChildCtrls->Put(k, nullptr);
            DisposeInfo(Q);
            if (frameRecord && frameRecord->ChildCtlCnt > 0)
                --frameRecord->ChildCtlCnt;
        }
    };

    const int count = FCtrls->Count();
    for (int i = 0; i < count; ++i) {
        auto* R = static_cast<PCtrlInfo>(FCtrls->Get(i));
        auto found = controls.find(R->Name);
        if (found == controls.end()) {
            // The control is gone, and with it the records of its children.
            if (R->ChildCtlCnt > 0)
                discardChildrenOf(R->Name, nullptr, nullptr);
            FCtrls->Put(i, nullptr);
            DisposeInfo(R);
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
    FCtrls->Pack();
    FChildCtrls->Pack();
    RecordsChanged();
    FCtlCnt = N;
    FChildCtlCnt = S;
}

} // namespace Quorvel
