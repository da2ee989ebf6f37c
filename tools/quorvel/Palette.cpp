#include "Palette.h"

#include "DesktopOptions.h"
#include "InstallPaths.h"
#include "quorvel/vcl/ClassRegistry.h"

#include <cstdlib>
#include <filesystem>

#include <dlfcn.h>

namespace QuorvelTool {

namespace {

using TEntryPoint = void (*)();

TEntryPoint Entry(void* library, const char* name) {
    // POSIX guarantees that a function's address survives the trip through void*.
    return reinterpret_cast<TEntryPoint>(dlsym(library, name));
}

} // namespace

int ListPalette(const std::string& package, std::ostream& out, std::ostream& err) {
    // A bare file name would send dlopen to the library search path instead of
    // the file the user means.
    std::string path = package;
    if (path.find('/') == std::string::npos)
        path = "./" + path;
    if (!std::filesystem::exists(path)) {
        err << "quorvel: error: package " << package << " not found\n";
        return 2;
    }
    // The package's start-up asks the window system, so a desktop must exist; the
    // package starts its own copy of the component unit.
    TDesktopScope desktop(TDesktopOptions{}, false);
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = dlerror();
        err << "quorvel: error: cannot load package " << package << ": "
            << (reason ? reason : "unknown error") << "\n";
        return 2;
    }
    TEntryPoint initialize = Entry(library, "Initialize");
    TEntryPoint registration = Entry(library, "Register");
    TEntryPoint finalize = Entry(library, "Finalize");
    if (!initialize || !registration) {
        err << "quorvel: error: " << package << " is not a component package (it lacks "
            << (initialize ? "Register" : "Initialize") << ")\n";
        return 2;
    }

    int status = 0;
    try {
        initialize();
        registration();
        for (const Vcl::TPalettePage& page : Vcl::PalettePages()) {
            out << page.Name << ":";
            for (const Vcl::TClassInfo* info : page.Classes)
                out << " " << info->Name;
            out << "\n";
        }
    } catch (const std::exception& e) {
        err << "quorvel: error: " << package << ": " << e.what() << "\n";
        status = 1;
    }
    // The package's classes leave the registry before its units shut down.
    for (const Vcl::TPalettePage& page : Vcl::PalettePages())
        for (const Vcl::TClassInfo* info : page.Classes)
            Vcl::UnRegisterClass(*info);
    Vcl::ClearPalette();
    if (finalize)
        finalize();
    // The library stays loaded: code of it may still be referenced until exit.
    return status;
}

} // namespace QuorvelTool
