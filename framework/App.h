// The application object: one per process, runs start-up and exit. There is no message loop
// of its own: start-up runs the whole session (a modal wizard has its own loop).
#pragma once

namespace fw {

class CApp {
public:
    CApp() = default;
    virtual ~CApp() = default;
    CApp(const CApp&) = delete;
    CApp& operator=(const CApp&) = delete;

    // Start-up and the session. Exit's result is the process exit code.
    virtual void InitInstance() = 0;
    virtual int ExitInstance() { return 0; }
    int Run();
};

}  // namespace fw
