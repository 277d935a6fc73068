// Process-wide session state: the two flags behind ZKAutoRun and ZKShouldTerminate, and the
// platform's major version, which selects the compatibility paths for Windows before 4.
#pragma once
#include <atomic>

// 1 while an unattended (Full or Typical) session runs; set by the Welcome page.
extern std::atomic<int> AutoRunFlag;
// Set once the user asks to stop a background task; never cleared.
extern std::atomic<int> TerminateFlag;

unsigned WindowsMajorVersion();
