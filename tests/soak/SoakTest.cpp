// A soak of random user actions: seeded sequences of resizes, drags on every
// edge, maximize, restore, minimize, moves between two monitors of different DPI
// and work areas, run-time property assignments valid and invalid, controls added
// and freed with the reconciliation, and the component freed with the form kept,
// over random forms and over corpus forms. Invariants are checked after every
// step. The run is short by default; --seconds N (or QUORVEL_SOAK_SECONDS=N) runs
// seeds for N seconds. A failure names its seed, and --seed S (or
// QUORVEL_SOAK_SEED=S) replays that one.
#include "support/QuorvelFixture.h"

#include "quorvel/component/CtrlInfo.h"
#include "quorvel/vcl/ComCtrls.h"
#include "quorvel/vcl/StdCtrls.h"
#include "quorvel/vcl/SysUtils.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>

namespace QuorvelTest {
namespace {

using namespace Vcl;
namespace fs = std::filesystem;

// ---- Options: the command line wins over the environment ----

std::optional<std::string> Option(const char* flag, const char* variable) {
    const std::vector<std::string> args = testing::internal::GetArgvs();
    for (std::size_t i = 1; i + 1 < args.size(); ++i)
        if (args[i] == flag)
            return args[i + 1];
    if (const char* value = std::getenv(variable))
        return std::string(value);
    return std::nullopt;
}

bool Flag(const char* flag, const char* variable) {
    const std::vector<std::string> args = testing::internal::GetArgvs();
    return std::find(args.begin(), args.end(), flag) != args.end() || std::getenv(variable);
}

// ---- The formula, written out independently of the component ----

// Rounded to the nearest, halves away from zero.
int Scaled(int reference, double scale) {
    const double p = reference * scale;
    const double v = p < 0 ? p - 0.5 : p + 0.5;
    return v >= 2147483647.0    ? 2147483647
           : v <= -2147483648.0 ? -2147483647 - 1
                                : static_cast<int>(v);
}

// Sizes never end at 0; positions may.
int ScaledSize(int reference, double scale) {
    const int t = Scaled(reference, scale);
    return t == 0 ? 1 : t;
}

struct TDesign {
    int Width, Height; // the reference client size
    double DpiX, DpiY; // design over run-time resolution
    double XScale(int clientWidth) const { return clientWidth / double(Width) * DpiX; }
    double YScale(int clientHeight) const { return clientHeight / double(Height) * DpiY; }
};

struct TTracked {
    std::string Name;
    TRect Reference; // Left, Top, Width, Height at scale 1.0 (Right/Bottom hold the size)
};

// ---- Watching the form's messages from outside the component ----

// Subclassed above the component: every WM_SIZE that should run a pass opens a
// frame, OnExitResize must land in the innermost one exactly once and carry the
// factors of that message's client size. A pass inside which another pass ran
// (the maximized correction, a form sized to its controls) stays silent: the
// inner one reported the layout that stands.
struct TWatch {
    struct TPass {
        double X, Y;
        int Exits = 0;
        int Nested = 0; // passes completed inside this one
    };
    Win32::LONG_PTR Previous = 0;
    TDesign Design{};
    bool Live = true;
    int Depth = 0;
    int MaxDepth = 0;
    int Completed = 0;
    int Exits = 0;
    std::vector<TPass> Open;
    std::string Fault;

