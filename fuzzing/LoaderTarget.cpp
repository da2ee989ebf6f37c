#include "FuzzTargets.h"

#include "quorvel/component/Quorvel.h"
#include "quorvel/vcl/FormStreaming.h"
#include "quorvel/vcl/StdCtrls.h"
#include "quorvel/vcl/SysInfo.h"
#include "quorvel/win/sim/SimDesktop.h"

#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <optional>
#include <typeinfo>

namespace QuorvelFuzz {

using namespace Vcl;
using Quorvel::TQuorvel;

namespace {

// The run's parameters: the bytes after the form while they last, then a stream
// derived from the whole input, so that a plain form file still gets sizes of its
// own and every input runs the same way each time.
class TParams {
public:
    TParams(std::string_view bytes, std::string_view whole) : FBytes(bytes) {
        std::uint64_t hash = 14695981039346656037ull;
        for (char c : whole)
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        FState = hash | 1;
    }

    std::uint8_t Byte() {
        if (FPos < FBytes.size())
            return static_cast<std::uint8_t>(FBytes[FPos++]);
        FState ^= FState << 13;
        FState ^= FState >> 7;
        FState ^= FState << 17;
        return static_cast<std::uint8_t>(FState >> 32);
    }
    int Word() { return Byte() | (Byte() << 8); }
    // A coordinate: mostly a modest value, sometimes one at a limit of the ranges
    // that rectangles and window messages hold.
    int Coordinate() {
        static constexpr std::array<int, 8> Limits{INT_MAX, INT_MIN, INT_MAX - 25, -1,
                                                   0,       32767,   -32768,       65535};
        const std::uint8_t pick = Byte();
        if (pick < Limits.size())
            return Limits[pick];
        return Word() - 16384;
    }

private:
    std::string_view FBytes;
    std::size_t FPos = 0;
    std::uint64_t FState;
};

Sim::TDesktopConfig DesktopFor(TParams& params) {
    const std::uint8_t bits = params.Byte();
    Sim::TDesktopConfig config;
    static constexpr std::array<int, 4> Dpis{96, 120, 144, 96};
    config.Monitors[0].Dpi = Dpis[bits & 3u];
    if (bits & 4u)
        config.Monitors.push_back({{1920, 0, 3200, 1024}, 96});
    static constexpr std::array<Sim::TTaskbarEdge, 4> Edges{
        Sim::TTaskbarEdge::Bottom, Sim::TTaskbarEdge::Top, Sim::TTaskbarEdge::Left,
        Sim::TTaskbarEdge::None};
    config.Taskbar.Edge = Edges[(bits >> 3) & 3u];
    config.Taskbar.AutoHide = (bits & 32u) != 0;
    // Major version 4 runs the legacy message hook instead of the window procedure.
    if ((bits & 0xC0u) == 0xC0u) {
        config.OsMajor = 4;
        config.OsMinor = 10;
    }
    return config;
}

// A frame file on its own is shown on a plain form of its size, as the tool does.
std::unique_ptr<TComponent> HostFrame(std::unique_ptr<TComponent> root) {
    auto* frame = dynamic_cast<TCustomFrame*>(root.get());
    if (!frame)
        return root;
    auto host = std::make_unique<TForm>(nullptr);
    host->SetName("FuzzHost");
    host->SetClientWidth(frame->Width());
    host->SetClientHeight(frame->Height());
    host->InsertComponent(root.release());
    frame->SetParent(host.get());
    return host;
}

std::vector<TQuorvel*> Components(TCustomForm& form) {
    std::vector<TQuorvel*> found;
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* q = dynamic_cast<TQuorvel*>(form.Components(i)))
            found.push_back(q);
    return found;
}

void SetClient(TCustomForm& form, int width, int height) {
    const TPoint outer = form.OuterSizeFor(width, height);
    Win32::RECT r{};
    Win32::GetWindowRect(form.Handle(), &r);
    Win32::MoveWindow(form.Handle(), r.left, r.top, outer.X, outer.Y, 1);
}

// Reads every control's rectangle, as the tool's layout report does; an edge of
// extreme stored bounds must stop at the range, never wrap around.
void ReadLayout(TComponent& owner) {
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        TComponent* component = owner.Components(i);
        if (auto* control = dynamic_cast<TControl*>(component)) {
            const TRect r = control->BoundsRect();
            if (r.Left != control->Left() || r.Top != control->Top() ||
                (control->Width() >= 0 && r.Right < r.Left) ||
                (control->Height() >= 0 && r.Bottom < r.Top))
                Finding(control->Name() + ": its rectangle does not hold its bounds");
        }
        ReadLayout(*component);
    }
}

