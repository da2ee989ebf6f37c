// The component package as its hosts see it: the designer's registration, the
// resources of the package file and the entry points that start and stop the
// component's unit. Everything goes through the package's exports; the component
// inside it is the package's own.
#include "quorvel/package/Package.h"

#include "quorvel/vcl/ClassRegistry.h"
#include "quorvel/vcl/FormStreaming.h"
#include "quorvel/vcl/Forms.h"
#include "quorvel/win/sim/SimDesktop.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace Vcl;

const TPackageResource* Resource(const char* name) {
    int count = 0;
    const TPackageResource* resources = QuorvelPackResources(&count);
    for (int i = 0; i < count; ++i)
        if (std::strcmp(resources[i].Name, name) == 0)
            return &resources[i];
    return nullptr;
}

std::uint32_t Le(const std::uint8_t* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

std::string Text(const TPackageResource& r) {
    return std::string(reinterpret_cast<const char*>(r.Data), r.Size);
}

// A form whose component stops drags at 316 pixels wide and scales one button.
std::unique_ptr<TComponent> LoadForm() {
    return LoadFormText("object Form1: TForm1\n  Left = 100\n  Top = 100\n"
                        "  ClientHeight = 300\n  ClientWidth = 400\n"
                        "  object Quorvel1: TQuorvel\n    FormMinWidth = 316\n"
                        "    FormMinHeight = 250\n    DesignFrmW = 400\n    DesignFrmH = 300\n"
                        "    DesignDpiW = 96\n    DesignDpiH = 96\n  end\n"
                        "  object Button1: TButton\n    Left = 10\n    Top = 10\n"
                        "    Width = 50\n    Height = 20\n  end\nend\n");
}

// Drags the form's left edge 200 pixels right; the width of the button after it.
int ButtonAfterSqueeze(Sim::TDesktop& desktop, TComponent& root) {
    auto& form = dynamic_cast<TCustomForm&>(root);
    form.Show();
    desktop.Drag(form.Handle(), Win32::WMSZ_LEFT, 200, 0);
    return dynamic_cast<TControl&>(*form.FindComponent("Button1")).Width();
}

struct TRegistration {
    std::vector<std::pair<String, std::vector<String>>> Calls;
};
TRegistration* Seen = nullptr;

void Record(const String& page, std::span<const TClassInfo* const> classes) {
    std::vector<String> names;
    for (const TClassInfo* c : classes)
        names.push_back(c->Name);
    Seen->Calls.emplace_back(page, names);
}

TEST(Package, RegisterPutsExactlyTheComponentOnItsPage) {
    Sim::TDesktop desktop;
    Initialize();
    ClearPalette();
    TRegistration seen;
    Seen = &seen;
    RegisterComponentsProc = &Record;
    Register();
    RegisterComponentsProc = nullptr;
    Seen = nullptr;

    ASSERT_EQ(seen.Calls.size(), 1u);
    EXPECT_EQ(seen.Calls[0].first, "HVCtrl");
    EXPECT_EQ(seen.Calls[0].second, (std::vector<String>{"TQuorvel"}));
    const auto& pages = PalettePages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].Name, "HVCtrl");
    ASSERT_EQ(pages[0].Classes.size(), 1u);
    EXPECT_EQ(pages[0].Classes[0], GetClass("TQuorvel"));
    EXPECT_NE(pages[0].Classes[0]->Create, nullptr);
    ClearPalette();
    Finalize();
}

