// Text metrics of the simulated desktop: which font file stands for a LOGFONTW,
// and what it measures. Nothing outside src/quorvel/win/sim includes this header.
#pragma once

#include "quorvel/win/sim/SimDesktop.h"

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace Sim {

// A font as a device context measures it: its metrics and the advance of each
// character, filled on first use.
struct TRealizedFont {
    TFontSource Source;
    TEXTMETRICW Metrics{};
    std::unordered_map<char32_t, int> Advances;
};

class TFontEngine {
public:
    explicit TFontEngine(std::vector<std::string> directories);
    ~TFontEngine();
    TFontEngine(const TFontEngine&) = delete;
    TFontEngine& operator=(const TFontEngine&) = delete;

    // Whether every face of the table was found in a font file and can be read.
    bool MeasuresFontFiles() const;
    TFontSource Resolve(const LOGFONTW& font) const;
    // The metrics of a font; the same object for equal LOGFONTWs.
    TRealizedFont& Realize(const LOGFONTW& font);
    // Width and height of UTF-16 text, as GetTextExtentPoint32W answers them.
    SIZE Extent(TRealizedFont& font, const WCHAR* text, int length);

private:
    struct TFace;
    struct TLibrary;
    // The file of a family's style, or empty when it is not installed.
    std::string FindFile(const std::string& name) const;
    TFace* OpenFace(const std::string& file, int index);
    int Advance(TRealizedFont& font, char32_t ch);

    std::vector<std::string> FDirectories;
    std::unique_ptr<TLibrary> FLibrary;
    std::map<std::pair<std::string, int>, std::unique_ptr<TFace>> FFaces;
    std::map<std::string, std::unique_ptr<TRealizedFont>> FRealized; // keyed by the font's bytes
};

} // namespace Sim