// A documented refusal of one step: a record of a run-time control whose
// generated name another component already holds.
template <typename F> void Step(F&& step) {
    try {
        step();
    } catch (const EComponentError&) {
    }
}

void Exercise(TCustomForm& form, TParams& params) {
    if (Components(form).empty())
        TQuorvel::Attach(form, {form.ClientWidth(), form.ClientHeight(), form.PixelsPerInch(),
                                form.PixelsPerInch()});
    Sim::TDesktop& desktop = Sim::TDesktop::Current();
    Step([&] { form.Show(); });
    const int sizes = 1 + params.Byte() % 4;
    for (int i = 0; i < sizes; ++i)
        Step([&] { SetClient(form, params.Word(), params.Word()); });
    ReadLayout(form);
    // User drags at any edge or corner (WMSZ_LEFT .. WMSZ_BOTTOMRIGHT), through
    // the size limits the form file set.
    const int drags = params.Byte() % 3;
    for (int i = 0; i < drags; ++i)
        Step([&] {
            const Win32::WPARAM edge = 1 + params.Byte() % 8;
            desktop.Drag(form.Handle(), edge, params.Coordinate(), params.Coordinate());
        });
    ReadLayout(form);
    Step([&] { desktop.Maximize(form.Handle()); });
    ReadLayout(form);
    Step([&] { desktop.Restore(form.Handle()); });

    // A control made at run time, on the form or in a frame, recorded, then freed.
    TWinControl* parent = &form;
    TComponent* owner = &form;
    const std::uint8_t where = params.Byte();
    if (where & 1u)
        for (int i = 0; i < form.ComponentCount(); ++i)
            if (auto* frame = dynamic_cast<TCustomFrame*>(form.Components(i))) {
                parent = frame;
                owner = frame;
                break;
            }
    auto* added = new TButton(owner);
    if ((where & 2u) && !owner->FindComponent("FuzzAdded"))
        added->SetName("FuzzAdded");
    added->SetParent(parent);
    added->SetBounds(params.Coordinate(), params.Coordinate(), params.Coordinate(),
                     params.Coordinate());
    for (TQuorvel* q : Components(form))
        Step([&] { q->DynamicAdd(); });
    Step([&] { SetClient(form, params.Word(), params.Word()); });
    delete added;
    for (TQuorvel* q : Components(form))
        Step([&] { q->DynamicDelete(); });
    Step([&] { SetClient(form, params.Word(), params.Word()); });
    Step([&] { desktop.Minimize(form.Handle()); });
    Step([&] { desktop.Restore(form.Handle()); });
    ReadLayout(form);
}

// A fresh desktop with the component unit started, for one input; whatever the
// run left, the form goes first, and then nothing may remain on the desktop.
class TRunScope {
public:
    explicit TRunScope(const Sim::TDesktopConfig& config, bool customStyle) : FDesktop(config) {
        Quorvel::UnitInitialization();
        TStyleManager::SetCustomStyleActive(customStyle);
    }
    ~TRunScope() {
        Root.reset();
        TStyleManager::SetCustomStyleActive(false);
        Quorvel::UnitFinalization();
    }
    TRunScope(const TRunScope&) = delete;
    TRunScope& operator=(const TRunScope&) = delete;

    void CheckNothingLeft() {
        Root.reset();
        if (FDesktop.WindowCount() != 0)
            Finding(std::to_string(FDesktop.WindowCount()) + " windows outlive their form");
        if (FDesktop.HookCount() != 0)
            Finding("a message hook outlives the form");
        if (FDesktop.LockedWindow() != nullptr)
            Finding("a window stays locked against updates");
    }

    std::unique_ptr<TComponent> Root;

private:
    Sim::TDesktop FDesktop;
};

} // namespace

void FuzzLoader(std::string_view input) {
    try {
        std::string_view form = input;
        std::string_view rest;
        if (!IsFormBinary(input)) {
            const std::size_t nul = input.find('\0');
            if (nul != std::string_view::npos) {
                form = input.substr(0, nul);
                rest = input.substr(nul + 1);
            }
        }
        TParams params(rest, input);
        const Sim::TDesktopConfig config = DesktopFor(params);
        TRunScope run(config, (params.Byte() & 7u) == 0);

        try {
            TFormLoadOptions options;
            options.Lenient = true;
            run.Root = HostFrame(LoadForm(ReadFormDocument(form), options));
        } catch (const EReadError&) {
            return; // a form file that does not read is refused, as documented
        }
        if (auto* loaded = dynamic_cast<TCustomForm*>(run.Root.get()))
            Exercise(*loaded, params);
        run.CheckNothingLeft();
    } catch (const std::exception& e) {
        Finding(std::string("unexpected ") + typeid(e).name() + ": " + e.what());
    }
}

} // namespace QuorvelFuzz
