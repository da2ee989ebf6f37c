#include "DesktopOptions.h"

#include "quorvel/component/Quorvel.h"
#include "quorvel/vcl/SysInfo.h"
#include "quorvel/vcl/SysUtils.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>

namespace QuorvelTool {

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        std::size_t at = text.find(separator, start);
        parts.push_back(
            text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

[[noreturn]] void Bad(const std::string& option, const std::string& value,
                      const std::string& expected) {
    throw EUsageError("invalid " + option + " value '" + value + "': expected " + expected);
}

// "WxH[@DPI]" as a monitor of that size at the given origin.
Sim::TMonitorConfig ParseMonitorSize(const std::string& option, const std::string& text, int x,
                                     int y) {
    const std::string expected = "WxH or WxH@DPI with positive numbers";
    std::string size = text;
    int dpi = 96;
    if (auto at = text.find('@'); at != std::string::npos) {
        size = text.substr(0, at);
        auto value = ParseInt(text.substr(at + 1));
        if (!value || *value <= 0 || *value > 2000)
            Bad(option, text, expected);
        dpi = *value;
    }
    auto parsed = ParseSize(size);
    if (!parsed || parsed->Width <= 0 || parsed->Height <= 0)
        Bad(option, text, expected);
    // Keep the right and bottom edges inside the 32-bit range.
    if (static_cast<long long>(x) + parsed->Width > INT32_MAX ||
        static_cast<long long>(y) + parsed->Height > INT32_MAX)
        Bad(option, text, "a monitor that fits the coordinate range");
    Sim::TMonitorConfig monitor;
    monitor.Bounds = {x, y, x + parsed->Width, y + parsed->Height};
    monitor.Dpi = dpi;
    return monitor;
}

Sim::TTaskbarConfig ParseTaskbar(const std::string& text) {
    const std::string expected = "none or EDGE[:THICKNESS][:autohide], EDGE one of left top "
                                 "right bottom";
    Sim::TTaskbarConfig taskbar;
    if (Vcl::SameText(text, "none")) {
        taskbar.Edge = Sim::TTaskbarEdge::None;
        taskbar.Thickness = 0;
        return taskbar;
    }
    auto parts = Split(text, ':');
    const std::string edge = Vcl::AnsiLowerCase(parts[0]);
    if (edge == "left")
        taskbar.Edge = Sim::TTaskbarEdge::Left;
    else if (edge == "top")
        taskbar.Edge = Sim::TTaskbarEdge::Top;
    else if (edge == "right")
        taskbar.Edge = Sim::TTaskbarEdge::Right;
    else if (edge == "bottom")
        taskbar.Edge = Sim::TTaskbarEdge::Bottom;
    else
        Bad("--taskbar", text, expected);
    if (parts.size() > 3)
        Bad("--taskbar", text, expected);
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (Vcl::SameText(parts[i], "autohide") && i == parts.size() - 1) {
            taskbar.AutoHide = true;
        } else if (i == 1) {
            auto thickness = ParseInt(parts[i]);
            if (!thickness || *thickness < 0 || *thickness > 10000)
                Bad("--taskbar", text, expected);
            taskbar.Thickness = *thickness;
        } else {
            Bad("--taskbar", text, expected);
        }
    }
    return taskbar;
}

bool IsJapanese(const char* locale) { return locale[0] == 'j' && locale[1] == 'a'; }

} // namespace

std::optional<int> ParseInt(const std::string& text) {
    int value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    auto [end, error] = std::from_chars(first, last, value);
    if (first == last || error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

std::optional<TSize> ParseSize(const std::string& text) {
    auto x = text.find_first_of("xX");
    if (x == std::string::npos)
        return std::nullopt;
    auto w = ParseInt(text.substr(0, x));
    auto h = ParseInt(text.substr(x + 1));
    if (!w || !h)
        return std::nullopt;
    return TSize{*w, *h};
}

std::string LocaleFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return IsJapanese(value) ? "JPN" : "ENU";
    }
    return "ENU";
}

