// Runs the built quorvel program as a user would, and helpers for the files it
// reads and writes.
#pragma once

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace ToolTest {

namespace fs = std::filesystem;
using json = nlohmann::ordered_json;

struct TResult {
    int Status = -1;
    std::string Out;
    std::string Err;
};

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A folder of its own per test, removed afterwards.
class TScratch {
public:
    TScratch() {
        Dir = fs::temp_directory_path() /
              ("quorvel-tool-" + std::to_string(::getpid()) + "-" + std::to_string(Counter()++));
        fs::create_directories(Dir);
    }
    ~TScratch() {
        std::error_code ec;
        fs::remove_all(Dir, ec);
    }
    TScratch(const TScratch&) = delete;
    TScratch& operator=(const TScratch&) = delete;

    std::string Write(const std::string& name, const std::string& text) const {
        WriteFile(Dir / name, text);
        return (Dir / name).string();
    }
    std::string Path(const std::string& name) const { return (Dir / name).string(); }

    fs::path Dir;

private:
    static int& Counter() {
        static int counter = 0;
        return counter;
    }
};

// Runs a program with the arguments; `env` adds or replaces environment variables.
inline TResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                          const std::map<std::string, std::string>& env = {}) {
    TScratch scratch;
    const std::string outPath = scratch.Path("stdout"), errPath = scratch.Path("stderr");
    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    std::map<std::string, std::string> vars;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        auto eq = entry.find('=');
        if (eq != std::string::npos)
            vars[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    // Tests decide the locale themselves.
    vars.erase("LC_ALL");
    vars.erase("LC_MESSAGES");
    vars["LANG"] = "C.UTF-8";
    for (const auto& [name, value] : env)
        vars[name] = value;
    std::vector<std::string> envStrings;
    for (const auto& [name, value] : vars)
        envStrings.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (auto& e : envStrings)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    TResult result;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    result.Out = ReadFile(outPath);
    result.Err = ReadFile(errPath);
    return result;
}

// Runs the built quorvel program.
inline TResult Quorvel(const std::vector<std::string>& args,
                       const std::map<std::string, std::string>& env = {}) {
    return RunProgram(QUORVEL_TOOL, args, env);
}

// The JSON report of `quorvel run ARGS --json`, which is expected to produce one.
inline json RunJson(std::vector<std::string> args,
                    const std::map<std::string, std::string>& env = {}) {
    args.insert(args.begin(), "run");
    args.push_back("--json");
    TResult r = Quorvel(args, env);
    EXPECT_TRUE(r.Status == 0 || r.Status == 1) << r.Err;
    try {
        return json::parse(r.Out);
    } catch (const std::exception& e) {
        ADD_FAILURE() << "not JSON: " << e.what() << "\n" << r.Out << r.Err;
        return json::array();
    }
}

inline std::string Example(const std::string& name) {
    return std::string(QUORVEL_SOURCE_DIR) + "/examples/" + name;
}

// A form with a component designed at 400 x 300 and 96 DPI, and the given children.
inline std::string FormWithComponent(const std::string& children,
                                     const std::string& componentProps = "") {
    return "object Form1: TForm1\n"
           "  Left = 0\n  Top = 0\n  ClientHeight = 300\n  ClientWidth = 400\n"
           "  Font.Height = -11\n  Font.Name = 'Tahoma'\n  PixelsPerInch = 96\n"
           "  object Quorvel1: TQuorvel\n" +
           componentProps +
           "    DesignFrmW = 400\n    DesignFrmH = 300\n"
           "    DesignDpiW = 96\n    DesignDpiH = 96\n  end\n" +
           children + "end\n";
}

inline std::string Button(const std::string& name, int l, int t, int w, int h) {
    return "  object " + name + ": TButton\n    Left = " + std::to_string(l) +
           "\n    Top = " + std::to_string(t) + "\n    Width = " + std::to_string(w) +
           "\n    Height = " + std::to_string(h) + "\n  end\n";
}

} // namespace ToolTest