    void Note(const std::string& what) {
        if (Fault.empty())
            Fault = what;
    }
    void ExitResize(TObject*, double x, double y) {
        ++Exits;
        if (Open.empty())
            return Note("OnExitResize outside any pass");
        TPass& pass = Open.back();
        if (++pass.Exits > 1)
            Note("two OnExitResize in one pass");
        if (x != pass.X || y != pass.Y)
            Note("OnExitResize carries " + std::to_string(x) + "," + std::to_string(y) +
                 " for a pass of " + std::to_string(pass.X) + "," + std::to_string(pass.Y));
    }
};

TWatch* Watched = nullptr;

Win32::LRESULT QV_CALLBACK WatchProc(Win32::HWND window, Win32::UINT message, Win32::WPARAM wParam,
                                     Win32::LPARAM lParam) {
    TWatch& w = *Watched;
    w.MaxDepth = std::max(w.MaxDepth, ++w.Depth);
    const bool pass =
        message == Win32::WM_SIZE && wParam != Win32::SIZE_MINIMIZED && w.Live && w.Depth < 64;
    if (pass) {
        const auto bits = static_cast<unsigned long>(lParam);
        w.Open.push_back({w.Design.XScale(static_cast<int>(bits & 0xFFFFu)),
                          w.Design.YScale(static_cast<int>((bits >> 16) & 0xFFFFu))});
    }
    const Win32::LRESULT result =
        w.Depth < 64 ? Win32::CallWindowProcW(reinterpret_cast<Win32::WNDPROC>(w.Previous), window,
                                              message, wParam, lParam)
                     : 0;
    if (pass) {
        const TWatch::TPass done = w.Open.back();
        w.Open.pop_back();
        if (done.Nested == 0 && done.Exits != 1)
            w.Note("a pass without its OnExitResize");
        if (done.Nested > 0 && done.Exits != 0)
            w.Note("a pass reports its factors after a pass inside it laid the form out");
        if (!w.Open.empty())
            ++w.Open.back().Nested;
        ++w.Completed;
    }
    --w.Depth;
    return result;
}

// ---- Which controls the formula applies to unchanged ----

// Controls that size or place themselves (alignment, anchors to the far edges,
// AutoSize, constraints) get what the framework makes of the formula's values;
// the soak checks the formula on the others.
bool Plain(const TControl& c) {
    if (c.Align() != alNone || c.Anchors() != DefaultAnchors || c.AutoSize())
        return false;
    const TSizeConstraints* k = c.Constraints();
    if (k && (k->MinWidth() || k->MinHeight() || k->MaxWidth() || k->MaxHeight()))
        return false;
    // Page controls, tool bars, stack, flow and grid panels place their children,
    // and a parent sized to its children moves them to its edges.
    const TWinControl* parent = c.Parent();
    if (!parent || parent->AutoSize() || dynamic_cast<const TTabSheet*>(&c))
        return false;
    const std::string kind = parent->ClassName();
    for (const char* arranging : {"StackPanel", "FlowPanel", "GridPanel", "ToolBar", "CoolBar",
                                  "ControlBar", "CategoryPanel"})
        if (kind.find(arranging) != std::string::npos)
            return false;
    return true;
}

// Some classes fix a dimension themselves (a combo box's field height follows its
// font): a size that does not read back as set rules the control out.
bool KeepsBoundsAsSet(TControl& c) {
    const TRect was{c.Left(), c.Top(), c.Width(), c.Height()};
    c.SetBounds(was.Left + 3, was.Top + 5, was.Right + 37, was.Bottom + 23);
    const bool kept = c.Left() == was.Left + 3 && c.Top() == was.Top + 5 &&
                      c.Width() == was.Right + 37 && c.Height() == was.Bottom + 23;
    c.SetBounds(was.Left, was.Top, was.Right, was.Bottom);
    return kept;
}

std::string Text(const TRect& r) {
    std::string s = std::to_string(r.Left);
    s += "," + std::to_string(r.Top) + " " + std::to_string(r.Right) + "x" +
         std::to_string(r.Bottom);
    return s;
}

std::string Upper(std::string s) {
    for (char& ch : s)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

// Aligned controls stack in the order of their current positions, which scaled
// bounds can swap (a splitter and a status bar on the same edge): only controls
// outside any alignment must come back exactly.
bool OutsideAlignment(const TControl& c) {
    for (const TControl* p = &c; p; p = p->Parent())
        if (p->Align() != alNone)
            return false;
    return true;
}

// The bounds of every named control outside alignment, frames' controls
// included, by path.
void Snapshot(TComponent& owner, const std::string& path, std::map<std::string, TRect>& out) {
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        TComponent* c = owner.Components(i);
        if (c->Name().empty())
            continue;
        const std::string name = path + "/" + c->Name();
        if (auto* control = dynamic_cast<TControl*>(c); control && OutsideAlignment(*control))
            out[name] = TRect{control->Left(), control->Top(), control->Width(), control->Height()};
        Snapshot(*c, name, out);
    }
}

std::vector<fs::path> CorpusForms() {
    std::vector<fs::path> files;
    const fs::path root = fs::path(QUORVEL_CORPUS_DIR) / "text";
    std::error_code error;
    if (!fs::is_directory(root, error))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(root, error))
        if (entry.is_regular_file() && Upper(entry.path().extension().string()) == ".DFM")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

class Soak : public TQuorvelFixture {
protected:
    static Sim::TDesktopConfig TwoMonitors(unsigned seed) {
        // The primary keeps the design resolution, so that the start-up layout is
        // the stored one; the second differs in resolution and work area.
        Sim::TDesktopConfig config;
        config.Monitors = {{{0, 0, 1920, 1080}, 96}, {{1920, -200, 3200, 824}, 144}};
        static constexpr std::array<Sim::TTaskbarEdge, 4> Edges{
            Sim::TTaskbarEdge::Bottom, Sim::TTaskbarEdge::Left, Sim::TTaskbarEdge::Top,
            Sim::TTaskbarEdge::None};
        config.Taskbar.Edge = Edges[seed % 4];
        return config;
    }

