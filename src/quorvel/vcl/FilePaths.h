// File names are UTF-8 strings throughout; a narrow string would be taken in the
// system's code page on Windows, so paths are made from and read back as char8_t.
#pragma once

#include "quorvel/vcl/SysUtils.h"

#include <filesystem>

namespace Vcl {

inline std::filesystem::path PathOf(const String& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline String Utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return String(text.begin(), text.end());
}

// The folder a file is in, "." for a bare name.
inline std::filesystem::path FolderOf(const String& file) {
    std::filesystem::path dir = PathOf(file).parent_path();
    return dir.empty() ? std::filesystem::path(".") : dir;
}

} // namespace Vcl
