// The component on forms loaded from form-file text, on real windows.
//
// The shared scenarios (scenarios/WineScreenScenarios.h) print every measured
// value as "wine: name = value" and must equal scenarios/WineScreen.txt, which
// the simulated desktop configured like Wine's screen must equal too.

#include "NativeCheck.h"
#include "PlatformDirect.h"
#include "TestWindow.h"
#include "WineScreenExpected.h"
#include "scenarios/WineScreenScenarios.h"

#include "quorvel/vcl/ClassRegistry.h"
#include "quorvel/vcl/StdCtrls.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

using namespace Win32;
using NativeCheck::Note;

namespace {

void StartUnit() {
    static const bool started = (Quorvel::UnitInitialization(), true);
    (void)started;
}

NATIVE_TEST(ScenariosMeasureWhatTheRecordHolds) {
    StartUnit();
    const WineScreen::TMeasures measured = WineScreen::RunAll();
    for (const WineScreen::TMeasure& m : measured)
        std::printf("    wine: %s = %s\n", m.Name.c_str(), m.Value.c_str());
    const auto expected = WineScreen::ParseMeasures(kWineScreenExpected);
    CHECK(!expected.empty());
    for (const std::string& diff : WineScreen::Compare(measured, expected))
        NativeCheck::Fail(__FILE__, __LINE__, diff);
}

// Nothing of the component's is called first: linking it made its class known.
NATIVE_TEST(AFormFileWithTheComponentReadsWithoutAnyCall) {
    CHECK(Vcl::GetClass("TQuorvel") != nullptr);
    WineScreen::TLoadedForm f = WineScreen::LoadForm(WineScreen::FormText(100, 80));
    CHECK(f.Component != nullptr);
}

// ---- Windows, classes and fonts ------------------------------------------------------------

NATIVE_TEST(ControlsAreChildWindowsOfTheirClassesWithRealFonts) {
    StartUnit();
    WineScreen::TLoadedForm f = WineScreen::LoadForm(WineScreen::FormText(100, 80));
    const HWND form = f.Handle();
    auto handle = [&](const char* name) {
        return dynamic_cast<Vcl::TWinControl&>(f.Control(name)).Handle();
    };
    CHECK_EQ(WindowClassName(form), std::string("QuorvelWinControl"));
    CHECK(GetParent(form) == nullptr);
    const std::pair<const char*, const char*> classes[] = {
        {"Button1", "Button"}, {"Edit1", "Edit"}, {"Panel1", "QuorvelWinControl"}};
    for (const auto& [name, className] : classes) {
        const HWND child = handle(name);
        CHECK_EQ(WindowClassName(child), std::string(className));
        CHECK(GetParent(child) == form);
        CHECK((static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE)) & WS_CHILD) != 0);
    }

    // The system classes hold the framework's font objects.
    auto fontOf = [&](const char* name) {
        return reinterpret_cast<HFONT>(SendMessageW(handle(name), WM_GETFONT, 0, 0));
    };
    auto& edit = f.Control("Edit1");
    CHECK(fontOf("Edit1") == edit.Font()->Handle());
    CHECK(fontOf("Button1") == f.Control("Button1").Font()->Handle());
    long height = 0;
    std::string face;
    CHECK(FontDetails(fontOf("Edit1"), height, face));
    CHECK_EQ(height, static_cast<long>(edit.Font()->Height()));
    CHECK_EQ(face, std::string("Tahoma"));
    Note("Edit1 font height at design size", height);

    // A pass for twice the design size makes new fonts and hands them over.
    const Vcl::TPoint outer = f.Form->OuterSizeFor(800, 600);
    MoveWindow(form, 10, 10, outer.X, outer.Y, 1);
    CHECK_EQ(f.Form->ClientWidth(), 800);
    CHECK(fontOf("Edit1") == edit.Font()->Handle());
    CHECK(FontDetails(fontOf("Edit1"), height, face));
    Note("Edit1 font height at twice the size", height);
    CHECK_EQ(height, static_cast<long>(edit.Font()->Height()));
    CHECK(height <= -26);
    // The child windows moved with the framework's bounds.
    RECT button{};
    GetWindowRect(handle("Button1"), &button);
    RECT client{};
    GetClientRect(form, &client);
    CHECK_EQ(Width(button), f.Control("Button1").Width());
    CHECK_EQ(Width(button), 240);
    CHECK_EQ(Height(button), 60);
}

// ---- Subclassing -------------------------------------------------------------------------------

std::vector<std::string> GOuterSeen;
WNDPROC GOuterPrevious = nullptr;

LRESULT QV_CALLBACK OuterProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE)
        GOuterSeen.push_back("size");
    return CallWindowProcW(GOuterPrevious, window, message, wParam, lParam);
}

