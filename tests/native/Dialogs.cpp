// The dialog scenarios (scenarios/DialogScenarios.h) on real dialogs made from
// the templates linked into this program. Every measured value is printed as
// "dialog: name = value" and compared with what the simulated desktop must match
// (scenarios/WineDialogs.txt, compiled in).
#include "NativeCheck.h"
#include "scenarios/DialogScenarios.h"

#include "WineDialogsExpected.h"

#include <windows.h>

namespace {

const void* ResourceTemplate(int id) {
    HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5)); // RT_DIALOG
    HGLOBAL loaded = found ? ::LoadResource(nullptr, found) : nullptr;
    return loaded ? ::LockResource(loaded) : nullptr;
}

} // namespace

NATIVE_TEST(DialogTemplatesLayOutAsTheCoreSays) {
    const DialogScenarios::TTemplateSource source = &ResourceTemplate;
    const DialogScenarios::TMeasures measured = DialogScenarios::RunAll(
        source, [](const std::string& what) { NativeCheck::Fail(__FILE__, __LINE__, what); });
    for (const auto& m : measured)
        std::printf("    dialog: %s = %s\n", m.Name.c_str(), m.Value.c_str());
    for (const std::string& diff :
         DialogScenarios::Compare(measured, DialogScenarios::ParseMeasures(kWineDialogsExpected)))
        NativeCheck::Fail(__FILE__, __LINE__, "WineDialogs.txt " + diff);
}