Sim::TDesktopConfig MakeDesktopConfig(const TDesktopOptions& options) {
    Sim::TDesktopConfig config;
    config.Monitors = {ParseMonitorSize("--screen", options.Screen, 0, 0)};
    for (const std::string& text : options.Monitors) {
        const std::string expected = "X,Y,WxH[@DPI]";
        auto parts = Split(text, ',');
        if (parts.size() != 3)
            Bad("--monitor", text, expected);
        auto x = ParseInt(parts[0]);
        auto y = ParseInt(parts[1]);
        if (!x || !y)
            Bad("--monitor", text, expected);
        Sim::TMonitorConfig monitor = ParseMonitorSize("--monitor", parts[2], *x, *y);
        // Overlapping monitors would leave it open which one holds a window.
        for (std::size_t i = 0; i < config.Monitors.size(); ++i) {
            const Win32::RECT& b = config.Monitors[i].Bounds;
            if (monitor.Bounds.left < b.right && b.left < monitor.Bounds.right &&
                monitor.Bounds.top < b.bottom && b.top < monitor.Bounds.bottom)
                throw EUsageError("invalid --monitor value '" + text + "': it overlaps " +
                                  (i == 0 ? std::string("the primary monitor (--screen)")
                                          : "--monitor " + options.Monitors[i - 1]));
        }
        config.Monitors.push_back(monitor);
    }
    config.Taskbar = ParseTaskbar(options.Taskbar);

    auto version = Split(options.Os, '.');
    std::optional<int> major = ParseInt(version[0]);
    std::optional<int> minor = version.size() == 2 ? ParseInt(version[1]) : std::nullopt;
    if (version.size() != 2 || !major || !minor || *major < 0 || *minor < 0)
        Bad("--os", options.Os, "MAJOR.MINOR, for example 10.0 or 6.1");
    config.OsMajor = static_cast<Win32::DWORD>(*major);
    config.OsMinor = static_cast<Win32::DWORD>(*minor);

    if (Vcl::SameText(options.Dwm, "on"))
        config.Composition = true;
    else if (Vcl::SameText(options.Dwm, "off"))
        config.Composition = false;
    else
        Bad("--dwm", options.Dwm, "on or off");

    if (Vcl::SameText(options.DpiAwareness, "unaware"))
        config.DpiAwareness = Sim::TDpiAwareness::Unaware;
    else if (Vcl::SameText(options.DpiAwareness, "system"))
        config.DpiAwareness = Sim::TDpiAwareness::System;
    else if (Vcl::SameText(options.DpiAwareness, "permonitor"))
        config.DpiAwareness = Sim::TDpiAwareness::PerMonitorV2;
    else
        Bad("--dpi-awareness", options.DpiAwareness, "unaware, system or permonitor");

    std::string locale = options.Locale.empty() ? LocaleFromEnvironment() : options.Locale;
    if (locale.size() != 3)
        Bad("--locale", locale, "a three-letter abbreviation such as ENU or JPN");
    config.LocaleAbbrev = Vcl::AnsiUpperCase(locale);
    return config;
}

TDesktopScope::TDesktopScope(const TDesktopOptions& options, bool startUnit) {
    const Sim::TDesktopConfig config = MakeDesktopConfig(options);
    try {
        FDesktop.emplace(config);
    } catch (const std::invalid_argument& e) {
        throw EUsageError(e.what());
    }
    Vcl::TStyleManager::SetCustomStyleActive(options.CustomStyle);
    if (startUnit) {
        Quorvel::UnitInitialization();
        FUnitStarted = true;
    }
}

TDesktopScope::~TDesktopScope() {
    if (FUnitStarted)
        Quorvel::UnitFinalization();
    Vcl::TStyleManager::SetCustomStyleActive(false);
    FDesktop.reset();
}

int ScreenDpi(const TDesktopOptions& desktop) {
    const auto at = desktop.Screen.find('@');
    if (at == std::string::npos)
        return 96;
    return ParseInt(desktop.Screen.substr(at + 1)).value_or(96);
}

} // namespace QuorvelTool
