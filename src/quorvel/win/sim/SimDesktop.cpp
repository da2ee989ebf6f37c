#include "quorvel/win/sim/SimDesktop.h"

#include "quorvel/win/sim/SimDesktopImpl.h"
#include "quorvel/win/sim/SimFonts.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace Sim {

namespace {

TDesktop* GCurrent = nullptr;

void CheckConfig(const TDesktopConfig& config) {
    if (config.Monitors.empty())
        throw std::invalid_argument("Sim::TDesktop: at least one monitor is required");
    const RECT& primary = config.Monitors.front().Bounds;
    if (primary.left != 0 || primary.top != 0)
        throw std::invalid_argument("Sim::TDesktop: the primary monitor must start at (0, 0)");
    for (const TMonitorConfig& monitor : config.Monitors) {
        if (Width(monitor.Bounds) <= 0 || Height(monitor.Bounds) <= 0)
            throw std::invalid_argument("Sim::TDesktop: a monitor has empty bounds");
        if (monitor.Dpi <= 0)
            throw std::invalid_argument("Sim::TDesktop: a monitor has a DPI of zero or less");
    }
    if (config.Taskbar.Thickness < 0)
        throw std::invalid_argument("Sim::TDesktop: negative taskbar thickness");
    const TFrameMetrics& f = config.Frame;
    if (f.SizeableBorder < 0 || f.FixedBorder < 0 || f.ThinBorder < 0 || f.Caption < 0 ||
        f.SmallCaption < 0 || f.Menu < 1 || f.MinTrackSize.x < 0 || f.MinTrackSize.y < 0 ||
        f.MaxTrackExtra < 0)
        throw std::invalid_argument("Sim::TDesktop: negative frame metric");
}

bool Sizeable(const TWindow& window) {
    return (window.Style & (WS_THICKFRAME | WS_MAXIMIZE | WS_MINIMIZE)) == WS_THICKFRAME;
}

// Keeps the rectangle within the track sizes by moving the edges the user holds.
void ClampToTrack(RECT& r, const MINMAXINFO& mmi, bool leftEdge, bool topEdge) {
    auto clamp = [](LONG& low, LONG& high, LONG minSize, LONG maxSize, bool moveLow) {
        long long size = static_cast<long long>(high) - low;
        long long wanted = size;
        if (wanted > maxSize)
            wanted = maxSize;
        if (wanted < minSize)
            wanted = minSize;
        if (wanted < 0)
            wanted = 0;
        if (wanted == size)
            return;
        if (moveLow)
            low = Saturate(static_cast<long long>(high) - wanted);
        else
            high = Saturate(static_cast<long long>(low) + wanted);
    };
    clamp(r.left, r.right, mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x, leftEdge);
    clamp(r.top, r.bottom, mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y, topEdge);
}

} // namespace

// ---- Helpers shared by the sources ---------------------------------------------

// The current desktop's state, which every Win32 function asks for first.
TDesktop::TImpl* GCurrentImpl = nullptr;

void NoDesktop(const char* function) {
    std::fprintf(stderr, "Quorvel simulated desktop: %s was called while no Sim::TDesktop exists\n",
                 function);
    std::abort();
}

int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>((product >= 0 ? product + half : product - half) / denominator);
}

int FrameBorder(const TFrameMetrics& metrics, DWORD style, DWORD exStyle) {
    return BorderOf(metrics, style, exStyle);
}

int ClientEdge(const TFrameMetrics& metrics, DWORD exStyle) {
    return ClientEdgeOf(metrics, exStyle);
}

int CaptionHeight(const TFrameMetrics& metrics, DWORD style, DWORD exStyle) {
    return CaptionOf(metrics, style, exStyle);
}

int MenuBarRow(const TFrameMetrics& metrics, int dpi) {
    return dpi <= 0 ? 0 : MulDiv(metrics.Menu - 1, dpi, 96) + 1;
}

namespace {
const TFrameMetrics& CurrentMetrics() {
    static const TFrameMetrics defaults;
    return GCurrent != nullptr ? GCurrent->Config().Frame : defaults;
}
} // namespace

