// A fresh simulated desktop and a started component unit per test, and helpers to
// load forms from form-file text and reach their components.
#pragma once

#include "quorvel/component/FormHook.h"
#include "quorvel/component/Quorvel.h"
#include "quorvel/vcl/FormStreaming.h"
#include "quorvel/vcl/Forms.h"
#include "quorvel/vcl/SysInfo.h"
#include "quorvel/win/sim/SimDesktop.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace QuorvelTest {

using Quorvel::TQuorvel;

class TQuorvelFixture : public testing::Test {
protected:
    // Tests that need another desktop set it up before loading a form.
    void UseDesktop(Sim::TDesktopConfig config) {
        Forms.clear();
        Quorvel::UnitFinalization();
        Desktop.reset();
        Desktop.emplace(std::move(config));
        Quorvel::UnitInitialization();
    }

    void SetUp() override { UseDesktop({}); }

    void TearDown() override {
        Forms.clear();
        Quorvel::UnitFinalization();
        Vcl::TStyleManager::SetCustomStyleActive(false);
        Desktop.reset();
    }

    // Loads a form; it lives until the end of the test (or ReleaseForms).
    Vcl::TCustomForm& Load(const std::string& text, bool designing = false) {
        Vcl::TFormLoadOptions options;
        options.FileName = "test.dfm";
        options.Designing = designing;
        auto root = Vcl::LoadFormText(text, options);
        auto* form = dynamic_cast<Vcl::TCustomForm*>(root.get());
        EXPECT_NE(form, nullptr);
        Forms.push_back(std::move(root));
        return *form;
    }

    // Loads a form whose inline frames come from the given frame form files.
    Vcl::TCustomForm& LoadWithFrames(const std::string& text,
                                     const std::vector<std::string>& frames) {
        auto dir =
            std::filesystem::temp_directory_path() / ("quorvel-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        Vcl::TFormLoadOptions options;
        options.FileName = (dir / "form.dfm").string();
        for (std::size_t i = 0; i < frames.size(); ++i) {
            auto path = dir / ("frame" + std::to_string(i) + ".dfm");
            std::ofstream(path) << frames[i];
            options.FrameFiles.push_back(path.string());
        }
        auto root = Vcl::LoadFormText(text, options);
        std::filesystem::remove_all(dir);
        auto* form = dynamic_cast<Vcl::TCustomForm*>(root.get());
        EXPECT_NE(form, nullptr);
        Forms.push_back(std::move(root));
        return *form;
    }

    void ReleaseForms() { Forms.clear(); }

    template <typename T = Vcl::TControl> static T& Get(Vcl::TComponent& owner, const char* name) {
        auto* c = dynamic_cast<T*>(owner.FindComponent(name));
        if (!c)
            throw std::runtime_error(std::string("no component ") + name);
        return *c;
    }

    static TQuorvel& Component(Vcl::TComponent& form) {
        for (int i = 0; i < form.ComponentCount(); ++i)
            if (auto* q = dynamic_cast<TQuorvel*>(form.Components(i)))
                return *q;
        throw std::runtime_error("no TQuorvel on the form");
    }

    static Quorvel::PCtrlInfo Record(const TQuorvel& q, const std::string& name) {
        for (void* item : *q.Ctrls()) {
            auto* info = static_cast<Quorvel::PCtrlInfo>(item);
            if (info->Name == name)
                return info;
        }
        return nullptr;
    }

    static Quorvel::PCtrlInfo ChildRecord(const TQuorvel& q, const std::string& frame,
                                          const std::string& name) {
        for (void* item : *q.ChildCtrls()) {
            auto* info = static_cast<Quorvel::PCtrlInfo>(item);
            if (info->ParentName == frame && info->Name == name)
                return info;
        }
        return nullptr;
    }

    // Resizes the form's client area the way code does: through the window.
    static void SetClient(Vcl::TCustomForm& form, int width, int height) {
        Vcl::TPoint outer = form.OuterSizeFor(width, height);
        Win32::RECT r{};
        Win32::GetWindowRect(form.Handle(), &r);
        Win32::MoveWindow(form.Handle(), r.left, r.top, outer.X, outer.Y, 1);
    }

    static Vcl::TRect Bounds(const Vcl::TControl& c) { return c.BoundsRect(); }

    // A window's outer rectangle as {left, top, right, bottom}, which assertions print.
    static std::array<int, 4> Edges(Win32::HWND window) {
        Win32::RECT r{};
        Win32::GetWindowRect(window, &r);
        return {r.left, r.top, r.right, r.bottom};
    }

    // A WM_SIZE of one's choosing, for size types and client sizes that no real
    // window change produces.
    static void SendSize(Vcl::TCustomForm& form, Win32::WPARAM sizeType, int width, int height) {
        Win32::SendMessageW(
            form.Handle(), Win32::WM_SIZE, sizeType,
            Win32::MAKELPARAM(static_cast<Win32::WORD>(width), static_cast<Win32::WORD>(height)));
    }

    std::optional<Sim::TDesktop> Desktop;
    std::vector<std::unique_ptr<Vcl::TComponent>> Forms;
};

// Form-file text of a form with a component and the given children; the design
// values are those of a 400 x 300 client area at 96 DPI unless given.
inline std::string FormText(const std::string& children, const std::string& componentProps = "",
                            const std::string& formProps = "") {
    return "object Form1: TForm1\n"
           "  Left = 100\n"
           "  Top = 100\n"
           "  ClientHeight = 300\n"
           "  ClientWidth = 400\n"
           "  Font.Height = -11\n"
           "  Font.Name = 'Tahoma'\n" +
           formProps +
           "  PixelsPerInch = 96\n"
           // The component's own correction alone; the framework's comes on top
           // for a Scaled form (see FormScaling).
           "  Scaled = False\n"
           "  object Quorvel1: TQuorvel\n" +
           componentProps +
           "    DesignFrmW = 400\n"
           "    DesignFrmH = 300\n"
           "    DesignDpiW = 96\n"
           "    DesignDpiH = 96\n"
           "  end\n" +
           children + "end\n";
}

// Counts the resize passes of a component through OnExitResize.
struct TPassCounter {
    int Count = 0;
    double XScale = 0;
    double YScale = 0;

