// The one background task of the process: a page job or a thread a test library registered.
#pragma once
#include <windows.h>

bool BackgroundTaskRunning();
void SuspendBackgroundTask();
void ResumeBackgroundTask();
// Asks the task to stop, then waits for it in 5-second slices, asking the user after each
// slice whether to kill it. Returns when no task is registered.
void StopBackgroundTask();
// Tells the user that a page job's thread could not be started.
void ReportTaskStartFailure(DWORD error);