    // A random form of buttons: the references are the stored bounds.
    TCustomForm& RandomForm(std::mt19937& random, std::vector<TTracked>& tracked) {
        auto pick = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        std::string children;
        for (int i = pick(1, 8); i > 0; --i) {
            // Appended rather than "B" + ...: GCC 12 at -O2 warns falsely on that form.
            std::string name = "B";
            name += std::to_string(i);
            TTracked t{name, {pick(-20, 390), pick(-20, 290), pick(0, 200), pick(0, 100)}};
            children += Button(t.Name, t.Reference.Left, t.Reference.Top, t.Reference.Right,
                               t.Reference.Bottom);
            tracked.push_back(t);
        }
        return Load(FormText(children));
    }

    // A corpus form read leniently with the component attached when it has none;
    // the references are the component's records of the plain controls.
    TCustomForm* CorpusForm(const fs::path& file, std::vector<TTracked>& tracked) {
        TFormLoadOptions options;
        options.Lenient = true;
        std::unique_ptr<TComponent> root;
        try {
            root = LoadFormFile(file.string(), options);
        } catch (const std::exception&) {
            return nullptr; // what a lenient read still refuses has its own tests
        }
        auto* form = dynamic_cast<TCustomForm*>(root.get());
        // A form sized to its controls never comes back to its design size.
        if (!form || form->AutoSize())
            return nullptr;
        Forms.push_back(std::move(root));
        bool has = false;
        for (int i = 0; i < form->ComponentCount(); ++i)
            has = has || dynamic_cast<TQuorvel*>(form->Components(i)) != nullptr;
        if (!has)
            TQuorvel::Attach(*form, {form->ClientWidth(), form->ClientHeight(),
                                     form->PixelsPerInch(), form->PixelsPerInch()});
        TQuorvel& q = Component(*form);
        const std::string excluded = Upper(q.NoResizeCtl());
        for (void* item : *q.Ctrls()) {
            const auto* info = static_cast<Quorvel::PCtrlInfo>(item);
            auto* c = dynamic_cast<TControl*>(form->FindComponent(info->Name));
            if (!c || !Plain(*c) || !KeepsBoundsAsSet(*c) || info->Name.empty() ||
                excluded.find(Upper(info->Name)) != std::string::npos)
                continue;
            if (std::any_of(tracked.begin(), tracked.end(),
                            [&](const TTracked& t) { return t.Name == info->Name; }))
                continue;
            tracked.push_back({info->Name, {info->Left, info->Top, info->Width, info->Height}});
        }
        return form;
    }

