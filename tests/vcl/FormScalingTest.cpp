// The framework's own resolution scaling: a Scaled form read on a screen of
// another resolution than its file stores is scaled once, as it is read; each
// file of an inherited form in its own resolution; nothing for forms that are
// not Scaled, already at the screen's resolution, or read in the designer.
#include "vcl/VclTestSupport.h"

#include <climits>
#include <filesystem>
#include <fstream>
#include <vector>

using namespace Vcl;
using namespace VclTest;
namespace fs = std::filesystem;

namespace {

Sim::TDesktopConfig Screen(int dpi) {
    Sim::TDesktopConfig config;
    config.Monitors = {{{0, 0, 2880, 1620}, dpi}};
    return config;
}

// A form of 96 DPI: two buttons that touch, a label with a font of its own, a
// panel with constraints and an anchored child, and two aligned panels.
const char* const kForm = "object Form1: TForm\n"
                          "  ClientHeight = 301\n"
                          "  ClientWidth = 401\n"
                          "  Constraints.MinWidth = 201\n"
                          "  Font.Height = -11\n"
                          "  Font.Name = 'Tahoma'\n"
                          "  PixelsPerInch = 96\n"
                          "  object Left1: TButton\n"
                          "    Left = 7\n"
                          "    Top = 9\n"
                          "    Width = 75\n"
                          "    Height = 25\n"
                          "  end\n"
                          "  object Right1: TButton\n"
                          "    Left = 82\n"
                          "    Top = 9\n"
                          "    Width = 75\n"
                          "    Height = 25\n"
                          "  end\n"
                          "  object Big: TLabel\n"
                          "    Left = 8\n"
                          "    Top = 40\n"
                          "    Width = 100\n"
                          "    Height = 15\n"
                          "    AutoSize = False\n"
                          "    Font.Height = -13\n"
                          "    Font.Name = 'Tahoma'\n"
                          "    ParentFont = False\n"
                          "  end\n"
                          "  object Box: TPanel\n"
                          "    Left = 8\n"
                          "    Top = 60\n"
                          "    Width = 201\n"
                          "    Height = 101\n"
                          "    BevelOuter = bvNone\n"
                          "    Constraints.MaxHeight = 151\n"
                          "    object Corner: TButton\n"
                          "      Left = 120\n"
                          "      Top = 70\n"
                          "      Width = 75\n"
                          "      Height = 25\n"
                          "      Anchors = [akRight, akBottom]\n"
                          "    end\n"
                          "  end\n"
                          "  object Header: TPanel\n"
                          "    Left = 0\n"
                          "    Top = 0\n"
                          "    Width = 401\n"
                          "    Height = 5\n"
                          "    Align = alTop\n"
                          "    BevelOuter = bvNone\n"
                          "  end\n"
                          "  object Footer: TPanel\n"
                          "    Left = 0\n"
                          "    Top = 280\n"
                          "    Width = 401\n"
                          "    Height = 21\n"
                          "    Align = alBottom\n"
                          "    BevelOuter = bvNone\n"
                          "  end\n"
                          "end\n";

TRect BoundsOf(TComponent& form, const char* name) {
    return Find<TControl>(form, name)->BoundsRect();
}

TEST(FormScaling, AScaledFormIsScaledOnceToTheScreensResolutionAsItIsRead) {
    Sim::TDesktop desktop(Screen(144));
    auto form = LoadAs<TForm>(kForm);
    // The client size, the edges of every control (so neighbours that touched
    // still touch) and every font by 144 / 96, rounded as MulDiv rounds.
    EXPECT_EQ(form->ClientWidth(), 602);
    EXPECT_EQ(form->ClientHeight(), 452);
    EXPECT_EQ(BoundsOf(*form, "Left1"), (TRect{11, 14, 123, 51}));
    EXPECT_EQ(BoundsOf(*form, "Right1"), (TRect{123, 14, 236, 51}));
    EXPECT_EQ(form->Font()->Height(), -17);
    EXPECT_EQ(Find<TLabel>(*form, "Big")->Font()->Height(), -20);
    // A control that takes its parent's font has the form's scaled one.
    EXPECT_EQ(Find<TButton>(*form, "Left1")->Font()->Height(), -17);
    // Point sizes are the screen's now.
    EXPECT_EQ(form->Font()->PixelsPerInch(), 144);
    EXPECT_EQ(form->Font()->Size(), 9);
    EXPECT_EQ(form->PixelsPerInch(), 144);
    EXPECT_EQ(form->LoadScaling().From, 96);
    EXPECT_EQ(form->LoadScaling().To, 144);
    EXPECT_EQ(form->Constraints()->MinWidth(), 302);
    EXPECT_EQ(Find<TPanel>(*form, "Box")->Constraints()->MaxHeight(), 227);
    // The panel's height is its scaled 101, within its scaled limit; the anchored
    // button keeps its scaled distance to the panel's far edges.
    EXPECT_EQ(BoundsOf(*form, "Box"), (TRect{12, 90, 314, 242}));
    EXPECT_EQ(BoundsOf(*form, "Corner"), (TRect{180, 105, 293, 143}));
    // The aligned panels take their scaled heights at the edges of the scaled
    // client area.
    EXPECT_EQ(BoundsOf(*form, "Header"), (TRect{0, 0, 602, 8}));
    EXPECT_EQ(BoundsOf(*form, "Footer"), (TRect{0, 420, 602, 452}));

    // Written back, the form is a 144-DPI form that reads back the same.
    const String text = SaveFormText(*form);
    EXPECT_NE(text.find("PixelsPerInch = 144"), String::npos);
    auto again = LoadAs<TForm>(text);
    EXPECT_EQ(again->LoadScaling().From, again->LoadScaling().To);
    EXPECT_EQ(SaveFormText(*again), text);
}

TEST(FormScaling, NothingIsScaledThatIsNotScaledOrAlreadyAtTheScreensResolution) {
    Sim::TDesktop desktop(Screen(144));
    auto expectAsStored = [](TForm& form) {
        EXPECT_EQ(form.ClientWidth(), 401);
        EXPECT_EQ(BoundsOf(form, "Right1"), (TRect{82, 9, 157, 34}));
        EXPECT_EQ(form.Font()->Height(), -11);
        EXPECT_EQ(form.LoadScaling().From, form.LoadScaling().To);
    };
    // Not Scaled: bounds and heights as stored, and the point sizes of the file.
    String text = kForm;
    text.insert(text.find("  object Left1"), "  Scaled = False\n");
    auto unscaled = LoadAs<TForm>(text);
    expectAsStored(*unscaled);
    EXPECT_EQ(unscaled->PixelsPerInch(), 96);
    EXPECT_EQ(unscaled->Font()->Size(), 8);

    // A file of the screen's resolution, and a file that stores none.
    String at144 = kForm;
    at144.replace(at144.find("PixelsPerInch = 96"), 18, "PixelsPerInch = 144");
    expectAsStored(*LoadAs<TForm>(at144));
    String none = kForm;
    none.erase(none.find("  PixelsPerInch = 96\n"), 21);
    expectAsStored(*LoadAs<TForm>(none));

    // The designer shows the form as it is stored.
    TFormLoadOptions designing;
    designing.Designing = true;
    expectAsStored(*LoadAs<TForm>(kForm, designing));
}

TEST(FormScaling, ValuesAtTheEdgeOfTheRangeSaturateInsteadOfWrapping) {
    Sim::TDesktop desktop(Screen(192));
    auto form = LoadAs<TForm>("object Form1: TForm\n  PixelsPerInch = 96\n"
                              "  object Wide: TPanel\n    Left = -2147483648\n"
                              "    Width = 2147483647\n    Height = 1073741824\n  end\n"
                              "end\n");
    auto* wide = Find<TPanel>(*form, "Wide");
    EXPECT_EQ(wide->Left(), INT_MIN);
    EXPECT_GE(wide->Width(), 0);
    EXPECT_EQ(wide->Height(), INT_MAX);
}

class TScaledFamily : public ::testing::Test {
protected:
    TScaledFamily() : FDesktop(Screen(144)) {
        FDir = fs::temp_directory_path() /
               ("quorvel-scaled-" +
                String(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(FDir);
        fs::create_directories(FDir);
    }
    ~TScaledFamily() override {
        std::error_code ec;
        fs::remove_all(FDir, ec);
    }
    String Write(const String& name, const String& text) const {
        std::ofstream(FDir / name, std::ios::binary) << text;
        return (FDir / name).string();
    }
    Sim::TDesktop FDesktop;
    fs::path FDir;
};

TEST_F(TScaledFamily, EachFileOfAnInheritedFormIsScaledFromItsOwnResolution) {
    Write("Base.dfm", "object BaseForm: TBaseForm\n  ClientHeight = 200\n  ClientWidth = 300\n"
                      "  PixelsPerInch = 96\n"
                      "  object Ok: TButton\n    Left = 100\n    Top = 100\n    Width = 80\n"
                      "    Height = 20\n  end\n"
                      "end\n");
    // Saved on a 120-DPI screen: what it sets is in 120-DPI pixels, what it
    // inherits was scaled from 96 already.
    const String derived = Write("Derived.dfm", "inherited DerivedForm: TDerivedForm\n"
                                                "  PixelsPerInch = 120\n"
                                                "  inherited Ok: TButton\n    Left = 200\n"
                                                "  end\n"
                                                "  object Extra: TButton\n    Left = 10\n"
                                                "    Top = 10\n    Width = 100\n"
                                                "    Height = 30\n  end\n"
                                                "end\n");
    auto root = LoadFormFile(derived);
    auto& form = dynamic_cast<TCustomForm&>(*root);
    EXPECT_EQ(form.ClientWidth(), 450);
    EXPECT_EQ(BoundsOf(form, "Ok"), (TRect{240, 150, 360, 180}));
    EXPECT_EQ(BoundsOf(form, "Extra"), (TRect{12, 12, 132, 48}));
}

TEST_F(TScaledFamily, AFramesControlsAreScaledWithTheFormThatHoldsIt) {
    const String frame = Write("PartFrame.dfm", "object PartFrame: TPartFrame\n"
                                                "  Width = 200\n  Height = 100\n  TabOrder = 0\n"
                                                "  object Name1: TEdit\n    Left = 10\n"
                                                "    Top = 10\n    Width = 100\n"
                                                "    Height = 21\n    AutoSize = False\n"
                                                "  end\n"
                                                "end\n");
    const String form = Write("Host.dfm", "object Host: THost\n  ClientHeight = 200\n"
                                          "  ClientWidth = 300\n  PixelsPerInch = 96\n"
                                          "  inline Part1: TPartFrame\n    Left = 20\n"
                                          "    Top = 30\n    Width = 200\n    Height = 100\n"
                                          "  end\n"
                                          "end\n");
    TFormLoadOptions options;
    options.FrameFiles = {frame};
    auto root = LoadFormFile(form, options);
    auto* part = dynamic_cast<TComponent*>(root->FindComponent("Part1"));
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(BoundsOf(*root, "Part1"), (TRect{30, 45, 330, 195}));
    EXPECT_EQ(BoundsOf(*part, "Name1"), (TRect{15, 15, 165, 47}));
}

// A per-monitor-aware program on a 96-DPI primary with monitors of 120, 144 and
// 192 DPI to its right.
Sim::TDesktopConfig FourMonitors() {
    Sim::TDesktopConfig config;
    config.Monitors = {{{0, 0, 1920, 1080}, 96},
                       {{1920, 0, 3840, 1080}, 120},
                       {{3840, 0, 5760, 1080}, 144},
                       {{5760, 0, 7680, 1080}, 192}};
    config.DpiAwareness = Sim::TDpiAwareness::PerMonitorV2;
    return config;
}

struct TLayout {
    int ClientWidth, ClientHeight;
    std::vector<TRect> Bounds;
    std::vector<int> Heights;
    int MinWidth;
    bool operator==(const TLayout&) const = default;
};

void PrintTo(const TLayout& l, std::ostream* out) {
    *out << l.ClientWidth << "x" << l.ClientHeight << " min " << l.MinWidth << " |";
    for (const TRect& r : l.Bounds)
        *out << " " << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
    *out << " |";
    for (int h : l.Heights)
        *out << " " << h;
}

TLayout LayoutOf(TForm& form) {
    TLayout layout{form.ClientWidth(),
                   form.ClientHeight(),
                   {},
                   {form.Font()->Height()},
                   form.Constraints()->MinWidth()};
    for (const char* name : {"Left1", "Right1", "Big", "Box", "Corner", "Header", "Footer"}) {
        layout.Bounds.push_back(BoundsOf(form, name));
        layout.Heights.push_back(Find<TControl>(form, name)->Font()->Height());
    }
    return layout;
}

TEST(FormScaling, APerMonitorScaledFormMovedOntoAnotherDpiIsLaidOutAsIfReadThere) {
    std::vector<TLayout> fresh;
    for (int dpi : {96, 120, 144, 192}) {
        Sim::TDesktopConfig config = Screen(dpi);
        config.DpiAwareness = Sim::TDpiAwareness::PerMonitorV2;
        Sim::TDesktop desktop(config);
        auto form = LoadAs<TForm>(kForm);
        form->Show();
        fresh.push_back(LayoutOf(*form));
    }
    Sim::TDesktop desktop(FourMonitors());
    auto form = LoadAs<TForm>(kForm);
    form->Show();
    auto& sim = Sim::TDesktop::Current();
    const TLayout designed = LayoutOf(*form);
    EXPECT_EQ(designed, fresh[0]);
    for (int monitor = 1; monitor < 4; ++monitor) {
        sim.MoveTo(form->Handle(), 1920 * monitor + 100, 100);
        EXPECT_EQ(Win32::GetDpiForWindow(form->Handle()),
                  static_cast<Win32::UINT>(sim.MonitorDpi(monitor)));
        EXPECT_EQ(form->CurrentPixelsPerInch(), sim.MonitorDpi(monitor));
        EXPECT_EQ(LayoutOf(*form), fresh[static_cast<std::size_t>(monitor)]) << monitor;
        // Back on the primary everything is where it was.
        sim.MoveTo(form->Handle(), 100, 100);
        EXPECT_EQ(LayoutOf(*form), designed) << monitor;
    }

    // A form that is not Scaled keeps its layout, as does any form of a program
    // that is not per-monitor-aware.
    String text = kForm;
    text.insert(text.find("  object Left1"), "  Scaled = False\n");
    auto unscaled = LoadAs<TForm>(text);
    unscaled->Show();
    const TLayout before = LayoutOf(*unscaled);
    sim.MoveTo(unscaled->Handle(), 3840 + 100, 100);
    EXPECT_EQ(LayoutOf(*unscaled), before);
}

} // namespace
