// One resize pass over forms of 10 to 10,000 controls, half of them inside frames,
// against the floor: the same bounds and font sizes given to the same controls by
// a bare loop of the same setters. The forms are generated as form-file text and
// loaded, so the component starts as it does in real use.
#include "quorvel/component/Quorvel.h"
#include "quorvel/vcl/FormStreaming.h"
#include "quorvel/vcl/Forms.h"
#include "quorvel/win/sim/SimDesktop.h"

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace Vcl;

// Each frame holds this many controls; frames and plain controls on the form make
// up the other half.
constexpr int FrameChildren = 5;
// Client sizes the passes alternate between: factors 2.0 and 2.5 of 400 x 300, so
// every bound and every font size changes on every pass.
constexpr std::array<TPoint, 2> ClientSizes{TPoint{800, 600}, TPoint{1000, 750}};

const char* const ClassNames[] = {"TButton", "TLabel", "TEdit", "TCheckBox"};

std::string ControlText(std::mt19937& random, const std::string& indent, const std::string& name,
                        int index) {
    std::uniform_int_distribution<int> left(1, 360), top(1, 270), size(8, 40), font(7, 12);
    std::string s = indent + "object " + name + ": " + ClassNames[index % 4] + "\n";
    s += indent + "  Left = " + std::to_string(left(random)) + "\n";
    s += indent + "  Top = " + std::to_string(top(random)) + "\n";
    s += indent + "  Width = " + std::to_string(size(random)) + "\n";
    s += indent + "  Height = " + std::to_string(size(random)) + "\n";
    s += indent + "  Font.Height = -" + std::to_string(font(random) * 4 / 3) + "\n";
    s += indent + "  ParentFont = False\n";
    return s + indent + "end\n";
}

std::string FrameText() {
    std::mt19937 random(7);
    std::string s = "object BenchFrame: TBenchFrame\n  Width = 40\n  Height = 30\n";
    for (int i = 0; i < FrameChildren; ++i)
        s += ControlText(random, "  ", "Child" + std::to_string(i), i);
    return s + "end\n";
}

// Total controls: frames, plain controls on the form and frame children, with the
// children making up half.
std::string FormText(int controls) {
    const int frames = std::max(controls / (2 * FrameChildren), 1);
    const int plain = controls - frames - frames * FrameChildren;
    std::mt19937 random(11);
    std::uniform_int_distribution<int> left(1, 360), top(1, 270);
    std::string s = "object BenchForm: TBenchForm\n  Left = 0\n  Top = 0\n"
                    "  ClientHeight = 300\n  ClientWidth = 400\n  Font.Height = -11\n"
                    "  Font.Name = 'Tahoma'\n  PixelsPerInch = 96\n"
                    "  object Quorvel1: TQuorvel\n    DesignFrmW = 400\n    DesignFrmH = 300\n"
                    "    DesignDpiW = 96\n    DesignDpiH = 96\n  end\n";
    for (int i = 0; i < plain; ++i)
        s += ControlText(random, "  ", "Control" + std::to_string(i), i);
    for (int i = 0; i < frames; ++i)
        s += "  inline Frame" + std::to_string(i) +
             ": TBenchFrame\n    Left = " + std::to_string(left(random)) +
             "\n    Top = " + std::to_string(top(random)) + "\n  end\n";
    return s + "end\n";
}

