// What the tool reports about a form at one moment: the form's window and client
// area, and every control with its bounds and font.
#pragma once

#include "ControlLook.h"
#include "quorvel/vcl/Forms.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace QuorvelTool {

struct TControlState {
    std::string Name;
    std::string ClassName;
    std::string Owner;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    // The control's position in the form's client area (its parents' offsets added),
    // for drawing.
    int ClientLeft = 0, ClientTop = 0;
    int Depth = 0;               // number of parent controls between it and the form
    bool Container = false;      // other controls lie on it
    std::optional<int> FontSize; // none when the class publishes no Font
    bool ParentFont = true;
    int Parent = -1; // index of its parent control in the snapshot, -1 for the form
    TControlLook Look;
};

struct TSnapshot {
    std::string Action;
    std::string FormName;
    std::string Caption;
    int ClientWidth = 0, ClientHeight = 0;
    int WindowLeft = 0, WindowTop = 0, WindowRight = 0, WindowBottom = 0;
    int FontSize = 0;
    std::string State; // normal, maximized or minimized
    // The resolution the program lays the form out at, and how many screen
    // pixels the user sees for one of its pixels (the system stretches the
    // windows of a program unaware of resolution).
    int Dpi = 96;
    double DisplayScale = 1.0;
    TControlLook Look; // the form's colour and font
    TWindowLook Window;
    std::vector<TControlState> Controls;
    std::vector<std::pair<double, double>> Events; // OnExitResize factors
    std::optional<std::string> Error;
};

// The form's state now. Controls come in the owner's component order; the
// controls a frame owns follow the frame.
TSnapshot TakeSnapshot(Vcl::TCustomForm& form, std::string action);

// The resize passes the snapshot saw, for a picture's footer: how many, and the
// factors of the last.
std::string EventText(const TSnapshot& s);

} // namespace QuorvelTool
