// The package's entry points: loading runs the start-up of its units, unloading
// their shut-down; the designer calls Register.
#include "quorvel/package/Package.h"

#include "quorvel/component/Quorvel.h"

#include <array>
#include <cstring>
#include <string>

namespace {

void NoUnitCode() {}

const char* const RequiredPackages[] = {QuorvelPack::RequiredPackage, nullptr};

// Contained units in start-up order; shut-down runs in reverse.
const TPackageUnit Units[] = {
    {QuorvelPack::UnitNames[0], &NoUnitCode, &NoUnitCode},
    {QuorvelPack::UnitNames[1], &Quorvel::UnitInitialization, &Quorvel::UnitFinalization},
    {QuorvelPack::UnitNames[2], &NoUnitCode, &NoUnitCode},
};
static_assert(std::size(Units) == std::size(QuorvelPack::UnitNames));

const TPackageInfoTable InfoTable{"QuorvelPack", RequiredPackages, Units,
                                  static_cast<int>(std::size(Units))};

bool Loaded = false;

const std::uint8_t* Bytes(const std::string& s) {
    return reinterpret_cast<const std::uint8_t*>(s.data());
}

} // namespace

extern "C" {

void Initialize() {
    if (Loaded)
        return;
    Loaded = true;
    for (const TPackageUnit& unit : Units)
        unit.Initialization();
}

void Finalize() {
    if (!Loaded)
        return;
    Loaded = false;
    for (auto it = std::rbegin(Units); it != std::rend(Units); ++it)
        it->Finalization();
}

void Register() { Quorvel::Register(); }

const TPackageInfoTable* GetPackageInfoTable() { return &InfoTable; }

const TPackageResource* QuorvelPackResources(int* count) {
    static const std::uint32_t targets = QuorvelPack::PlatformTargets;
    static const std::array<TPackageResource, 5> resources = [] {
        std::size_t bitmapSize = 0;
        const std::uint8_t* bitmap = QuorvelPack::PaletteBitmap(&bitmapSize);
        const std::string& info = QuorvelPack::PackageInfoText();
        const std::string& version = QuorvelPack::VersionText();
        return std::array<TPackageResource, 5>{{
            {prBitmap, "TQUORVEL", 1041, bitmap, bitmapSize},
            {prData, "DESCRIPTION", 0,
             reinterpret_cast<const std::uint8_t*>(QuorvelPack::Description),
             std::strlen(QuorvelPack::Description)},
            {prData, "PACKAGEINFO", 0, Bytes(info), info.size()},
            {prData, "PLATFORMTARGETS", 0, reinterpret_cast<const std::uint8_t*>(&targets),
             sizeof(targets)},
            {prVersion, "1", 0, Bytes(version), version.size()},
        }};
    }();
    if (count)
        *count = static_cast<int>(resources.size());
    return resources.data();
}
}
