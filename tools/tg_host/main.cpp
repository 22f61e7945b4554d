// tg_host: the simulated player in a real window, with the plug-in DLL loaded
// into it. Usable by hand (menus, clicks) and by scripts (--script).
#include "host_app.h"
#include "host_options.h"
#include "script_runner.h"

#include <cstdio>
#include <fstream>
#include <sstream>

using namespace tg::testplayer;

namespace {

std::string programFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length < sizeof path ? length : 0);
    const std::size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

struct ScriptJob {
    std::vector<ScriptLine> lines;
    HostControl host;
    HostApp* app = nullptr;
    bool passed = false;
};

// Waits for a thread while still taking the messages it sends to the player,
// so a script that is mid-step when the window closes cannot hang.
void waitPumping(HANDLE thread) {
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
}

DWORD WINAPI runScriptJob(void* data) {
    auto* job = static_cast<ScriptJob*>(data);
    job->passed = runScript(job->lines, job->host, *job->app, stdout);
    job->host.cancelMenus();
    PostMessageA(job->host.window(), WM_CLOSE, 0, 0);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    HostOptions options = defaultHostOptions(programFolder());
    const std::string error =
        parseHostOptions(std::vector<std::string>(argv + 1, argv + argc), options);
    if (!error.empty()) {
        std::fprintf(stderr, "tg_host: %s\n%s", error.c_str(), kHostUsage);
        return 2;
    }
    ScriptJob job;
    if (!options.script.empty()) {
        std::ifstream in(options.script, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "tg_host: cannot read the script %s\n", options.script.c_str());
            return 2;
        }
        std::ostringstream text;
        text << in.rdbuf();
        job.lines = parseScript(text.str());
    }

    HostApp app;
    if (const std::string startError = app.start(options); !startError.empty()) {
        std::fprintf(stderr, "tg_host: %s\n", startError.c_str());
        return 2;
    }
    std::printf("tg_host: %s loaded, init answered %d\n", options.dll.c_str(), app.initResult());

    HANDLE scriptThread = nullptr;
    if (!options.script.empty()) {
        job.host = HostControl(app.window());
        job.app = &app;
        scriptThread = CreateThread(nullptr, 0, runScriptJob, &job, 0, nullptr);
    }
    HostApp::runMessageLoop();
    if (scriptThread) {
        waitPumping(scriptThread);
        CloseHandle(scriptThread);
    }
    app.stop();
    if (options.script.empty()) return 0;
    std::printf("tg_host: script %s\n", job.passed ? "passed" : "failed");
    return job.passed ? 0 : 1;
}
