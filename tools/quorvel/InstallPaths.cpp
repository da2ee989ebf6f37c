#include "InstallPaths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace QuorvelTool {

namespace {

namespace fs = std::filesystem;

std::string FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : "";
}

// A file of the tree the program belongs to (bin/../RELATIVE).
std::string BesideProgram(const char* relative) {
    const std::string dir = ProgramDir();
    if (dir.empty())
        return relative;
    return (fs::path(dir).parent_path() / relative).lexically_normal().string();
}

} // namespace

std::string ProgramDir() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}

std::string DefaultExample() {
    std::string path = FromEnvironment("QUORVEL_EXAMPLE");
    return path.empty() ? BesideProgram("share/quorvel/examples/OrderEntry.dfm") : path;
}

std::string DefaultPackage() {
    std::string path = FromEnvironment("QUORVEL_PACKAGE");
    return path.empty() ? BesideProgram("lib/QuorvelPack.so") : path;
}

} // namespace QuorvelTool