    // Every tracked control where the formula of the current client size puts it.
    static std::string Check(TCustomForm& form, const TDesign& design,
                             const std::vector<TTracked>& tracked) {
        const double x = design.XScale(form.ClientWidth());
        const double y = design.YScale(form.ClientHeight());
        for (const TTracked& t : tracked) {
            auto* c = dynamic_cast<TControl*>(form.FindComponent(t.Name));
            if (!c)
                return t.Name + " vanished";
            if (c->Width() < 0 || c->Height() < 0)
                return t.Name + " has a negative size";
            const TRect r = t.Reference;
            const TRect want{Scaled(r.Left, x), Scaled(r.Top, y), ScaledSize(r.Right, x),
                             ScaledSize(r.Bottom, y)};
            const TRect got{c->Left(), c->Top(), c->Width(), c->Height()};
            if (got != want)
                return t.Name + " is at " + std::to_string(got.Left) + "," +
                       std::to_string(got.Top) + " " + std::to_string(got.Right) + "x" +
                       std::to_string(got.Bottom) + ", the formula puts it at " +
                       std::to_string(want.Left) + "," + std::to_string(want.Top) + " " +
                       std::to_string(want.Right) + "x" + std::to_string(want.Bottom) +
                       " at client " + std::to_string(form.ClientWidth()) + "x" +
                       std::to_string(form.ClientHeight());
        }
        return {};
    }

    // One run-time assignment of a size property, valid or not, against the rule
    // that the non-zero values of one axis keep minimum <= size <= maximum.
    static std::string Assign(TQuorvel& q, TCustomForm& form, TWatch& watch, int which, int value) {
        using TGet = int (TQuorvel::*)() const;
        using TSet = void (TQuorvel::*)(int);
        static constexpr std::array<TGet, 6> Get{&TQuorvel::FormMinWidth, &TQuorvel::FormWidth,
                                                 &TQuorvel::FormMaxWidth, &TQuorvel::FormMinHeight,
                                                 &TQuorvel::FormHeight,   &TQuorvel::FormMaxHeight};
        static constexpr std::array<TSet, 6> Set{
            &TQuorvel::SetFormMinWidth,  &TQuorvel::SetFormWidth,  &TQuorvel::SetFormMaxWidth,
            &TQuorvel::SetFormMinHeight, &TQuorvel::SetFormHeight, &TQuorvel::SetFormMaxHeight};
        std::array<int, 6> before{};
        for (std::size_t i = 0; i < 6; ++i)
            before[i] = (q.*Get[i])();
        std::array<int, 6> after = before;
        after[static_cast<std::size_t>(which)] = value;
        auto ordered = [](int a, int b) { return a == 0 || b == 0 || a <= b; };
        bool valid = value >= 0;
        for (std::size_t axis = 0; axis < 6; axis += 3)
            valid = valid && ordered(after[axis], after[axis + 1]) &&
                    ordered(after[axis + 1], after[axis + 2]) &&
                    ordered(after[axis], after[axis + 2]);
        const auto window = Edges(form.Handle());
        const int passes = watch.Completed;
        bool refused = false;
        try {
            (q.*Set[static_cast<std::size_t>(which)])(value);
        } catch (const EInvalidOperation& e) {
            refused = true;
            if (std::string(e.Message()).empty())
                return "a refusal without a message";
        }
        std::array<int, 6> now{};
        for (std::size_t i = 0; i < 6; ++i)
            now[i] = (q.*Get[i])();
        const std::string what =
            "size property " + std::to_string(which) + " := " + std::to_string(value) + ": ";
        if (refused == valid)
            return what + (valid ? "a valid value refused" : "an invalid value accepted");
        if (now != (valid ? after : before))
            return what + "the values are not what the assignment leaves";
        if (Edges(form.Handle()) != window || watch.Completed != passes)
            return what + "an assignment moved or laid out the form";
        return {};
    }

