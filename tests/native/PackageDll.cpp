// QuorvelPack.dll as a host loads it: its exports, and resources that hold the
// same bytes as the data the package itself hands out. Uses <windows.h>
// directly, like a host; the seam is not involved.

#include "NativeCheck.h"
#include "quorvel/package/Package.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

template <class TFunction> TFunction Export(HMODULE module, const char* name) {
    return reinterpret_cast<TFunction>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

struct TFound {
    const std::uint8_t* Data = nullptr;
    DWORD Size = 0;
};

TFound FindIn(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) {
    HRSRC info = FindResourceExW(module, type, name, language);
    if (info == nullptr)
        return {};
    HGLOBAL loaded = LoadResource(module, info);
    return {static_cast<const std::uint8_t*>(LockResource(loaded)), SizeofResource(module, info)};
}

std::wstring Wide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

// The fixed part of a version resource: its signature, then the file version.
bool FixedFileVersion(const TFound& version, DWORD& high, DWORD& low) {
    for (DWORD offset = 0; offset + 16 <= version.Size; offset += 4) {
        DWORD word;
        std::memcpy(&word, version.Data + offset, 4);
        if (word == 0xFEEF04BDu) {
            std::memcpy(&high, version.Data + offset + 8, 4);
            std::memcpy(&low, version.Data + offset + 12, 4);
            return true;
        }
    }
    return false;
}

NATIVE_TEST(PackageDllExportsItsEntryPointsAndCarriesItsResources) {
    HMODULE package = LoadLibraryW(L"QuorvelPack.dll");
    CHECK(package != nullptr);
    if (package == nullptr)
        return;
    for (const char* name : {"Initialize", "Finalize", "Register", "GetPackageInfoTable"})
        if (GetProcAddress(package, name) == nullptr)
            NativeCheck::Fail(__FILE__, __LINE__, std::string("no export ") + name);

    const auto info = Export<const TPackageInfoTable* (*)()>(package, "GetPackageInfoTable");
    if (info != nullptr) {
        const TPackageInfoTable* table = info();
        CHECK_EQ(std::string(table->PackageName), std::string("QuorvelPack"));
        CHECK_EQ(std::string(table->Requires[0]), std::string("vcl280"));
        CHECK(table->Requires[1] == nullptr);
        CHECK_EQ(table->UnitCount, 3);
    }

    // Every entry of the package's own table is a real resource of the same bytes.
    const auto list = Export<const TPackageResource* (*)(int*)>(package, "QuorvelPackResources");
    CHECK(list != nullptr);
    if (list == nullptr)
        return;
    int count = 0;
    const TPackageResource* resources = list(&count);
    CHECK_EQ(count, 5);
    for (int i = 0; i < count; ++i) {
        const TPackageResource& r = resources[i];
        const std::wstring name = Wide(r.Name);
        const LPCWSTR type = MAKEINTRESOURCEW(r.Type);
        const TFound found =
            r.Type == prVersion
                ? FindIn(package, type, MAKEINTRESOURCEW(1), static_cast<WORD>(r.Language))
                : FindIn(package, type, name.c_str(), static_cast<WORD>(r.Language));
        NativeCheck::Note(std::string(r.Name) + " size", found.Size);
        if (found.Data == nullptr) {
            NativeCheck::Fail(__FILE__, __LINE__, std::string("no resource ") + r.Name);
            continue;
        }
        if (r.Type == prVersion) {
            DWORD high = 0, low = 0;
            CHECK(FixedFileVersion(found, high, low));
            CHECK_EQ(high, 0x00010000u); // 1.0
            CHECK_EQ(low, 0u);           // .0.0
            continue;
        }
        CHECK_EQ(static_cast<std::size_t>(found.Size), r.Size);
        if (found.Size == r.Size && std::memcmp(found.Data, r.Data, r.Size) != 0)
            NativeCheck::Fail(__FILE__, __LINE__, std::string(r.Name) + " differs");
    }
    // The bitmap is Japanese only: no neutral copy for hosts to find instead.
    CHECK_EQ(FindIn(package, MAKEINTRESOURCEW(2), L"TQUORVEL", 1041).Size, 392u);
    CHECK(FindResourceExW(package, MAKEINTRESOURCEW(2), L"TQUORVEL", 0x0409) == nullptr);
    std::uint32_t targets = 0;
    const TFound platform = FindIn(package, MAKEINTRESOURCEW(10), L"PLATFORMTARGETS", 0);
    if (platform.Size == 4)
        std::memcpy(&targets, platform.Data, 4);
    CHECK_EQ(targets, 3u);

    // Loading the package ran nothing of the component; Register and the unit
    // start-up and shut-down run when called, and again harmlessly.
    const auto initialize = Export<void (*)()>(package, "Initialize");
    const auto finalize = Export<void (*)()>(package, "Finalize");
    const auto reg = Export<void (*)()>(package, "Register");
    if (initialize && finalize && reg) {
        initialize();
        initialize();
        reg();
        finalize();
        finalize();
    }
    CHECK(FreeLibrary(package));
}

} // namespace
