// Monitors, the taskbar, the compositor, resolution, fonts, locale and version.
#include "SimTestSupport.h"

#include <climits>
#include <cstring>

namespace SimTest {
namespace {

// ---- Monitors ---------------------------------------------------------------------------

Sim::TDesktopConfig TwoMonitors() {
    Sim::TDesktopConfig config;
    Sim::TMonitorConfig left;
    left.Bounds = RECT{-1280, 56, 0, 1080};
    left.Dpi = 120;
    config.Monitors.push_back(left);
    return config;
}

class SimMonitors : public TSimTest {
protected:
    SimMonitors() : TSimTest(TwoMonitors()) {}
};

BOOL QV_CALLBACK CollectMonitor(HMONITOR monitor, HDC, RECT* r, LPARAM data) {
    reinterpret_cast<std::vector<std::pair<HMONITOR, RECT>>*>(data)->emplace_back(monitor, *r);
    return kTrue;
}

TEST_F(SimMonitors, SecondMonitorLeftOfThePrimaryHasNegativeCoordinates) {
    std::vector<std::pair<HMONITOR, RECT>> found;
    ASSERT_TRUE(
        EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&found)));
    ASSERT_EQ(found.size(), 2u);
    const HMONITOR primary = found[0].first;
    const HMONITOR left = found[1].first;
    EXPECT_EQ(found[1].second, (RECT{-1280, 56, 0, 1080}));

    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoW(primary, &info));
    EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);
    EXPECT_EQ(info.rcWork, (RECT{0, 0, 1920, 1040}));
    ASSERT_TRUE(GetMonitorInfoW(left, &info));
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_EQ(info.rcWork, info.rcMonitor) << "the taskbar is on the primary only";

    EXPECT_EQ(MonitorFromPoint(POINT{-1, 500}, MONITOR_DEFAULTTONULL), left);
    EXPECT_EQ(MonitorFromPoint(POINT{-100, 0}, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(MonitorFromPoint(POINT{-100, 0}, MONITOR_DEFAULTTOPRIMARY), primary);
    EXPECT_EQ(MonitorFromPoint(POINT{-100, 0}, MONITOR_DEFAULTTONEAREST), left);

    // A window mostly on the left monitor belongs to it and maximizes there.
    TProbe& probe = NewProbe();
    HWND w = Create(probe, WS_OVERLAPPEDWINDOW | WS_VISIBLE, {-900, 200, 100, 700});
    EXPECT_EQ(MonitorFromWindow(w, MONITOR_DEFAULTTONULL), left);
    HWND child = Create(probe, WS_CHILD, {0, 0, 10, 10}, w);
    EXPECT_EQ(MonitorFromWindow(child, MONITOR_DEFAULTTONULL), left);
    Desktop().Maximize(w);
    EXPECT_EQ(WindowRect(w), (RECT{-1288, 48, 8, 1088}));
    Desktop().Minimize(w);
    EXPECT_EQ(MonitorFromWindow(w, MONITOR_DEFAULTTONULL), left) << "where it will restore";

    HWND lost = Create(probe, WS_POPUP, {5000, 5000, 5100, 5100});
    EXPECT_EQ(MonitorFromWindow(lost, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(MonitorFromWindow(lost, MONITOR_DEFAULTTONEAREST), primary);
    EXPECT_EQ(Desktop().MonitorDpi(1), 120);
}

TEST_F(SimMonitors, ResolutionQueriesAnswerThePrimarysDpi) {
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 0) << "released";
}

// ---- The taskbar ------------------------------------------------------------------------------

struct TTaskbarCase {
    Sim::TTaskbarEdge Edge;
    UINT AbEdge;
    RECT Bar;
    RECT Work;
};

class SimTaskbar : public testing::TestWithParam<TTaskbarCase> {};

TEST_P(SimTaskbar, WorkAreaAndShellAnswersFollowTheEdge) {
    const TTaskbarCase& c = GetParam();
    Sim::TDesktopConfig config;
    config.Taskbar = Sim::TTaskbarConfig{c.Edge, 40, false};
    Sim::TDesktop desktop(config);
    EXPECT_EQ(desktop.WorkArea(0), c.Work);

    APPBARDATA data{};
    data.cbSize = sizeof data;
    EXPECT_EQ(SHAppBarMessage(ABM_GETSTATE, &data), ABS_ALWAYSONTOP);
    EXPECT_EQ(SHAppBarMessage(ABM_GETTASKBARPOS, &data), 1u);
    EXPECT_EQ(data.uEdge, c.AbEdge);
    EXPECT_EQ(data.rc, c.Bar);

    // Auto-hidden, the bar keeps its place but takes no room.
    desktop.SetTaskbar(Sim::TTaskbarConfig{c.Edge, 40, true});
    EXPECT_EQ(desktop.WorkArea(0), (RECT{0, 0, 1920, 1080}));
    EXPECT_EQ(SHAppBarMessage(ABM_GETSTATE, &data), ABS_ALWAYSONTOP | ABS_AUTOHIDE);
    data.rc = RECT{};
    EXPECT_EQ(SHAppBarMessage(ABM_GETTASKBARPOS, &data), 1u);
    EXPECT_EQ(data.rc, c.Bar);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, SimTaskbar,
    testing::Values(
        TTaskbarCase{Sim::TTaskbarEdge::Left, ABE_LEFT, {0, 0, 40, 1080}, {40, 0, 1920, 1080}},
        TTaskbarCase{Sim::TTaskbarEdge::Top, ABE_TOP, {0, 0, 1920, 40}, {0, 40, 1920, 1080}},
        TTaskbarCase{
            Sim::TTaskbarEdge::Right, ABE_RIGHT, {1880, 0, 1920, 1080}, {0, 0, 1880, 1080}},
        TTaskbarCase{
            Sim::TTaskbarEdge::Bottom, ABE_BOTTOM, {0, 1040, 1920, 1080}, {0, 0, 1920, 1040}}));

TEST(SimTaskbarRecords, NoTaskbarOrAShortRecordAnswersNothing) {
    Sim::TDesktopConfig config;
    config.Taskbar.Edge = Sim::TTaskbarEdge::None;
    Sim::TDesktop desktop(config);
    EXPECT_EQ(desktop.WorkArea(0), (RECT{0, 0, 1920, 1080}));
    APPBARDATA data{};
    data.cbSize = sizeof data;
    data.uEdge = 77;
    EXPECT_EQ(SHAppBarMessage(ABM_GETSTATE, &data), 0u);
    EXPECT_EQ(SHAppBarMessage(ABM_GETTASKBARPOS, &data), 0u);
    EXPECT_EQ(data.uEdge, 77u);

    desktop.SetTaskbar(Sim::TTaskbarConfig{});
    data.cbSize = sizeof data - 1;
    EXPECT_EQ(SHAppBarMessage(ABM_GETTASKBARPOS, &data), 0u);
    EXPECT_EQ(data.uEdge, 77u);
}

// ---- The compositor
// ------------------------------------------------------------------------------

class SimCompositor : public TSimTest {
protected:
    RECT Frame(HWND w, HRESULT expected = S_OK_) {
        RECT r{};
        EXPECT_EQ(DwmGetWindowAttribute(w, DWMWA_EXTENDED_FRAME_BOUNDS, &r, sizeof r), expected);
        return r;
    }
};

TEST_F(SimCompositor, InvisibleBordersExistOnlyWithComposition) {
    EXPECT_FALSE(Desktop().DwmLibraryLoaded());
    TProbe& probe = NewProbe();
    HWND sizeable = Create(probe, WS_OVERLAPPEDWINDOW, {100, 100, 500, 400});
    HWND dialog = Create(probe, WS_POPUP | WS_CAPTION, {100, 100, 500, 400});
    HWND thin = Create(probe, WS_POPUP | WS_BORDER, {100, 100, 500, 400});
    HWND child = Create(probe, WS_CHILD | WS_THICKFRAME, {0, 0, 50, 50}, sizeable);

    EXPECT_EQ(Frame(sizeable), (RECT{107, 100, 493, 393}));
    EXPECT_TRUE(Desktop().DwmLibraryLoaded());
    EXPECT_EQ(Frame(dialog), (RECT{102, 100, 498, 398}));
    EXPECT_EQ(Frame(thin), WindowRect(thin));
    EXPECT_EQ(Frame(child), WindowRect(child));

    RECT r{};
    EXPECT_EQ(DwmGetWindowAttribute(sizeable, DWMWA_EXTENDED_FRAME_BOUNDS, &r, 8), E_FAIL_);
    EXPECT_EQ(DwmGetWindowAttribute(sizeable, 2, &r, sizeof r), E_FAIL_);
    EXPECT_EQ(DwmGetWindowAttribute(nullptr, DWMWA_EXTENDED_FRAME_BOUNDS, &r, sizeof r), E_FAIL_);

    Desktop().SetComposition(false);
    BOOL enabled = kTrue;
    EXPECT_EQ(DwmIsCompositionEnabled(&enabled), S_OK_);
    EXPECT_FALSE(enabled);
    Frame(sizeable, E_FAIL_);
}

TEST_F(SimCompositor, OlderSystemsHaveNoCompositorLibrary) {
    Desktop().SetOsVersion(5, 1);
    BOOL enabled = 7;
    EXPECT_LT(DwmIsCompositionEnabled(&enabled), 0);
    EXPECT_EQ(enabled, 7);
    EXPECT_TRUE(Desktop().DwmLibraryLoaded());
    EXPECT_EQ(GetModuleHandleW(u"dwmapi.dll"), nullptr);
    Desktop().SetOsVersion(6, 1);
    EXPECT_EQ(DwmIsCompositionEnabled(&enabled), S_OK_);
    EXPECT_NE(GetModuleHandleW(u"DWMAPI.DLL"), nullptr);
}

// ---- Fonts, locale and version -----------------------------------------------------------------

class SimSystem : public TSimTest {};

TEST_F(SimSystem, FontsRememberTheirDescriptionUntilDeleted) {
    LOGFONTW lf{};
    lf.lfHeight = -13;
    lf.lfWeight = FW_BOLD;
    std::memcpy(lf.lfFaceName, u"Tahoma", sizeof u"Tahoma");
    HFONT a = CreateFontIndirectW(&lf);
    HFONT b = CreateFontIndirectW(&lf);
    ASSERT_NE(a, nullptr);
    EXPECT_NE(a, b);
    LOGFONTW back{};
    ASSERT_TRUE(Desktop().FontInfo(a, back));
    EXPECT_EQ(back.lfHeight, -13);
    EXPECT_EQ(std::u16string(back.lfFaceName), u"Tahoma");
    EXPECT_TRUE(DeleteObject(a));
    EXPECT_FALSE(DeleteObject(a));
    EXPECT_FALSE(Desktop().FontInfo(a, back));
    EXPECT_EQ(Desktop().FontCount(), 1u);
}

// ---- Text metrics ----------------------------------------------------------------------------

LOGFONTW Described(const char16_t* face, LONG height, LONG weight = FW_NORMAL) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    std::memcpy(lf.lfFaceName, face, (std::char_traits<char16_t>::length(face) + 1) * 2);
    return lf;
}

TEST_F(SimSystem, DeviceContextsMeasureTheSelectedFontAndGiveTheOldOneBack) {
    HDC dc = GetDC(nullptr);
    TEXTMETRICW before{};
    ASSERT_TRUE(GetTextMetricsW(dc, &before));
    const LOGFONTW lf = Described(u"Tahoma", -21);
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ stock = SelectObject(dc, font);
    ASSERT_NE(stock, nullptr);
    TEXTMETRICW big{};
    ASSERT_TRUE(GetTextMetricsW(dc, &big));
    EXPECT_GT(big.tmHeight, before.tmHeight);
    EXPECT_EQ(SelectObject(dc, stock), font) << "selecting the old object hands the font back";
    TEXTMETRICW again{};
    GetTextMetricsW(dc, &again);
    EXPECT_EQ(again.tmHeight, before.tmHeight);

    // What is not a live font or context is refused.
    EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(std::uintptr_t{0x1234})), nullptr);
    DeleteObject(font);
    EXPECT_EQ(SelectObject(dc, font), nullptr);
    ReleaseDC(nullptr, dc);
    SIZE size{};
    EXPECT_FALSE(GetTextExtentPoint32W(dc, u"x", 1, &size)) << "a released context";
}

