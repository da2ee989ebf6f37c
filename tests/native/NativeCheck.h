// A small self-contained test harness for the Windows builds, which have no
// GoogleTest. Cases register themselves; the runner prints each result and the
// measured values, ends with "N passed, N failed" and returns nonzero on failure.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace NativeCheck {

struct TCase {
    const char* Name;
    void (*Body)();
};

inline std::vector<TCase>& Cases() {
    static std::vector<TCase> cases;
    return cases;
}

inline int& CurrentFailures() {
    static int failures = 0;
    return failures;
}

// Cases run in registration order, which across files is the linker's; a case
// that must see the process untouched registers as first.
struct TRegistrar {
    TRegistrar(const char* name, void (*body)(), bool first = false) {
        if (first)
            Cases().insert(Cases().begin(), {name, body});
        else
            Cases().push_back({name, body});
    }
};

inline void Fail(const char* file, int line, const std::string& what) {
    ++CurrentFailures();
    std::printf("%s:%d: failure: %s\n", file, line, what.c_str());
}

template <class T> std::string Show(const T& value) {
    std::ostringstream out;
    if constexpr (std::is_pointer_v<T>)
        out << static_cast<const void*>(value);
    else if constexpr (sizeof(T) == 1 && std::is_integral_v<T>)
        out << static_cast<int>(value);
    else
        out << value;
    return out.str();
}

// A measured value, printed for comparison with the simulated desktop.
template <class T> void Note(const std::string& name, const T& value) {
    std::printf("    %s = %s\n", name.c_str(), Show(value).c_str());
}

// QUORVEL_NATIVE_FILTER, when set, runs only the cases whose names contain it.
inline int RunAll() {
    int passed = 0;
    int failed = 0;
    const char* filter = std::getenv("QUORVEL_NATIVE_FILTER");
    for (const TCase& c : Cases()) {
        if (filter != nullptr && *filter != 0 &&
            std::string(c.Name).find(filter) == std::string::npos)
            continue;
        std::printf("[ RUN  ] %s\n", c.Name);
        std::fflush(stdout);
        CurrentFailures() = 0;
        c.Body();
        if (CurrentFailures() == 0) {
            ++passed;
            std::printf("[   OK ] %s\n", c.Name);
        } else {
            ++failed;
            std::printf("[ FAIL ] %s\n", c.Name);
        }
        std::fflush(stdout);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}

} // namespace NativeCheck

#define NATIVE_TEST(name)                                                                          \
    static void name();                                                                            \
    static const NativeCheck::TRegistrar name##Registrar(#name, name);                             \
    static void name()

#define NATIVE_TEST_FIRST(name)                                                                    \
    static void name();                                                                            \
    static const NativeCheck::TRegistrar name##Registrar(#name, name, true);                       \
    static void name()

#define CHECK(condition)                                                                           \
    do {                                                                                           \
        if (!(condition))                                                                          \
            NativeCheck::Fail(__FILE__, __LINE__, "CHECK(" #condition ")");                        \
    } while (false)

#define CHECK_EQ(actual, expected)                                                                 \
    do {                                                                                           \
        const auto& qvActual = (actual);                                                           \
        const auto& qvExpected = (expected);                                                       \
        if (!(qvActual == qvExpected))                                                             \
            NativeCheck::Fail(                                                                     \
                __FILE__, __LINE__,                                                                \
                "CHECK_EQ(" #actual ", " #expected "): " + NativeCheck::Show(qvActual) +           \
                    " != " + NativeCheck::Show(qvExpected));                                       \
    } while (false)
