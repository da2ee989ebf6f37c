// Progress of a long command on standard error: one line per step when asked for
// with --progress, one line rewritten in place on a terminal.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>

namespace QuorvelTool {

enum class TProgressMode { Off, Lines, Terminal };

// Lines with --progress; on a terminal (standard error is one) the rewritten line
// for ten steps or more; off otherwise.
TProgressMode ChooseProgress(bool asked, std::size_t steps);

class TProgress {
public:
    TProgress(std::ostream& err, TProgressMode mode, std::string command, std::size_t total)
        : FErr(err), FMode(mode), FCommand(std::move(command)), FTotal(total) {}
    ~TProgress();
    TProgress(const TProgress&) = delete;
    TProgress& operator=(const TProgress&) = delete;

    // The step that starts now, 1-based.
    void Step(std::size_t number, const std::string& what);

private:
    std::ostream& FErr;
    TProgressMode FMode;
    std::string FCommand;
    std::size_t FTotal;
    bool FWritten = false;
};

} // namespace QuorvelTool