TEST(Package, ResourcesOfThePackageFile) {
    const TPackageResource* bitmap = Resource("TQUORVEL");
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Type, prBitmap);
    EXPECT_EQ(bitmap->Language, 1041);
    ASSERT_EQ(bitmap->Size, 392u);
    const std::uint8_t* header = bitmap->Data;
    EXPECT_EQ(Le(header, 4), 40u);      // header size
    EXPECT_EQ(Le(header + 4, 4), 24u);  // width
    EXPECT_EQ(Le(header + 8, 4), 24u);  // height
    EXPECT_EQ(Le(header + 12, 2), 1u);  // planes
    EXPECT_EQ(Le(header + 14, 2), 4u);  // bits per pixel
    EXPECT_EQ(Le(header + 16, 4), 0u);  // uncompressed
    EXPECT_EQ(Le(header + 32, 4), 16u); // colours in the palette
    // 40 bytes of header, 16 colours of 4 bytes, 24 rows of 12 bytes.
    EXPECT_EQ(40u + 16 * 4 + 24 * 12, bitmap->Size);
    // A picture, not a blank square.
    const std::uint8_t* pixels = header + 40 + 64;
    bool varied = false;
    for (std::size_t i = 1; i < 24 * 12; ++i)
        varied = varied || pixels[i] != pixels[0];
    EXPECT_TRUE(varied);

    const TPackageResource* targets = Resource("PLATFORMTARGETS");
    ASSERT_NE(targets, nullptr);
    EXPECT_EQ(targets->Type, prData);
    ASSERT_EQ(targets->Size, 4u);
    EXPECT_EQ(Le(targets->Data, 4), 3u);

    const TPackageResource* description = Resource("DESCRIPTION");
    ASSERT_NE(description, nullptr);
    EXPECT_EQ(description->Type, prData);
    EXPECT_FALSE(Text(*description).empty());

    const TPackageResource* info = Resource("PACKAGEINFO");
    ASSERT_NE(info, nullptr);
    EXPECT_NE(Text(*info).find("vcl280"), std::string::npos);
    EXPECT_NE(Text(*info).find("Quorvel"), std::string::npos);

    int count = 0;
    const TPackageResource* all = QuorvelPackResources(&count);
    bool version = false;
    for (int i = 0; i < count; ++i)
        version = version || (all[i].Type == prVersion && all[i].Size > 0);
    EXPECT_TRUE(version);

    const TPackageInfoTable* table = GetPackageInfoTable();
    ASSERT_NE(table, nullptr);
    EXPECT_STREQ(table->PackageName, "QuorvelPack");
    EXPECT_STREQ(table->Requires[0], "vcl280");
    EXPECT_EQ(table->Requires[1], nullptr);
    bool unit = false;
    for (int i = 0; i < table->UnitCount; ++i)
        unit = unit || std::strcmp(table->Units[i].Name, "Quorvel") == 0;
    EXPECT_TRUE(unit);
}

TEST(Package, LoadingStartsTheUnitOnceAndUnloadingStopsIt) {
    {
        Sim::TDesktop desktop;
        Initialize();
        // Composition is measured once, at start-up, on version 6.0 and later.
        EXPECT_TRUE(desktop.DwmLibraryLoaded());
        auto form = LoadForm();
        EXPECT_EQ(ButtonAfterSqueeze(desktop, *form), 38);
        Finalize();
        Finalize(); // not loaded any more: nothing to stop
        // An instance that outlives the unit goes without harm.
        form.reset();
    }
    {
        // Loaded again, the unit starts again.
        Sim::TDesktop desktop;
        Initialize();
        EXPECT_TRUE(desktop.DwmLibraryLoaded());
        auto form = LoadForm();
        EXPECT_EQ(ButtonAfterSqueeze(desktop, *form), 38);
        form.reset();
        Finalize();
    }
    {
        Sim::TDesktopConfig xp;
        xp.OsMajor = 5;
        xp.OsMinor = 1;
        Sim::TDesktop desktop(xp);
        Initialize();
        EXPECT_FALSE(desktop.DwmLibraryLoaded());
        Finalize();
    }
}

TEST(Package, SecondLoadRunsNothing) {
    {
        Sim::TDesktop desktop;
        Initialize();
    }
    Sim::TDesktop desktop;
    Initialize();
    EXPECT_FALSE(desktop.DwmLibraryLoaded());
    Finalize();
    Initialize();
    EXPECT_TRUE(desktop.DwmLibraryLoaded());
    Finalize();
}

} // namespace