NATIVE_TEST(SubclassingChainLeadsThroughTheComponentToTheFramework) {
    StartUnit();
    WineScreen::TLoadedForm f = WineScreen::LoadForm(WineScreen::FormText(100, 80));
    WineScreen::TPasses passes;
    passes.Attach(*f.Component);
    const HWND form = f.Handle();
    CHECK(WineScreen::ComponentIsTheProcedure(form));
    CHECK(f.Component->State().Subclassed);
    CHECK(f.Component->State().OwnerHandle == form);

    // The component runs a pass, and the framework below it takes the bounds.
    MoveWindow(form, 30, 40, 500, 400, 1);
    CHECK_EQ(passes.Count, 1);
    CHECK_EQ(f.Form->Width(), 500);
    CHECK_EQ(f.Form->Left(), 30);
    CHECK_EQ(f.Control("Button1").Width(),
             static_cast<int>(120.0 * f.Form->ClientWidth() / 400.0 + 0.5));

    // An application procedure on top: messages pass it, then the component,
    // then the framework.
    GOuterSeen.clear();
    GOuterPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProcedure)));
    CHECK(GOuterPrevious == reinterpret_cast<WNDPROC>(&Quorvel::FormWndProc));
    MoveWindow(form, 30, 40, 520, 420, 1);
    CHECK_EQ(GOuterSeen.size(), 1u);
    CHECK_EQ(passes.Count, 2);
    CHECK_EQ(f.Form->Width(), 520);

    // Disabled while another procedure sits on top, the component cannot take
    // itself out of the chain: it passes messages on without a pass.
    f.Component->SetEnabled(false);
    CHECK(GetWindowLongPtrW(form, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&OuterProcedure));
    MoveWindow(form, 30, 40, 540, 440, 1);
    CHECK_EQ(GOuterSeen.size(), 2u);
    CHECK_EQ(passes.Count, 2);
    CHECK_EQ(f.Form->Width(), 540);

    // Enabled again, it takes part once more from where it is in the chain.
    f.Component->SetEnabled(true);
    MoveWindow(form, 30, 40, 560, 460, 1);
    CHECK_EQ(passes.Count, 3);
    CHECK_EQ(f.Form->Width(), 560);

    // Window text travels the whole chain to the default procedure and back.
    CHECK(SetWindowTextW(form, u"through the chain"));
    WCHAR text[32] = {};
    CHECK_EQ(GetWindowTextW(form, text, 32), 17);
    CHECK(std::u16string(text) == u"through the chain");

    SetWindowLongPtrW(form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GOuterPrevious));
    CHECK(WineScreen::ComponentIsTheProcedure(form));
    // Freeing the form with the component leaves no procedure of a freed object.
    f.Root.reset();
    CHECK(!IsWindow(form));
}

// ---- First showing ---------------------------------------------------------------------------

NATIVE_TEST(FirstShowingPlacesTheFormInTheRealWorkArea) {
    StartUnit();
    HMONITOR primary = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    CHECK(GetMonitorInfoW(primary, &info));
    const RECT work = info.rcWork;
    Note("work area", ShowRect(work));

    const std::pair<const char*, int> anchors[] = {
        {"rpTopLeft", 0}, {"rpBottomRight", 1}, {"rpMiddleCenter", 2}};
    for (const auto& [anchor, kind] : anchors) {
        WineScreen::TLoadedForm f = WineScreen::LoadForm(
            WineScreen::FormText(300, 200,
                                 std::string("    FormPos = ") + anchor +
                                     "\n    FormWidth = 500\n    FormHeight = 350\n"));
        f.Form->Show();
        const RECT r = WineScreen::WindowRect(f.Handle());
        Note(std::string(anchor), ShowRect(r));
        CHECK_EQ(Width(r), 500);
        CHECK_EQ(Height(r), 350);
        if (kind == 0)
            CHECK(r.left == work.left && r.top == work.top);
        if (kind == 1)
            CHECK(r.right == work.right && r.bottom == work.bottom);
        if (kind == 2)
            CHECK(r.left == work.left + (Width(work) - 500) / 2 &&
                  r.top == work.top + (Height(work) - 350) / 2);
    }

    // A form larger than the monitor is cut to it and kept inside.
    WineScreen::TLoadedForm big = WineScreen::LoadForm(WineScreen::FormText(
        300, 200, "    FormPos = rpTopLeft\n    FormWidth = 5000\n    FormHeight = 4000\n"));
    big.Form->Show();
    const RECT r = WineScreen::WindowRect(big.Handle());
    Note("larger than the monitor", ShowRect(r));
    CHECK(r.left == work.left && r.top == work.top);
    CHECK(Width(r) == Width(info.rcMonitor) && Height(r) == Height(info.rcMonitor));
}

// ---- Form files ------------------------------------------------------------------------------

// File names are UTF-8 throughout the framework; on Windows they must not pass
// through the ANSI code page, which cannot spell most of them.
NATIVE_TEST(FormFilesLoadFromPathsOutsideTheCodePage) {
    StartUnit();
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / L"quorvel-\u00e9t\u00e9-\u65e5\u672c";
    fs::create_directories(dir);
    const fs::path file = dir / L"Fen\u00eatre \u0444\u043e\u0440\u043c\u0430.dfm";
    std::ofstream(file, std::ios::binary) << WineScreen::FormText(100, 80);
    const std::u8string utf8 = file.u8string();
    const std::string name(utf8.begin(), utf8.end());
    Note("form file", name);
    try {
        std::unique_ptr<Vcl::TComponent> root = Vcl::LoadFormFile(name);
        CHECK(root != nullptr && root->FindComponent("Edit1") != nullptr);
    } catch (const std::exception& e) {
        NativeCheck::Fail(__FILE__, __LINE__, e.what());
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
}

} // namespace
