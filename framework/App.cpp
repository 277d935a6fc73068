#include "framework/App.h"

#include "framework/Trace.h"

namespace fw {

int CApp::Run() {
    // Nothing may unwind out of the process's entry point; exit runs whatever start-up did.
    try {
        InitInstance();
    } catch (...) {
        TraceCaughtException("CApp::Run, start-up");
    }
    try {
        return ExitInstance();
    } catch (...) {
        TraceCaughtException("CApp::Run, exit");
        return 0;
    }
}

}  // namespace fw