TEST_F(SimSystem, ExtentsAddUpCharactersAndStandInTheCellHeight) {
    HDC dc = GetDC(nullptr);
    const LOGFONTW lf = Described(u"Tahoma", -11);
    HFONT font = CreateFontIndirectW(&lf);
    SelectObject(dc, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SIZE empty{}, a{}, b{}, ab{};
    ASSERT_TRUE(GetTextExtentPoint32W(dc, u"", 0, &empty));
    EXPECT_EQ(empty.cx, 0);
    EXPECT_EQ(empty.cy, tm.tmHeight);
    GetTextExtentPoint32W(dc, u"Cancel", 6, &a);
    GetTextExtentPoint32W(dc, u"&File:", 6, &b);
    GetTextExtentPoint32W(dc, u"Cancel&File:", 12, &ab);
    EXPECT_EQ(ab.cx, a.cx + b.cx);
    EXPECT_FALSE(GetTextExtentPoint32W(dc, nullptr, 3, &ab));
    EXPECT_FALSE(GetTextExtentPoint32W(dc, u"abc", -1, &ab));
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
}

TEST_F(SimSystem, FaceNamesFitTheBufferOrTellItsSize) {
    HDC dc = GetDC(nullptr);
    const LOGFONTW lf = Described(u"ms shell dlg 2", -11);
    HFONT font = CreateFontIndirectW(&lf);
    SelectObject(dc, font);
    EXPECT_EQ(GetTextFaceW(dc, 0, nullptr), 15) << "the name and its terminating zero";
    WCHAR face[6];
    std::fill(std::begin(face), std::end(face), u'x');
    EXPECT_EQ(GetTextFaceW(dc, 6, face), 6) << "what was copied, the zero included";
    EXPECT_EQ(std::u16string(face), u"ms sh") << "truncated, always terminated";
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
}

TEST_F(SimSystem, MeasuringSaysWhichFileAndFaceAnsweredTheDescription) {
    const Sim::TTextMeasure arial = Desktop().MeasureText(Described(u"Arial", -13), u"OK");
    const Sim::TTextMeasure fallback =
        Desktop().MeasureText(Described(u"No Such Face", -13), u"OK");
    EXPECT_EQ(arial.Source.Family, u"Liberation Sans");
    EXPECT_EQ(arial.Source.Face, u"Arial") << "a replacement answers under the name asked for";
    EXPECT_EQ(fallback.Source.Face, u"Liberation Sans") << "the fallback says its own name";
    EXPECT_EQ(arial.Extent.cx, fallback.Extent.cx);
    EXPECT_EQ(arial.Extent.cy, arial.Metrics.tmHeight);

    const Sim::TTextMeasure bold = Desktop().MeasureText(Described(u"Tahoma", -13, FW_BOLD), u"OK");
    const Sim::TTextMeasure sans =
        Desktop().MeasureText(Described(u"MS Sans Serif", -13, FW_BOLD), u"OK");
    EXPECT_FALSE(bold.Source.SyntheticBold);
    EXPECT_TRUE(sans.Source.SyntheticBold) << "MS Sans Serif has no bold file";
    if (!Desktop().MeasuresFontFiles())
        GTEST_SKIP() << "no FreeType or font files here";
    EXPECT_NE(arial.Source.File.find("LiberationSans-Regular.ttf"), std::string::npos);
    EXPECT_NE(bold.Source.File.find("tahomabd.ttf"), std::string::npos);
    EXPECT_TRUE(sans.Source.Bitmap);
    EXPECT_FALSE(arial.Source.Approximate);
}

Sim::TDesktopConfig NoFontFiles() {
    Sim::TDesktopConfig config;
    config.FontDirectories.clear();
    return config;
}

class SimWithoutFontFiles : public TSimTest {
protected:
    SimWithoutFontFiles() : TSimTest(NoFontFiles()) {}
};

TEST_F(SimWithoutFontFiles, AnApproximateMetricStillGrowsWithTextAndSize) {
    EXPECT_FALSE(Desktop().MeasuresFontFiles());
    const auto small = Desktop().MeasureText(Described(u"Tahoma", -11), u"Button1");
    const auto large = Desktop().MeasureText(Described(u"Tahoma", -22), u"Button1");
    const auto longer = Desktop().MeasureText(Described(u"Tahoma", -11), u"Button12");
    EXPECT_TRUE(small.Source.Approximate);
    EXPECT_TRUE(small.Source.File.empty());
    EXPECT_GT(small.Extent.cx, 0);
    EXPECT_GT(large.Extent.cx, small.Extent.cx);
    EXPECT_GT(large.Metrics.tmHeight, small.Metrics.tmHeight);
    EXPECT_GT(longer.Extent.cx, small.Extent.cx);
    // A positive height is the cell, a negative one the em: the cell is the taller.
    const auto cell = Desktop().MeasureText(Described(u"Tahoma", 13), u"x");
    EXPECT_EQ(cell.Metrics.tmHeight, 13);
}

// Heights at the ends of the range measure as the largest em, from files or not.
void ExpectHugeHeightsMeasureAsTheLargestEm(const Sim::TDesktop& desktop) {
    const auto largest = desktop.MeasureText(Described(u"Tahoma", -32767), u"x");
    EXPECT_GT(largest.Metrics.tmHeight, 32767);
    for (const char16_t* face : {u"Tahoma", u"Liberation Serif", u"MS Sans Serif"})
        for (LONG height : {INT_MIN, -2147483647, INT_MAX, -40000}) {
            const auto m = desktop.MeasureText(Described(face, height), u"OK");
            EXPECT_GT(m.Metrics.tmHeight, 0) << height;
            EXPECT_GE(m.Metrics.tmAscent, 0) << height;
            EXPECT_EQ(m.Metrics.tmHeight, m.Metrics.tmAscent + m.Metrics.tmDescent) << height;
            EXPECT_GT(m.Extent.cx, 0) << height;
            if (face[0] == u'T' && height < 0) {
                EXPECT_EQ(m.Metrics.tmHeight, largest.Metrics.tmHeight) << height;
            }
        }
}

TEST_F(SimSystem, HugeFontHeightsMeasureAsTheLargestEm) {
    ExpectHugeHeightsMeasureAsTheLargestEm(Desktop());
}

TEST_F(SimWithoutFontFiles, HugeFontHeightsMeasureAsTheLargestEm) {
    ExpectHugeHeightsMeasureAsTheLargestEm(Desktop());
}

TEST_F(SimSystem, LocaleAbbreviationFitsOrIsTruncatedSafely) {
    char buffer[8];
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, buffer, 8), 4);
    EXPECT_EQ(lstrcmpA(buffer, "ENU"), 0);
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, nullptr, 0), 4);

    Desktop().SetLocale("DEU");
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, buffer, 3), 0);
    EXPECT_STREQ(buffer, "DE");
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, 0x1234, buffer, 8), 0);

    EXPECT_LT(lstrcmpA("DEU", "ENU"), 0);
    EXPECT_GT(lstrcmpA("\xC4", "Z"), 0) << "bytes compare unsigned";
    EXPECT_LT(lstrcmpA(nullptr, ""), 0);
}

