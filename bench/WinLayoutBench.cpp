// One pass of the plain Win32 adapter over 10 to 10,000 child windows on the
// simulated desktop, against the floor: the same rectangles given by one
// SetWindowPos per window in a bare loop. Both include the window's own resize.
//
// Wall-clock times on a shared machine are noisy; instructions are not. Each
// round is a function of its own, so callgrind can count one alone:
//
//   LD_BIND_NOW=1 QUORVEL_BENCH_ROUNDS=20 valgrind --tool=callgrind
//       --toggle-collect='*PassRound*' bench_winlayout --benchmark_filter='Pass/1000/'
//
// (one line) and the same with FloorRound and Floor/1000: QUORVEL_BENCH_ROUNDS
// fixes the number of rounds, so the two totals compare the pass with the
// floor; LD_BIND_NOW keeps the dynamic linker's first calls out of them.
//
// Pass / floor so measured (release build, 20 rounds after two uncounted
// ones): 1.30 at 10 windows, 1.23 at 100, 1.22 at 1,000 and at 10,000.
#include "quorvel/win/sim/SimDesktop.h"
#include "quorvel/winlayout/WinLayout.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <optional>
#include <random>
#include <vector>

namespace {

using namespace Win32;

struct TBenchWindow {
    explicit TBenchWindow(int children) {
        Desktop.emplace();
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &DefWindowProcW;
        wc.lpszClassName = u"QvlBench";
        RegisterClassExW(&wc);
        Top = CreateWindowExW(0, u"QvlBench", u"", WS_OVERLAPPEDWINDOW, 0, 0, 416, 339, nullptr,
                              nullptr, nullptr, nullptr);
        std::mt19937 random(11);
        std::uniform_int_distribution<int> pos(1, 360), size(8, 40);
        for (int i = 0; i < children; ++i)
            Children.push_back(CreateWindowExW(0, u"BUTTON", u"", WS_CHILD | WS_VISIBLE,
                                               pos(random), pos(random), size(random), size(random),
                                               Top, nullptr, nullptr, nullptr));
    }
    ~TBenchWindow() {
        DestroyWindow(Top);
        Desktop.reset();
    }
    TBenchWindow(const TBenchWindow&) = delete;
    TBenchWindow& operator=(const TBenchWindow&) = delete;

    // Outer sizes whose client areas are twice and two and a half times the first.
    void Resize(int k) {
        RECT win{}, client{};
        GetWindowRect(Top, &win);
        GetClientRect(Top, &client);
        const int fw = (win.right - win.left) - client.right;
        const int fh = (win.bottom - win.top) - client.bottom;
        const int w = k == 0 ? 800 : 1000, h = k == 0 ? 600 : 750;
        SetWindowPos(Top, nullptr, 0, 0, w + fw, h + fh, SWP_NOMOVE | SWP_NOZORDER);
    }
    std::vector<RECT> Snapshot() const {
        std::vector<RECT> out;
        for (HWND c : Children) {
            RECT r{};
            GetWindowRect(c, &r);
            POINT p[2] = {{r.left, r.top}, {r.right, r.bottom}};
            MapWindowPoints(nullptr, Top, p, 2);
            out.push_back({p[0].x, p[0].y, p[1].x, p[1].y});
        }
        return out;
    }
    std::optional<Sim::TDesktop> Desktop;
    HWND Top = nullptr;
    std::vector<HWND> Children;
};

// The window resized, its layout moving the children.
[[gnu::noinline]] void PassRound(TBenchWindow& bench, int k) { bench.Resize(k); }

// The window resized without a layout, then each child given its rectangle.
void Floor(TBenchWindow& bench, const std::vector<RECT>& t, int k) {
    bench.Resize(k);
    for (std::size_t i = 0; i < t.size(); ++i)
        SetWindowPos(bench.Children[i], nullptr, t[i].left, t[i].top, t[i].right - t[i].left,
                     t[i].bottom - t[i].top, SWP_NOZORDER | SWP_NOACTIVATE);
}
[[gnu::noinline]] void FloorRound(TBenchWindow& bench, const std::vector<RECT>& t, int k) {
    Floor(bench, t, k);
}

void BM_WinLayoutPass(benchmark::State& state) {
    TBenchWindow bench(static_cast<int>(state.range(0)));
    Quorvel::WinLayout::AttachLayout(bench.Top);
    // The first passes read every window again after moving it, until it has
    // taken its moves as asked: a long run never sees them, and a count of a
    // few rounds should not either.
    for (int k : {0, 1})
        bench.Resize(k);
    int next = 0;
    for (auto _ : state) {
        PassRound(bench, next);
        next ^= 1;
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_WinLayoutFloor(benchmark::State& state) {
    TBenchWindow bench(static_cast<int>(state.range(0)));
    Quorvel::WinLayout::AttachLayout(bench.Top);
    std::vector<RECT> targets[2];
    for (int k = 0; k < 2; ++k) {
        bench.Resize(k);
        targets[k] = bench.Snapshot();
    }
    Quorvel::WinLayout::DetachLayout(bench.Top);
    for (int k : {0, 1}) // as the pass's, and not counted either
        Floor(bench, targets[k], k);
    int next = 0;
    for (auto _ : state) {
        FloorRound(bench, targets[next], next);
        next ^= 1;
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

int main(int argc, char** argv) {
    const char* rounds = std::getenv("QUORVEL_BENCH_ROUNDS");
    for (auto [name, body] : {std::pair{"BM_WinLayoutPass", &BM_WinLayoutPass},
                              std::pair{"BM_WinLayoutFloor", &BM_WinLayoutFloor}}) {
        auto* b = benchmark::RegisterBenchmark(name, body)
                      ->RangeMultiplier(10)
                      ->Range(10, 10000)
                      ->Unit(benchmark::kMicrosecond);
        if (rounds != nullptr && std::atoi(rounds) > 0)
            b->Iterations(std::atoi(rounds));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