int FrameBorder(DWORD style, DWORD exStyle) {
    return FrameBorder(CurrentMetrics(), style, exStyle);
}

int ClientEdge(DWORD exStyle) { return ClientEdge(CurrentMetrics(), exStyle); }

int CaptionHeight(DWORD style, DWORD exStyle) {
    return CaptionHeight(CurrentMetrics(), style, exStyle);
}

TDesktopConfig WineLikeConfig() {
    TDesktopConfig config;
    config.Monitors = {TMonitorConfig{{0, 0, 1280, 1024}, 96}};
    config.Taskbar = {TTaskbarEdge::Bottom, 1, true};
    config.Frame = {4, 3, 1, 19, 16, {112, 27}, 4, 2, 16, 19};
    config.OsMajor = 10;
    config.OsMinor = 0;
    config.Composition = true;
    config.ExtendedFrameBounds = false;
    config.FirstShowAlwaysSizes = true;
    config.LocaleAbbrev = "ENU";
    return config;
}

TDesktop::TImpl::TImpl(TDesktopConfig config) : Given(std::move(config)) {
    TakeGiven();
    Windows.reserve(1024);
    RegisterSystemClasses();
    InstallControlClasses();
}

TDesktop::TImpl::~TImpl() = default;

void TDesktop::TImpl::TakeGiven() {
    Config = Given;
    if (Given.DpiAwareness != TDpiAwareness::Unaware)
        return;
    // An unaware program's pixels are 96 to the inch on every monitor: each keeps
    // its corner and shrinks (or grows) about it, and the taskbar with the primary.
    for (TMonitorConfig& monitor : Config.Monitors) {
        const RECT b = monitor.Bounds;
        monitor.Bounds.right = Saturate(static_cast<long long>(b.left) +
                                        std::max(MulDiv(Width(b), 96, monitor.Dpi), 1));
        monitor.Bounds.bottom = Saturate(static_cast<long long>(b.top) +
                                         std::max(MulDiv(Height(b), 96, monitor.Dpi), 1));
    }
    Config.Taskbar.Thickness = MulDiv(Given.Taskbar.Thickness, 96, Given.Monitors.front().Dpi);
}

TFontEngine& TDesktop::TImpl::Engine() {
    if (!FontEngine)
        FontEngine = std::make_unique<TFontEngine>(Config.FontDirectories);
    return *FontEngine;
}

std::vector<std::string> DefaultFontDirectories() {
#if defined(QUORVEL_SIM_FONT_DIRS)
    const std::string all = QUORVEL_SIM_FONT_DIRS;
#else
    const std::string all = "/usr/share/wine/fonts|/usr/share/fonts/truetype/liberation2|"
                            "/usr/share/fonts/truetype/wqy";
#endif
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start <= all.size()) {
        const std::size_t end = std::min(all.find('|', start), all.size());
        if (end > start)
            result.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    return result;
}

// ---- TDesktop --------------------------------------------------------------------

TDesktop::TDesktop(TDesktopConfig config) : FImpl(nullptr) {
    if (GCurrent != nullptr)
        throw std::logic_error("Sim::TDesktop: another desktop is still alive");
    CheckConfig(config);
    FImpl = new TImpl(std::move(config));
    GCurrent = this;
    GCurrentImpl = FImpl;
}

// The remaining windows go without messages: their procedures may belong to
// objects that no longer exist.
TDesktop::~TDesktop() {
    if (GCurrent == this) {
        GCurrent = nullptr;
        GCurrentImpl = nullptr;
    }
    delete FImpl;
}

TDesktop& TDesktop::Current() {
    Desk("Sim::TDesktop::Current");
    return *GCurrent;
}

bool TDesktop::Exists() { return GCurrent != nullptr; }

TDesktop::TImpl& TDesktop::Impl() { return *FImpl; }

const TDesktopConfig& TDesktop::Config() const { return FImpl->Given; }

void TDesktop::SetLocale(const std::string& abbrev) {
    FImpl->Given.LocaleAbbrev = abbrev;
    FImpl->TakeGiven();
}

