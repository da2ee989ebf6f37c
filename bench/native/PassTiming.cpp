// The time of one pass of the plain Win32 adapter over a real dialog of 200
// controls, with its moves in one deferred batch, against the same rectangles
// given by one SetWindowPos per window.
//
//   quorvel_pass_timing.exe [ROUNDS]
//
// Each round resizes the dialog between its design size and half as big again,
// 20 times per variant; the medians over all rounds are printed. Both variants
// include the dialog's own resize, so the dialog resized with no child moves is
// measured too. Fonts stay (the other variant would have to make them as well).
#include <windows.h>

#include "quorvel/core/Scaling.h"
#include "quorvel/winlayout/WinLayout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

constexpr int kControls = 200;
constexpr int kResizes = 20;

// An empty dialog template without a font: the controls are made below.
struct TTemplate {
    DLGTEMPLATE Header;
    WORD Menu, Class, Title;
};

INT_PTR CALLBACK NoDialogProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

double Now() {
    static const double perMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / perMs;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

Quorvel::Core::TBounds InParent(HWND window, HWND parent) {
    RECT r{};
    GetWindowRect(window, &r);
    POINT p[2] = {{r.left, r.top}, {r.right, r.bottom}};
    MapWindowPoints(nullptr, parent, p, 2);
    return {p[0].x, p[0].y, p[1].x - p[0].x, p[1].y - p[0].y};
}

struct TDialog {
    HWND Window = nullptr;
    std::vector<HWND> Controls;
    int FrameX = 0, FrameY = 0;

    TDialog() {
        TTemplate t{};
        t.Header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE;
        t.Header.cx = 400;
        t.Header.cy = 300;
        Window = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &t.Header, nullptr,
                                            &NoDialogProc, 0);
        SetWindowPos(Window, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SetClient(600, 450);
        // A grid of 20 x 10: labels, edits, buttons, check boxes and list boxes.
        const wchar_t* classes[] = {L"STATIC", L"EDIT", L"BUTTON", L"BUTTON", L"LISTBOX"};
        const DWORD styles[] = {SS_LEFT, ES_AUTOHSCROLL | WS_BORDER, BS_PUSHBUTTON, BS_AUTOCHECKBOX,
                                LBS_NOINTEGRALHEIGHT | WS_BORDER};
        HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        for (int i = 0; i < kControls; ++i) {
            const int kind = i % 5;
            HWND c = CreateWindowExW(
                0, classes[kind], L"Item", WS_CHILD | WS_VISIBLE | styles[kind], 8 + (i % 10) * 59,
                6 + (i / 10) * 22, 55, 19, Window,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + i)), nullptr, nullptr);
            SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
            Controls.push_back(c);
        }
        Pump();
    }
    ~TDialog() { DestroyWindow(Window); }

    void SetClient(int width, int height) {
        RECT outer{}, client{};
        GetWindowRect(Window, &outer);
        GetClientRect(Window, &client);
        FrameX = (outer.right - outer.left) - client.right;
        FrameY = (outer.bottom - outer.top) - client.bottom;
        SetWindowPos(Window, nullptr, 0, 0, width + FrameX, height + FrameY,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
};

// The time of each resize, alternating between the two client sizes; what runs
// after the dialog's own resize is given the size.
std::vector<double> Resizes(TDialog& d, const std::function<void(int)>& after) {
    std::vector<double> times;
    for (int i = 0; i < kResizes; ++i) {
        const int k = i % 2 == 0 ? 1 : 0;
        Pump();
        const double t0 = Now();
        d.SetClient(k ? 900 : 600, k ? 675 : 450);
        if (after)
            after(k);
        times.push_back(Now() - t0);
    }
    Pump();
    return times;
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    TDialog d;

    // The rectangles of both sizes as the layout computes them.
    Quorvel::Core::TReference reference{600, 450, 96, 96, 96, 96};
    std::vector<Quorvel::Core::TBounds> design;
    for (HWND c : d.Controls)
        design.push_back(InParent(c, d.Window));
    std::vector<Quorvel::Core::TBounds> sized[2];
    for (int k = 0; k < 2; ++k) {
        const auto f = Quorvel::Core::PassFactors(k ? 900 : 600, k ? 675 : 450, reference);
        for (const auto& b : design)
            sized[k].push_back(Quorvel::Core::ScaleBounds(b, f));
    }

    std::vector<double> batch, single, alone;
    for (int round = 0; round < rounds; ++round) {
        Quorvel::WinLayout::TLayoutOptions options;
        options.ResizeFont = false;
        Quorvel::WinLayout::AttachLayout(d.Window, options);
        const auto b = Resizes(d, nullptr);
        Quorvel::WinLayout::DetachLayout(d.Window);
        batch.insert(batch.end(), b.begin(), b.end());

        const auto s = Resizes(d, [&](int k) {
            for (std::size_t i = 0; i < d.Controls.size(); ++i) {
                const auto& r = sized[k][i];
                SetWindowPos(d.Controls[i], nullptr, r.Left, r.Top, r.Width, r.Height,
                             SWP_NOZORDER | SWP_NOACTIVATE);
            }
        });
        single.insert(single.end(), s.begin(), s.end());

        const auto a = Resizes(d, nullptr);
        alone.insert(alone.end(), a.begin(), a.end());
        // Back to the design rectangles for the next round's attaching.
        for (std::size_t i = 0; i < d.Controls.size(); ++i)
            SetWindowPos(d.Controls[i], nullptr, design[i].Left, design[i].Top, design[i].Width,
                         design[i].Height, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    const double mb = Median(batch), ms = Median(single), ma = Median(alone);
    std::printf("%d controls, %zu resizes per variant, medians in milliseconds:\n", kControls,
                batch.size());
    std::printf("  dialog resize with the layout's pass (one deferred batch): %.2f\n", mb);
    std::printf("  dialog resize and one SetWindowPos per window:              %.2f\n", ms);
    std::printf("  dialog resize alone:                                        %.2f\n", ma);
    std::printf("  the pass alone: batch %.2f, one by one %.2f (ratio %.2f)\n", mb - ma, ms - ma,
                ms - ma > 0 ? (mb - ma) / (ms - ma) : 0.0);
    return 0;
}
