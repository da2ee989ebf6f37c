#include "Progress.h"

#include <unistd.h>

namespace QuorvelTool {

TProgressMode ChooseProgress(bool asked, std::size_t steps) {
    if (asked)
        return TProgressMode::Lines;
    return steps >= 10 && ::isatty(STDERR_FILENO) ? TProgressMode::Terminal : TProgressMode::Off;
}

TProgress::~TProgress() {
    if (FMode == TProgressMode::Terminal && FWritten)
        FErr << "\r\x1b[K" << std::flush;
}

void TProgress::Step(std::size_t number, const std::string& what) {
    if (FMode == TProgressMode::Off)
        return;
    const std::string line = "quorvel: " + FCommand + " " + std::to_string(number) + "/" +
                             std::to_string(FTotal) + ": " + what;
    if (FMode == TProgressMode::Terminal)
        FErr << "\r\x1b[K" << line.substr(0, 200) << std::flush;
    else
        FErr << line << "\n";
    FWritten = true;
}

} // namespace QuorvelTool
