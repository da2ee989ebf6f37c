// The simulated desktop a command runs on, as the command line describes it:
// monitors, taskbar, system version, compositor, locale and visual style.
#pragma once

#include "quorvel/win/sim/SimDesktop.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace QuorvelTool {

// A value on the command line that does not fit its option; exit status 2.
class EUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The desktop options as typed; empty strings keep the defaults.
struct TDesktopOptions {
    std::string Screen = "1920x1080@96";
    std::vector<std::string> Monitors;
    std::string Taskbar = "bottom:40";
    std::string Os = "10.0";
    std::string Locale; // empty: from the environment
    std::string Dwm = "on";
    bool CustomStyle = false;
    // unaware, system or permonitor: what the program declares in its manifest.
    std::string DpiAwareness = "system";
};

// Builds the configuration; raises EUsageError naming the option at fault.
Sim::TDesktopConfig MakeDesktopConfig(const TDesktopOptions& options);

// A fresh simulated desktop for one command, with the component unit started on
// it (unless the command loads the unit from the package) and the visual style
// flag set; all undone in reverse order at the end.
class TDesktopScope {
public:
    explicit TDesktopScope(const TDesktopOptions& options, bool startUnit = true);
    ~TDesktopScope();
    TDesktopScope(const TDesktopScope&) = delete;
    TDesktopScope& operator=(const TDesktopScope&) = delete;

private:
    std::optional<Sim::TDesktop> FDesktop;
    bool FUnitStarted = false;
};

// JPN for a Japanese locale in LC_ALL, LC_MESSAGES or LANG (the first one set),
// ENU otherwise.
std::string LocaleFromEnvironment();

// "WxH" or "WxH@DPI"; nullopt when the text is neither.
struct TSize {
    int Width = 0;
    int Height = 0;
};
std::optional<TSize> ParseSize(const std::string& text);
std::optional<int> ParseInt(const std::string& text);

// The resolution --screen asks for, 96 without one.
int ScreenDpi(const TDesktopOptions& desktop);

} // namespace QuorvelTool
