// A small harness for the Windows test programs run under Wine.
//
// WINE_TEST(name) { ... } registers a test. CHECK* records a failure and goes
// on; REQUIRE* ends the test at once. The program runs every test (or the ones
// named on its command line), prints "N passed, N failed" and exits 1 when a
// test failed or none ran.
#pragma once

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <type_traits>
#include <vector>

namespace tg::winetest {

using TestFunction = void (*)();

struct TestCase {
    const char* name;
    TestFunction run;
};

inline std::vector<TestCase>& registry() {
    static std::vector<TestCase> tests;
    return tests;
}

// Progress of the run, kept where a crash handler can still report it.
struct RunState {
    int passed = 0;
    int failed = 0;
    int failuresInTest = 0; // of the running test
    const char* currentTest = nullptr;
};

inline RunState& runState() {
    static RunState state;
    return state;
}

struct Registrar {
    Registrar(const char* name, TestFunction run) { registry().push_back({name, run}); }
};

// Thrown by REQUIRE to leave the test; the runner counts the failure already recorded.
struct TestAborted {};

inline void fail(const char* file, int line, const std::string& what) {
    std::printf("  %s:%d: %s\n", file, line, what.c_str());
    std::fflush(stdout);
    ++runState().failuresInTest;
}

template <typename T> std::string describe(const T& value) {
    if constexpr (std::is_same_v<T, bool>) {
        return value ? "true" : "false";
    } else if constexpr (std::is_enum_v<T>) {
        return std::to_string(static_cast<long long>(value));
    } else if constexpr (std::is_integral_v<T>) {
        return std::to_string(value);
    } else if constexpr (std::is_pointer_v<T> || std::is_null_pointer_v<T>) {
        char text[32];
        std::snprintf(text, sizeof text, "%p", static_cast<const volatile void*>(value));
        return text;
    } else {
        return "(value)";
    }
}

inline std::string quoted(const char* text) {
    if (!text) return "null";
    std::string result(1, '"');
    result.append(text).push_back('"');
    return result;
}

template <typename A, typename B>
bool checkEqual(const A& actual, const B& expected, const char* actualText,
                const char* expectedText, const char* file, int line) {
    if (actual == expected) return true;
    fail(file, line,
         std::string(actualText) + " == " + expectedText + " failed: " + describe(actual) + " vs " +
             describe(expected));
    return false;
}

inline bool checkTextEqual(const char* actual, const char* expected, const char* actualText,
                           const char* file, int line) {
    if (actual && expected && std::strcmp(actual, expected) == 0) return true;
    fail(file, line,
         std::string(actualText) + " is " + quoted(actual) + ", expected " + quoted(expected));
    return false;
}

inline void printSummary() {
    std::printf("%d passed, %d failed\n", runState().passed, runState().failed);
}

// Runs the named tests, or all when names is empty; returns the exit code.
inline int runTests(const std::vector<std::string>& names) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    RunState& state = runState();
    for (const std::string& name : names) {
        bool known = false;
        for (const TestCase& test : registry()) known = known || name == test.name;
        if (!known) {
            std::printf("[ FAIL ] %s: no such test\n", name.c_str());
            ++state.failed;
        }
    }
    for (const TestCase& test : registry()) {
        bool selected = names.empty();
        for (const std::string& name : names) selected = selected || name == test.name;
        if (!selected) continue;
        std::printf("[ RUN  ] %s\n", test.name);
        state.currentTest = test.name;
        state.failuresInTest = 0;
        try {
            test.run();
        } catch (const TestAborted&) {
        } catch (const std::exception& error) {
            fail(__FILE__, __LINE__, std::string("unexpected exception: ") + error.what());
        } catch (...) {
            fail(__FILE__, __LINE__, "unexpected exception");
        }
        const bool ok = state.failuresInTest == 0;
        std::printf("[ %s ] %s\n", ok ? " OK " : "FAIL", test.name);
        (ok ? state.passed : state.failed) += 1;
        state.currentTest = nullptr;
    }
    printSummary();
    return state.failed == 0 && state.passed > 0 ? 0 : 1;
}

} // namespace tg::winetest

#define WINE_TEST(name)                                                                            \
    static void name();                                                                            \
    static const ::tg::winetest::Registrar name##Registrar(#name, name);                           \
    static void name()

#define CHECK(condition)                                                                           \
    ((condition) ? true                                                                            \
                 : (::tg::winetest::fail(__FILE__, __LINE__, "CHECK(" #condition ")"), false))

#define CHECK_EQ(actual, expected)                                                                 \
    ::tg::winetest::checkEqual((actual), (expected), #actual, #expected, __FILE__, __LINE__)

#define CHECK_TEXT(actual, expected)                                                               \
    ::tg::winetest::checkTextEqual((actual), (expected), #actual, __FILE__, __LINE__)

#define REQUIRE(condition)                                                                         \
    do {                                                                                           \
        if (!CHECK(condition)) throw ::tg::winetest::TestAborted{};                                \
    } while (false)

#define REQUIRE_EQ(actual, expected)                                                               \
    do {                                                                                           \
        if (!CHECK_EQ(actual, expected)) throw ::tg::winetest::TestAborted{};                      \
    } while (false)