void TDesktop::SetComposition(bool enabled) {
    FImpl->Given.Composition = enabled;
    FImpl->TakeGiven();
}

void TDesktop::SetTaskbar(const TTaskbarConfig& taskbar) {
    if (taskbar.Thickness < 0)
        throw std::invalid_argument("Sim::TDesktop: negative taskbar thickness");
    FImpl->Given.Taskbar = taskbar;
    FImpl->TakeGiven();
}

void TDesktop::SetOsVersion(DWORD major, DWORD minor) {
    FImpl->Given.OsMajor = major;
    FImpl->Given.OsMinor = minor;
    FImpl->TakeGiven();
}

// ---- What a user does --------------------------------------------------------------

void TDesktop::Drag(HWND window, WPARAM wmszEdge, int dx, int dy) {
    TImpl& d = *FImpl;
    TWindow* w = d.Find(window);
    if (w == nullptr || wmszEdge < WMSZ_LEFT || wmszEdge > WMSZ_BOTTOMRIGHT || !Sizeable(*w))
        return;
    const bool left =
        wmszEdge == WMSZ_LEFT || wmszEdge == WMSZ_TOPLEFT || wmszEdge == WMSZ_BOTTOMLEFT;
    const bool right =
        wmszEdge == WMSZ_RIGHT || wmszEdge == WMSZ_TOPRIGHT || wmszEdge == WMSZ_BOTTOMRIGHT;
    const bool top = wmszEdge == WMSZ_TOP || wmszEdge == WMSZ_TOPLEFT || wmszEdge == WMSZ_TOPRIGHT;
    const bool bottom =
        wmszEdge == WMSZ_BOTTOM || wmszEdge == WMSZ_BOTTOMLEFT || wmszEdge == WMSZ_BOTTOMRIGHT;

    d.Send(window, WM_ENTERSIZEMOVE, 0, 0);
    if ((w = d.Find(window)) == nullptr)
        return;
    MINMAXINFO mmi = d.DefaultMinMax(*w);
    d.Send(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    if ((w = d.Find(window)) == nullptr)
        return;

    RECT r = d.ScreenRect(*w);
    if (left)
        r.left = Saturate(static_cast<long long>(r.left) + dx);
    if (right)
        r.right = Saturate(static_cast<long long>(r.right) + dx);
    if (top)
        r.top = Saturate(static_cast<long long>(r.top) + dy);
    if (bottom)
        r.bottom = Saturate(static_cast<long long>(r.bottom) + dy);
    ClampToTrack(r, mmi, left, top);

    d.Send(window, WM_SIZING, wmszEdge, reinterpret_cast<LPARAM>(&r));
    if ((w = d.Find(window)) == nullptr)
        return;
    ClampToTrack(r, mmi, left, top);
    if (w->Parent != nullptr) {
        const POINT origin = d.ScreenClientOrigin(*w->Parent);
        OffsetRect(&r, -origin.x, -origin.y);
    }
    d.SetPos(window, nullptr, r.left, r.top, Width(r), Height(r), SWP_NOZORDER | SWP_NOACTIVATE);
    d.Send(window, WM_EXITSIZEMOVE, 0, 0);
}

void TDesktop::Maximize(HWND window) { FImpl->Send(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0); }

void TDesktop::Restore(HWND window) { FImpl->Send(window, WM_SYSCOMMAND, SC_RESTORE, 0); }

void TDesktop::Minimize(HWND window) { FImpl->Send(window, WM_SYSCOMMAND, SC_MINIMIZE, 0); }

void TDesktop::MoveTo(HWND window, int x, int y) {
    TImpl& d = *FImpl;
    TWindow* w = d.Find(window);
    if (w == nullptr || (w->Style & (WS_MAXIMIZE | WS_MINIMIZE)) != 0)
        return;
    d.Send(window, WM_ENTERSIZEMOVE, 0, 0);
    d.SetPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    d.Send(window, WM_EXITSIZEMOVE, 0, 0);
}

// ---- Queries -------------------------------------------------------------------------

namespace {
int CheckedMonitor(const TDesktopConfig& config, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= config.Monitors.size())
        throw std::out_of_range("Sim::TDesktop: no monitor " + std::to_string(index));
    return index;
}
} // namespace

