#include "framework/App.h"

#include "framework/Trace.h"

namespace fw {

int CApp::Run() {
    // Nothing may unwind out of the process's entry point; exit runs whatever start-up did.
    bool startupFailed = false;
    try {
        InitInstance();
    } catch (...) {
        TraceCaughtException("CApp::Run, start-up");
        startupFailed = true;
        try {
            ReportStartupFailure(DescribeCaughtException());
        } catch (...) {
            TraceCaughtException("CApp::Run, reporting a failed start-up");
        }
    }
    int exitCode = 0;
    try {
        exitCode = ExitInstance();
    } catch (...) {
        TraceCaughtException("CApp::Run, exit");
    }
    return startupFailed ? kStartupFailedExitCode : exitCode;
}

}  // namespace fw