TEST_F(SimSystem, VersionFollowsTheConfiguredSystem) {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExW(&info));
    EXPECT_EQ(info.dwMajorVersion, 10u);
    EXPECT_EQ(info.dwBuildNumber, 19045u);
    EXPECT_EQ(info.dwPlatformId, 2u);

    Desktop().SetOsVersion(6, 1);
    ASSERT_TRUE(GetVersionExW(&info));
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(info.dwBuildNumber, 0u);
    Desktop().SetOsVersion(4, 10);
    ASSERT_TRUE(GetVersionExW(&info));
    EXPECT_EQ(info.dwPlatformId, 1u);

    info.dwOSVersionInfoSize = sizeof info - 4;
    info.dwMajorVersion = 0;
    EXPECT_FALSE(GetVersionExW(&info));
    EXPECT_EQ(info.dwMajorVersion, 0u);
}

} // namespace
} // namespace SimTest

namespace SimTest {
namespace {

// A point at the far end of the range still finds the nearest monitor.
TEST_F(SimMonitors, TheNearestMonitorOfAFarAwayPoint) {
    const HMONITOR left = MonitorFromPoint(POINT{-1280, 56}, MONITOR_DEFAULTTONULL);
    const HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTONULL);
    EXPECT_EQ(MonitorFromPoint(POINT{INT_MIN, INT_MIN}, MONITOR_DEFAULTTONEAREST), left);
    EXPECT_EQ(MonitorFromPoint(POINT{INT_MAX, INT_MAX}, MONITOR_DEFAULTTONEAREST), primary);
}

} // namespace
} // namespace SimTest
