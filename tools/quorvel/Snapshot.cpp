#include "Snapshot.h"

#include "quorvel/vcl/TypInfo.h"
#include "quorvel/win/sim/SimDesktop.h"

#include <cstdio>
#include <unordered_map>

namespace QuorvelTool {

using namespace Vcl;

namespace {

const char* StateName(TWindowState state) {
    switch (state) {
    case wsMaximized: return "maximized";
    case wsMinimized: return "minimized";
    case wsNormal: break;
    }
    return "normal";
}

TControlState ControlState(TCustomForm& form, TControl& control) {
    TControlState s;
    s.Name = control.Name();
    s.ClassName = control.ClassName();
    s.Owner = control.Owner() ? control.Owner()->Name() : std::string();
    const TRect bounds = control.BoundsRect();
    s.Left = bounds.Left;
    s.Top = bounds.Top;
    s.Width = bounds.Width();
    s.Height = bounds.Height();
    s.ClientLeft = s.Left;
    s.ClientTop = s.Top;
    // The chain is bounded by the number of controls, and a parent is never its own
    // descendant, but a cap keeps a broken chain from looping.
    int guard = 0;
    for (TWinControl* parent = control.Parent(); parent && parent != &form && guard < 1000;
         parent = parent->Parent(), ++guard) {
        s.ClientLeft += parent->Left();
        s.ClientTop += parent->Top();
        ++s.Depth;
    }
    if (auto* windowed = dynamic_cast<TWinControl*>(&control))
        s.Container = windowed->ControlCount() > 0;
    if (GetPropInfo(control, "Font"))
        s.FontSize = control.Font()->Size();
    s.ParentFont = control.ParentFont();
    s.Look = TakeLook(control);
    return s;
}

void AddOwned(TCustomForm& form, TComponent& owner, std::vector<TControlState>& out,
              std::vector<TControl*>& listed, int depth) {
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        TComponent* component = owner.Components(i);
        auto* control = dynamic_cast<TControl*>(component);
        if (!control)
            continue;
        out.push_back(ControlState(form, *control));
        listed.push_back(control);
        // Frames inside frames are listed too, each after its frame.
        if (dynamic_cast<TCustomFrame*>(control) && depth < 16)
            AddOwned(form, *control, out, listed, depth + 1);
    }
}

} // namespace

TSnapshot TakeSnapshot(TCustomForm& form, std::string action) {
    TSnapshot s;
    s.Action = std::move(action);
    s.FormName = form.Name();
    s.Caption = form.GetText();
    s.ClientWidth = form.ClientWidth();
    s.ClientHeight = form.ClientHeight();
    TRect window = form.BoundsRect();
    if (form.HandleAllocated()) {
        Win32::RECT r{};
        if (Win32::GetWindowRect(form.Handle(), &r))
            window = RectOf(r);
    }
    s.WindowLeft = window.Left;
    s.WindowTop = window.Top;
    s.WindowRight = window.Right;
    s.WindowBottom = window.Bottom;
    s.FontSize = form.Font()->Size();
    s.State = StateName(form.WindowState());
    if (form.HandleAllocated()) {
        const Sim::TDesktop& desktop = Sim::TDesktop::Current();
        s.Dpi = desktop.WindowDpi(form.Handle());
        s.DisplayScale = desktop.DisplayScale(form.Handle());
    } else {
        s.Dpi = Sim::TDesktop::Current().SystemDpi();
    }
    s.Look = TakeLook(form);
    s.Window = TakeWindowLook(form);
    if (form.MenuOnBar() != nullptr)
        s.Window.MenuBar =
            Win32::GetSystemMetricsForDpi(Win32::SM_CYMENU, static_cast<Win32::UINT>(s.Dpi));
    std::vector<TControl*> listed;
    AddOwned(form, form, s.Controls, listed, 0);
    std::unordered_map<const TControl*, int> index;
    for (std::size_t i = 0; i < listed.size(); ++i)
        index.emplace(listed[i], static_cast<int>(i));
    for (std::size_t i = 0; i < listed.size(); ++i)
        if (auto it = index.find(listed[i]->Parent()); it != index.end())
            s.Controls[i].Parent = it->second;
    return s;
}

std::string EventText(const TSnapshot& s) {
    if (s.Events.empty())
        return "no resize pass";
    char buffer[96];
    const auto& [x, y] = s.Events.back();
    std::snprintf(buffer, sizeof buffer, "%zu pass%s, last x %.3f y %.3f", s.Events.size(),
                  s.Events.size() == 1 ? "" : "es", x, y);
    return buffer;
}

} // namespace QuorvelTool
