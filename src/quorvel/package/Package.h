// The component package QuorvelPack: its entry points, package information and
// resources. The Windows build carries the resources as real resources of
// QuorvelPack.dll; elsewhere the library exposes the same data through
// QuorvelPackResources.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#if defined(_WIN32)
#define QUORVEL_PACKAGE_EXPORT __declspec(dllexport)
#else
#define QUORVEL_PACKAGE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

struct TPackageUnit {
    const char* Name;
    void (*Initialization)();
    void (*Finalization)();
};

// What the package contains and what it needs.
struct TPackageInfoTable {
    const char* PackageName;
    const char* const* Requires; // runtime packages, null-terminated
    const TPackageUnit* Units;
    int UnitCount;
};

enum TPackageResourceType { prBitmap = 2, prData = 10, prVersion = 16 };

struct TPackageResource {
    int Type;         // a Windows resource type number (RT_BITMAP, RT_RCDATA, RT_VERSION)
    const char* Name; // TQUORVEL, DESCRIPTION, PACKAGEINFO, PLATFORMTARGETS, 1
    int Language;     // Windows language identifier
    const std::uint8_t* Data;
    std::size_t Size;
};

// Runs the start-up of the package's units (once; later calls do nothing).
QUORVEL_PACKAGE_EXPORT void Initialize();
// Runs their shut-down in reverse order.
QUORVEL_PACKAGE_EXPORT void Finalize();
// The design-time registration: TQuorvel on the palette page "HVCtrl".
QUORVEL_PACKAGE_EXPORT void Register();
QUORVEL_PACKAGE_EXPORT const TPackageInfoTable* GetPackageInfoTable();
QUORVEL_PACKAGE_EXPORT const TPackageResource* QuorvelPackResources(int* count);
}

namespace QuorvelPack {

// The palette bitmap: a 24 x 24 device-independent bitmap, 4 bits per pixel.
const std::uint8_t* PaletteBitmap(std::size_t* size);
extern const char* const Description;
extern const std::uint32_t PlatformTargets;

// The contained units in start-up order, and the one runtime package required.
constexpr const char* UnitNames[] = {"SysInit", "Quorvel", "QuorvelPack"};
constexpr const char* RequiredPackage = "vcl280";

// The PACKAGEINFO text and the version block as "Key=Value" lines. The Windows
// build turns the latter into a real version resource (ResourceScript.cpp).
const std::string& PackageInfoText();
const std::string& VersionText();

} // namespace QuorvelPack