// A desktop, the component unit and one loaded form, for the length of a benchmark.
class TBenchForm {
public:
    explicit TBenchForm(int controls) {
        Desktop.emplace();
        Quorvel::UnitInitialization();
        const auto dir = std::filesystem::temp_directory_path() /
                         ("quorvel-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        TFormLoadOptions options;
        options.FileName = (dir / "form.dfm").string();
        options.FrameFiles.push_back((dir / "frame.dfm").string());
        std::ofstream(options.FrameFiles.back()) << FrameText();
        Root = LoadFormText(FormText(controls), options);
        std::filesystem::remove_all(dir);
        Form = dynamic_cast<TCustomForm*>(Root.get());
        for (int i = 0; i < Form->ComponentCount(); ++i) {
            auto* control = dynamic_cast<TControl*>(Form->Components(i));
            if (!control)
                continue;
            Controls.push_back(control);
            if (dynamic_cast<TFrame*>(control))
                for (int j = 0; j < control->ComponentCount(); ++j)
                    Controls.push_back(dynamic_cast<TControl*>(control->Components(j)));
        }
        if (static_cast<int>(Controls.size()) != controls)
            throw std::logic_error("the generated form has the wrong number of controls");
    }

    ~TBenchForm() {
        Root.reset();
        Quorvel::UnitFinalization();
        Desktop.reset();
    }

    // Changes the client size through the window, which runs the pass.
    void SetClient(const TPoint& client) {
        const TPoint outer = Form->OuterSizeFor(client.X, client.Y);
        Win32::MoveWindow(Form->Handle(), 0, 0, outer.X, outer.Y, 1);
    }

    struct TTarget {
        int Left, Top, Width, Height, FontSize;
    };

    std::vector<TTarget> Snapshot() const {
        std::vector<TTarget> out;
        out.reserve(Controls.size());
        for (const TControl* c : Controls)
            out.push_back({c->Left(), c->Top(), c->Width(), c->Height(), c->Font()->Size()});
        return out;
    }

    std::optional<Sim::TDesktop> Desktop;
    std::unique_ptr<TComponent> Root;
    TCustomForm* Form = nullptr;
    std::vector<TControl*> Controls; // top-level controls, each frame followed by its children
};

void CheckEveryControlMoves(const std::vector<TBenchForm::TTarget>& a,
                            const std::vector<TBenchForm::TTarget>& b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].Left == b[i].Left && a[i].Top == b[i].Top && a[i].Width == b[i].Width &&
            a[i].Height == b[i].Height)
            throw std::logic_error("a control keeps its bounds between the two sizes");
}

// The values the passes give at the two sizes, taken from real passes.
std::array<std::vector<TBenchForm::TTarget>, 2> PassTargets(TBenchForm& bench) {
    std::array<std::vector<TBenchForm::TTarget>, 2> targets;
    for (std::size_t k = 0; k < 2; ++k) {
        bench.SetClient(ClientSizes[k]);
        targets[k] = bench.Snapshot();
    }
    CheckEveryControlMoves(targets[0], targets[1]);
    return targets;
}

// The floor: the same setters with the same values in a bare loop.
[[gnu::noinline]] void SetTargets(TBenchForm& bench, const std::vector<TBenchForm::TTarget>& t) {
    for (std::size_t i = 0; i < t.size(); ++i) {
        TControl* c = bench.Controls[i];
        c->Font()->SetSize(t[i].FontSize);
        c->SetTop(t[i].Top);
        c->SetLeft(t[i].Left);
        c->SetWidth(t[i].Width);
        c->SetHeight(t[i].Height);
    }
}

// One pass: the window resized, the component laying the form out on WM_SIZE.
[[gnu::noinline]] void Pass(TBenchForm& bench, const TPoint& client) { bench.SetClient(client); }

void BM_ResizePass(benchmark::State& state) {
    const int controls = static_cast<int>(state.range(0));
    TBenchForm bench(controls);
    PassTargets(bench);

    std::size_t next = 0;
    for (auto _ : state) {
        Pass(bench, ClientSizes[next]);
        next ^= 1;
    }
    state.SetItemsProcessed(state.iterations() * controls);
}

void BM_SetterFloor(benchmark::State& state) {
    const int controls = static_cast<int>(state.range(0));
    TBenchForm bench(controls);
    const auto targets = PassTargets(bench);

    std::size_t next = 0;
    for (auto _ : state) {
        SetTargets(bench, targets[next]);
        next ^= 1;
    }
    state.SetItemsProcessed(state.iterations() * controls);
}

// For callgrind: Passes passes, or as many floor loops, at one size, the
// measured work alone in Pass or SetTargets (--toggle-collect). The two sizes
// alternate as in the benchmarks, after the same two passes to warm up.
int CountInstructions(int controls, bool floor, int passes) {
    TBenchForm bench(controls);
    const auto targets = PassTargets(bench);
    for (int k = 0; k < passes; ++k) {
        if (floor)
            SetTargets(bench, targets[k % 2]);
        else
            Pass(bench, ClientSizes[k % 2]);
    }
    return 0;
}

} // namespace

BENCHMARK(BM_ResizePass)->RangeMultiplier(10)->Range(10, 10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SetterFloor)->RangeMultiplier(10)->Range(10, 10000)->Unit(benchmark::kMicrosecond);

// bench_resize_pass --instructions CONTROLS pass|floor PASSES runs the work of
// CountInstructions and nothing else (bench/instructions.sh); any other command
// line runs the benchmarks.
int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--instructions")
        return CountInstructions(std::stoi(argv[2]), std::string(argv[3]) == "floor",
                                 std::stoi(argv[4]));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
