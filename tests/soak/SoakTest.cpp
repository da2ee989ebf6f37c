// A soak of random user actions over random forms: seeded sequences of resizes,
// drags, maximize, restore, minimize, and controls added and freed with the
// reconciliation, with one predicate checked after every step. The run is short
// by default; QUORVEL_SOAK_SECONDS=N runs seeds for N seconds. A failure names
// its seed, and QUORVEL_SOAK_SEED=S replays that one.
#include "support/QuorvelFixture.h"

#include "quorvel/vcl/StdCtrls.h"

#include <chrono>
#include <cstdlib>
#include <random>

namespace QuorvelTest {
namespace {

using namespace Vcl;

struct TReference {
    std::string Name;
    int Left, Top, Width, Height;
};

int Scaled(int reference, double scale) {
    const int v = Vcl::Trunc(reference * scale + 0.5);
    return v == 0 ? 1 : v;
}

class Soak : public TQuorvelFixture {
protected:
    // The one predicate: every control recorded at start-up stands where the
    // formula of the current client size puts it, and nothing has a negative size.
    std::string Check(TCustomForm& form, const std::vector<TReference>& refs) {
        if (Win32::IsIconic(form.Handle()))
            return {};
        const double x = form.ClientWidth() / 400.0;
        const double y = form.ClientHeight() / 300.0;
        for (const TReference& r : refs) {
            auto* c = dynamic_cast<TControl*>(form.FindComponent(r.Name));
            if (!c)
                return r.Name + " vanished";
            const TRect want{Scaled(r.Left, x), Scaled(r.Top, y), 0, 0};
            if (c->Left() != want.Left || c->Top() != want.Top ||
                c->Width() != Scaled(r.Width, x) || c->Height() != Scaled(r.Height, y))
                return r.Name + " is not where the formula puts it at client " +
                       std::to_string(form.ClientWidth()) + "x" +
                       std::to_string(form.ClientHeight());
            if (c->Width() < 0 || c->Height() < 0)
                return r.Name + " has a negative size";
        }
        return {};
    }

    std::string RunSeed(unsigned seed, int steps) {
        std::mt19937 random(seed);
        auto pick = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        std::string children;
        std::vector<TReference> refs;
        for (int i = pick(1, 8); i > 0; --i) {
            // Appended rather than "B" + ...: GCC 12 at -O2 warns falsely on that form.
            std::string name = "B";
            name += std::to_string(i);
            TReference r{name, pick(0, 390), pick(0, 290), pick(0, 200), pick(0, 100)};
            children += Button(r.Name, r.Left, r.Top, r.Width, r.Height);
            refs.push_back(r);
        }
        auto& form = Load(FormText(children));
        auto& q = Component(form);
        TExitResizeLog log;
        log.Attach(q);
        form.Show();
        const std::string shown = Check(form, refs);
        if (!shown.empty())
            return "after show: " + shown;
        Sim::TDesktop& desktop = *Desktop;
        TControl* added = nullptr;
        for (int step = 0; step < steps; ++step) {
            const int calls = log.Calls;
            const int action = pick(0, 7);
            switch (action) {
            case 0: SetClient(form, pick(0, 1800), pick(0, 1000)); break;
            case 1:
                desktop.Drag(form.Handle(), static_cast<Win32::WPARAM>(pick(1, 8)),
                             pick(-300, 300), pick(-300, 300));
                break;
            case 2: desktop.Maximize(form.Handle()); break;
            case 3: desktop.Restore(form.Handle()); break;
            case 4: desktop.Minimize(form.Handle()); break;
            case 5:
                if (!added) {
                    added = new TButton(&form);
                    added->SetParent(&form);
                    added->SetBounds(pick(0, 300), pick(0, 200), pick(1, 80), pick(1, 30));
                    q.DynamicAdd();
                }
                break;
            case 6:
                if (added) {
                    delete added;
                    added = nullptr;
                    q.DynamicDelete();
                }
                break;
            default: SetClient(form, 400, 300); break;
            }
            std::string where = "step ";
            where += std::to_string(step) + " (action " + std::to_string(action) + "): ";
            const std::string fault = Check(form, refs);
            if (!fault.empty())
                return where + fault;
            if (log.Calls > calls + 8)
                return where + "passes without end";
            if (log.Calls > calls && !Win32::IsIconic(form.Handle()) &&
                (log.XScale != form.ClientWidth() / 400.0 ||
                 log.YScale != form.ClientHeight() / 300.0))
                return where + "the last OnExitResize does not carry the factors of the layout";
        }
        // Back at the design size: the start-up layout exactly.
        desktop.Restore(form.Handle());
        desktop.Restore(form.Handle());
        SetClient(form, 400, 300);
        for (const TReference& r : refs) {
            auto& c = Get(form, r.Name.c_str());
            if (Bounds(c) != TRect{r.Left == 0 ? 1 : r.Left, r.Top == 0 ? 1 : r.Top,
                                   (r.Left == 0 ? 1 : r.Left) + (r.Width == 0 ? 1 : r.Width),
                                   (r.Top == 0 ? 1 : r.Top) + (r.Height == 0 ? 1 : r.Height)})
                return "back at the design size, " + r.Name + " is not where it started";
        }
        ReleaseForms();
        if (desktop.WindowCount() != 0)
            return "windows outlive their form";
        return {};
    }
};

TEST_F(Soak, RandomActionSequencesKeepTheLayoutTheFormulaOfTheClientSize) {
    const char* seconds = std::getenv("QUORVEL_SOAK_SECONDS");
    const char* only = std::getenv("QUORVEL_SOAK_SEED");
    const auto until = std::chrono::steady_clock::now() +
                       std::chrono::seconds(seconds ? std::atoi(seconds) : 0);
    unsigned seed = only ? static_cast<unsigned>(std::strtoul(only, nullptr, 10)) : 1;
    int runs = 0;
    do {
        UseDesktop({});
        const std::string fault = RunSeed(seed, 60);
        ASSERT_TRUE(fault.empty()) << "seed " << seed << ": " << fault
                                   << " (replay: QUORVEL_SOAK_SEED=" << seed << ")";
        ++seed;
        ++runs;
    } while (!only && (runs < 40 || std::chrono::steady_clock::now() < until));
}

} // namespace
} // namespace QuorvelTest
