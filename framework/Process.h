// Starting another program.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Handles.h"

namespace fw {

// Starts a command line (a 16-bit program in a machine of its own), with the start-up
// information given or the default one; environment and directory null for the program's own.
// The process's handle, or none (last error set).
UniqueKernelHandle StartProcess(std::string commandLine, STARTUPINFOA* startup = nullptr,
                                void* environment = nullptr, const char* directory = nullptr);

}  // namespace fw