    explicit TPassCounter(TQuorvel& q) {
        q.OnExitResize = Quorvel::TExitResizeEvent::Bind<&TPassCounter::Pass>(this);
    }
    void Pass(Vcl::TObject*, double x, double y) {
        ++Count;
        XScale = x;
        YScale = y;
    }
};

inline std::string Button(const std::string& name, int l, int t, int w, int h,
                          const std::string& extra = "") {
    return "  object " + name + ": TButton\n    Left = " + std::to_string(l) +
           "\n    Top = " + std::to_string(t) + "\n    Width = " + std::to_string(w) +
           "\n    Height = " + std::to_string(h) + "\n" + extra + "  end\n";
}

// Counts OnExitResize calls and keeps the factors of the latest one.
struct TExitResizeLog {
    int Calls = 0;
    double XScale = 0;
    double YScale = 0;
    void Attach(TQuorvel& q) {
        q.OnExitResize = Quorvel::TExitResizeEvent::Bind<&TExitResizeLog::Handler>(this);
    }
    void Handler(Vcl::TObject*, double x, double y) {
        ++Calls;
        XScale = x;
        YScale = y;
    }
};

// The properties of one object in form-file text, as (name, value) in their
// order; the object is found by its header line, e.g. "object Quorvel1: TQuorvel".
inline std::vector<std::pair<std::string, std::string>>
ObjectProperties(const std::string& text, const std::string& header) {
    std::vector<std::pair<std::string, std::string>> result;
    std::istringstream lines(text);
    std::string line;
    std::string indent;
    bool inside = false;
    while (std::getline(lines, line)) {
        const auto start = line.find_first_not_of(' ');
        if (start == std::string::npos)
            continue;
        const std::string body = line.substr(start);
        if (!inside) {
            if (body == header) {
                inside = true;
                indent = line.substr(0, start);
            }
            continue;
        }
        if (body == "end" && line.substr(0, start) == indent)
            break;
        const auto eq = body.find(" = ");
        if (eq != std::string::npos && start == indent.size() + 2)
            result.emplace_back(body.substr(0, eq), body.substr(eq + 3));
    }
    return result;
}

inline Sim::TDesktopConfig DesktopAt(int dpi, int width = 1920, int height = 1080) {
    Sim::TDesktopConfig config;
    config.Monitors = {{{0, 0, width, height}, dpi}};
    return config;
}

} // namespace QuorvelTest