RECT TDesktop::WorkArea(int monitorIndex) const {
    return FImpl->WorkArea(CheckedMonitor(FImpl->Config, monitorIndex));
}

RECT TDesktop::MonitorBounds(int monitorIndex) const {
    return FImpl->Config.Monitors[CheckedMonitor(FImpl->Config, monitorIndex)].Bounds;
}

int TDesktop::MonitorDpi(int monitorIndex) const {
    return FImpl->MonitorDpi(CheckedMonitor(FImpl->Config, monitorIndex));
}

int TDesktop::SystemDpi() const { return FImpl->SystemDpi(); }

int TDesktop::WindowDpi(HWND window) const {
    const TWindow* w = FImpl->Find(window);
    return w != nullptr ? FImpl->WindowDpi(*w) : FImpl->SystemDpi();
}

double TDesktop::DisplayScale(HWND window) const {
    const TWindow* w = FImpl->Find(window);
    const TDpiAwareness awareness = FImpl->Given.DpiAwareness;
    if (w == nullptr || awareness == TDpiAwareness::PerMonitorV2)
        return 1.0;
    while (w->Parent != nullptr)
        w = w->Parent;
    // The system stretches a window drawn at another resolution than its monitor's.
    const int drawnAt = awareness == TDpiAwareness::Unaware ? 96 : FImpl->SystemDpi();
    return FImpl->MonitorDpi(FImpl->MonitorOf(*w)) / static_cast<double>(drawnAt);
}

int TDesktop::MonitorCount() const { return static_cast<int>(FImpl->Config.Monitors.size()); }

HWND TDesktop::LockedWindow() const { return FImpl->Locked; }

std::vector<HWND> TDesktop::TopLevelWindows() const {
    std::vector<HWND> result;
    for (TWindow* w = FImpl->FirstTop; w != nullptr; w = w->Next)
        result.push_back(w->Handle);
    return result;
}

std::vector<HWND> TDesktop::Children(HWND window) const {
    std::vector<HWND> result;
    if (const TWindow* parent = FImpl->Find(window))
        for (TWindow* w = parent->FirstChild; w != nullptr; w = w->Next)
            result.push_back(w->Handle);
    return result;
}

std::size_t TDesktop::WindowCount() const { return FImpl->Windows.size(); }

std::size_t TDesktop::HookCount() const { return FImpl->Hooks.size(); }

bool TDesktop::DwmLibraryLoaded() const { return FImpl->DwmLoaded; }

bool TDesktop::FontInfo(HFONT font, LOGFONTW& info) const {
    auto it = FImpl->Fonts.find(FromHandle(font));
    if (it == FImpl->Fonts.end())
        return false;
    info = it->second;
    return true;
}

std::size_t TDesktop::FontCount() const { return FImpl->Fonts.size(); }

bool TDesktop::FontSource(HFONT font, TFontSource& source) const {
    auto it = FImpl->Fonts.find(FromHandle(font));
    if (it == FImpl->Fonts.end())
        return false;
    source = FImpl->Engine().Realize(it->second).Source;
    return true;
}

TFontSource TDesktop::ResolveFont(const LOGFONTW& font) const {
    return FImpl->Engine().Realize(font).Source;
}

TTextMeasure TDesktop::MeasureText(const LOGFONTW& font, std::u16string_view text) const {
    TRealizedFont& realized = FImpl->Engine().Realize(font);
    TTextMeasure result;
    const auto length = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
    result.Extent = FImpl->Engine().Extent(realized, text.data(), length);
    result.Metrics = realized.Metrics;
    result.Source = realized.Source;
    return result;
}

bool TDesktop::MeasuresFontFiles() const { return FImpl->Engine().MeasuresFontFiles(); }

void TDesktop::EnableLog(bool on) { FImpl->LogOn = on; }

const std::vector<TLogEntry>& TDesktop::Log() const { return FImpl->Log; }

void TDesktop::ClearLog() { FImpl->Log.clear(); }

} // namespace Sim