    std::string RunSeed(unsigned seed, int steps, const std::vector<fs::path>& corpus) {
        std::mt19937 random(seed);
        auto pick = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        UseDesktop(seed % 2 ? TwoMonitors(seed / 2) : Sim::TDesktopConfig{});
        std::vector<TTracked> tracked;
        TCustomForm* loaded = nullptr;
        std::string source = "a random form";
        // Every third seed takes a corpus form, when the corpus is there.
        if (seed % 3 == 2 && !corpus.empty()) {
            const fs::path& file = corpus[random() % corpus.size()];
            source = file.string();
            loaded = CorpusForm(file, tracked);
            if (!loaded)
                return {};
        } else {
            loaded = &RandomForm(random, tracked);
        }
        TCustomForm& form = *loaded;
        TQuorvel* q = &Component(form);
        const TQuorvel::TState state = q->State();
        TWatch watch;
        watch.Design = {state.OwnerWidth, state.OwnerHeight,
                        state.RunDpiW ? double(state.DesignDpiW) / state.RunDpiW : 0.0,
                        state.RunDpiH ? double(state.DesignDpiH) / state.RunDpiH : 0.0};
        if (!state.RunDpiW || !state.RunDpiH || !state.OwnerWidth || !state.OwnerHeight)
            return {}; // factors fixed at 1.0: the tests of the pass cover that
        Watched = &watch;
        watch.Previous = Win32::SetWindowLongPtrW(form.Handle(), Win32::GWLP_WNDPROC,
                                                  reinterpret_cast<Win32::LONG_PTR>(&WatchProc));
        q->OnExitResize = Quorvel::TExitResizeEvent::Bind<&TWatch::ExitResize>(&watch);
        auto fail = [&](const std::string& what) { return source + ": " + what; };

        form.Show();
        // A form shown at its stored size has had no pass yet: one is made, so
        // that the start-up layout is the one every later pass comes back to.
        if (watch.Completed == 0)
            SetClient(form, state.OwnerWidth + 1, state.OwnerHeight);
        SetClient(form, state.OwnerWidth, state.OwnerHeight);
        std::map<std::string, TRect> startUp;
        Snapshot(form, "", startUp);
        if (std::string f = Check(form, watch.Design, tracked); !f.empty())
            return fail("at the design size: " + f);

        // With --trace every action is printed as it runs, for following a replay.
        const bool tracing = Flag("--trace", "QUORVEL_SOAK_TRACE");
        // --watch NAME adds that control's bounds after every step to the trace.
        const auto watched = Option("--watch", "QUORVEL_SOAK_WATCH");
        int current = 0;
        auto trace = [&](const std::string& what) {
            if (tracing)
                std::printf("step %d: %s\n", current, what.c_str());
        };
        std::map<std::string, TRect> frozen; // the layout when the component was freed
        Sim::TDesktop& desktop = *Desktop;
        std::vector<TControl*> added;
        for (int step = 0; step < steps; ++step) {
            const int action = pick(0, 13);
            current = step;
            std::string where = "step " + std::to_string(step) + " (action ";
            where += std::to_string(action) + "): ";
            watch.MaxDepth = 0;
            std::string fault;
            switch (action) {
            case 0: {
                const int w = pick(0, 1800);
                const int h = pick(0, 1000);
                trace("client " + Text(TRect{0, 0, w, h}));
                SetClient(form, w, h);
                break;
            }
            case 1: {
                const int edge = pick(1, 8);
                const int dx = pick(-400, 400);
                const int dy = pick(-400, 400);
                trace("drag edge " + std::to_string(edge) + " by " + Text(TRect{dx, dy, 0, 0}));
                desktop.Drag(form.Handle(), static_cast<Win32::WPARAM>(edge), dx, dy);
                break;
            }
            case 2:
                trace("maximize");
                desktop.Maximize(form.Handle());
                break;
            case 3:
                trace("restore");
                desktop.Restore(form.Handle());
                break;
            case 4:
                trace("minimize");
                desktop.Minimize(form.Handle());
                break;
            case 5: {
                const int monitor = pick(0, desktop.MonitorCount() - 1);
                const Win32::RECT work = desktop.WorkArea(monitor);
                const int x = pick(work.left - 100, work.right - 50);
                const int y = pick(work.top, work.bottom - 50);
                trace("move to " + Text(TRect{x, y, 0, 0}));
                desktop.MoveTo(form.Handle(), x, y);
                break;
            }
            case 6:
                if (q) {
                    const int kind = pick(0, 3);
                    const int value = kind == 0 ? -pick(1, 500) : kind == 1 ? 0 : pick(100, 1600);
                    const int which = pick(0, 5);
                    trace("size property " + std::to_string(which) +
                          " := " + std::to_string(value));
                    fault = Assign(*q, form, watch, which, value);
                }
                break;
            case 7:
                if (q) {
                    const int pos = pick(0, 9);
                    trace("FormPos := " + std::to_string(pos));
                    q->SetFormPos(static_cast<Quorvel::TResizeFormPos>(pos));
                }
                break;
            case 8: {
                // A control made at run time, on the form, named or not.
                auto* c = new TButton(&form);
                std::string name;
                if (pick(0, 1)) {
                    name = "Added";
                    name += std::to_string(step);
                    c->SetName(name);
                }
                c->SetParent(&form);
                const int l = pick(-50, 600);
                const int t = pick(-50, 400);
                const int w = pick(0, 120);
                const int h = pick(0, 40);
                c->SetBounds(l, t, w, h);
                added.push_back(c);
                const bool reconcile = q && pick(0, 1);
                trace("add '" + name + "' at " + Text(TRect{l, t, w, h}) +
                      (reconcile ? ", DynamicAdd" : ""));
                if (reconcile)
                    q->DynamicAdd();
                break;
            }
            case 9:
                if (!added.empty()) {
                    const auto at = static_cast<std::size_t>(pick(0, int(added.size()) - 1));
                    const bool reconcile = q && pick(0, 1);
                    trace("free added '" + added[at]->Name() + "'" +
                          (reconcile ? ", DynamicDelete" : ""));
                    delete added[at];
                    added.erase(added.begin() + static_cast<std::ptrdiff_t>(at));
                    if (reconcile)
                        q->DynamicDelete();
                }
                break;
            case 10:
                // A recorded control freed: it leaves the invariants with its record.
                if (!tracked.empty()) {
                    const auto at = static_cast<std::size_t>(pick(0, int(tracked.size()) - 1));
                    const bool reconcile = q && pick(0, 1);
                    trace("free " + tracked[at].Name + (reconcile ? ", DynamicDelete" : ""));
                    // Its children lose their parent and with it their alignment: the
                    // start-up layout no longer holds for them.
                    TComponent* gone = form.FindComponent(tracked[at].Name);
                    for (int i = 0; i < form.ComponentCount(); ++i)
                        if (auto* c = dynamic_cast<TControl*>(form.Components(i)))
                            for (TControl* p = c; p; p = p->Parent())
                                if (p == gone)
                                    startUp.erase("/" + c->Name());
                    delete gone;
                    for (auto it = startUp.begin(); it != startUp.end();)
                        it = it->first.rfind("/" + tracked[at].Name + "/", 0) == 0
                                 ? startUp.erase(it)
                                 : std::next(it);
                    tracked.erase(tracked.begin() + static_cast<std::ptrdiff_t>(at));
                    if (reconcile)
                        q->DynamicDelete();
                }
                break;
            case 11:
                // The component freed, the form kept: from now on nothing follows
                // the client size, and nothing may reach the freed component.
                if (q && pick(0, 3) == 0) {
                    trace("restore, free the component");
                    desktop.Restore(form.Handle());
                    watch.Live = false;
                    delete q;
                    q = nullptr;
                    Snapshot(form, "", frozen);
                }
                break;
            default:
                trace("design size");
                SetClient(form, state.OwnerWidth, state.OwnerHeight);
                break;
            }
            if (watched)
                if (auto* c = dynamic_cast<TControl*>(form.FindComponent(*watched)))
                    trace("  " + *watched + " at " +
                          Text(TRect{c->Left(), c->Top(), c->Width(), c->Height()}) + ", client " +
                          Text(TRect{0, 0, form.ClientWidth(), form.ClientHeight()}) +
                          (q && Record(*q, *watched)
                               ? ", recorded at " + Text(TRect{Record(*q, *watched)->Left,
                                                               Record(*q, *watched)->Top,
                                                               Record(*q, *watched)->Width,
                                                               Record(*q, *watched)->Height})
                               : std::string()));
            if (fault.empty())
                fault = watch.Fault;
            if (fault.empty() && watch.MaxDepth > 6)
                fault = "messages nest " + std::to_string(watch.MaxDepth) + " deep";
            if (fault.empty() && watch.Depth != 0)
                fault = "a message never returned";
            if (fault.empty() && q && !Win32::IsIconic(form.Handle()))
                fault = Check(form, watch.Design, tracked);
            if (fault.empty() && !q) {
                std::map<std::string, TRect> now;
                Snapshot(form, "", now);
                for (const TTracked& t : tracked) {
                    auto it = now.find("/" + t.Name);
                    auto was = frozen.find("/" + t.Name);
                    if (it != now.end() && was != frozen.end() && it->second != was->second) {
                        fault = t.Name + " still follows the client size without the component";
                        break;
                    }
                }
            }
            if (!fault.empty())
                return fail(where + fault);
        }

        if (q) {
            // Back at the design size: the start-up layout exactly.
            current = steps;
            trace("sizes cleared, restore, restore, design size");
            // A maximum below the design size would keep the window from it.
            for (auto set : {&TQuorvel::SetFormMinWidth, &TQuorvel::SetFormMinHeight,
                             &TQuorvel::SetFormMaxWidth, &TQuorvel::SetFormMaxHeight})
                (q->*set)(0);
            desktop.Restore(form.Handle());
            desktop.Restore(form.Handle());
            SetClient(form, state.OwnerWidth, state.OwnerHeight);
            if (form.ClientWidth() != state.OwnerWidth || form.ClientHeight() != state.OwnerHeight)
                return fail("the design size cannot be reached again: client " +
                            Text(TRect{0, 0, form.ClientWidth(), form.ClientHeight()}) +
                            (q && Record(*q, *watched)
                                 ? ", recorded at " + Text(TRect{Record(*q, *watched)->Left,
                                                                 Record(*q, *watched)->Top,
                                                                 Record(*q, *watched)->Width,
                                                                 Record(*q, *watched)->Height})
                                 : std::string()));
            if (std::string f = Check(form, watch.Design, tracked); !f.empty())
                return fail("at the end: " + f);
            std::map<std::string, TRect> now;
            Snapshot(form, "", now);
            for (const auto& [name, bounds] : startUp) {
                auto it = now.find(name);
                if (it != now.end() && it->second != bounds)
                    return fail("back at the design size, " + name + " is at " + Text(it->second) +
                                ", it started at " + Text(bounds));
            }
            if (!watch.Fault.empty())
                return fail(watch.Fault);
        }
        watch.Live = false;
        ReleaseForms();
        Watched = nullptr;
        if (desktop.WindowCount() != 0)
            return fail("windows outlive their form");
        if (desktop.HookCount() != 0)
            return fail("a message hook outlives the form");
        if (desktop.LockedWindow() != nullptr)
            return fail("a window stays locked against updates");
        return {};
    }
};

TEST_F(Soak, RandomActionSequencesKeepTheLayoutTheFormulaOfTheClientSize) {
    const auto seconds = Option("--seconds", "QUORVEL_SOAK_SECONDS");
    const auto only = Option("--seed", "QUORVEL_SOAK_SEED");
    const auto until = std::chrono::steady_clock::now() +
                       std::chrono::seconds(seconds ? std::atoi(seconds->c_str()) : 0);
    const std::vector<fs::path> corpus = CorpusForms();
    unsigned seed = only ? static_cast<unsigned>(std::strtoul(only->c_str(), nullptr, 10)) : 1;
    int runs = 0;
    do {
        const std::string fault = RunSeed(seed, 80, corpus);
        ASSERT_TRUE(fault.empty()) << "seed " << seed << ": " << fault << " (replay: --seed "
                                   << seed << " or QUORVEL_SOAK_SEED=" << seed << ")";
        ++seed;
        ++runs;
    } while (!only && (runs < 150 || std::chrono::steady_clock::now() < until));
    if (seconds)
        std::printf("soak: %d seeds\n", runs);
}

} // namespace
} // namespace QuorvelTest
