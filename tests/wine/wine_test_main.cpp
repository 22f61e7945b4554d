// Entry point of every Wine test program: runs the tests named on the command line, or all.
#include "wine_test.h"

#include <windows.h>

#include <cstdio>

namespace {

// A crash inside a test must still end in a failure line, not a silent exit.
LONG WINAPI reportCrash(EXCEPTION_POINTERS* info) {
    tg::winetest::RunState& state = tg::winetest::runState();
    std::printf("[ FAIL ] %s: crashed with exception 0x%08lx at %p\n",
                state.currentTest ? state.currentTest : "(outside a test)",
                static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                info->ExceptionRecord->ExceptionAddress);
    ++state.failed;
    tg::winetest::printSummary();
    std::fflush(stdout);
    ExitProcess(3);
}

} // namespace

int main(int argc, char** argv) {
    SetUnhandledExceptionFilter(reportCrash);
    // No "abort, retry, ignore" boxes: a failing test must never wait for a click.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    std::vector<std::string> names(argv + 1, argv + argc);
    return tg::winetest::runTests(names);
}
