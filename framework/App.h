// The application object: one per process, runs start-up, the optional message loop and exit.
#pragma once
#include <windows.h>

namespace fw {

class CApp {
public:
    CApp();
    virtual ~CApp();
    CApp(const CApp&) = delete;
    CApp& operator=(const CApp&) = delete;

    static CApp* Instance() { return s_instance; }

    HINSTANCE instance() const { return m_instance; }

    // Start-up; a false result skips the message loop. Exit's result is the process exit code.
    virtual bool InitInstance() = 0;
    virtual int ExitInstance() { return 0; }
    int Run(HINSTANCE instance);

private:
    static CApp* s_instance;
    HINSTANCE m_instance = nullptr;
};

}  // namespace fw
