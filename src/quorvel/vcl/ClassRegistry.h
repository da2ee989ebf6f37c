// Classes known by name (for form files) and the component palette.
#pragma once

#include "quorvel/vcl/Object.h"

#include <span>
#include <vector>

namespace Vcl {

void RegisterClass(const TClassInfo& info);
void RegisterClasses(std::initializer_list<const TClassInfo*> infos);
void UnRegisterClass(const TClassInfo& info);
// The registered class of that name (letter case ignored), or nullptr.
const TClassInfo* GetClass(std::string_view name);
// As GetClass, but raises EClassNotFound... as EReadError: "Class X not found".
const TClassInfo& FindClass(std::string_view name);
// Registers the framework's forms, frames and standard controls (StdClasses.cpp).
// The registry does so itself before its first lookup.
void RegisterStandardClasses();

struct TPalettePage {
    String Name;
    std::vector<const TClassInfo*> Classes;
};

// Puts the classes on a palette page (and registers them by name). A host that
// wants to see registrations as they happen sets RegisterComponentsProc; it is
// called after the page has been updated.
void RegisterComponents(const String& page, std::span<const TClassInfo* const> classes);
void RegisterComponents(const String& page, std::initializer_list<const TClassInfo*> classes);
using TRegisterComponentsProc = void (*)(const String& page,
                                         std::span<const TClassInfo* const> classes);
extern TRegisterComponentsProc RegisterComponentsProc;

const std::vector<TPalettePage>& PalettePages();
void ClearPalette();

} // namespace Vcl
