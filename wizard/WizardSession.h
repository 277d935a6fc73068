// What one session shares between the application, which owns it, the wizard and its pages, and
// the test libraries (through ZKAutoRun and ZKShouldTerminate).
#pragma once
#include <atomic>

struct WizardSession {
    // True while an unattended (Full or Typical) session runs; set by the Welcome page.
    std::atomic<bool> autoRun{false};
    // Set once the user asks the running task to stop; never cleared.
    std::atomic<bool> terminate{false};
};
