// The application object: one per process, runs start-up and exit. There is no message loop
// of its own: start-up runs the whole session (a modal wizard has its own loop).
#pragma once

#include <string>

namespace fw {

class CApp {
public:
    CApp() = default;
    virtual ~CApp() = default;
    CApp(const CApp&) = delete;
    CApp& operator=(const CApp&) = delete;

    // What a process whose start-up threw ends with; exit still runs.
    static constexpr int kStartupFailedExitCode = 2;

    // Start-up and the session. Exit's result is the process exit code, unless start-up threw.
    virtual void InitInstance() = 0;
    virtual int ExitInstance() { return 0; }
    // Tells the user that start-up ended with an exception, described as "TYPE (WHAT)".
    virtual void ReportStartupFailure(const std::string& description) = 0;
    int Run();
};

}  // namespace fw
