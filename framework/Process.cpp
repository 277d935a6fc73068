#include "framework/Process.h"

namespace fw {

UniqueKernelHandle StartProcess(std::string commandLine, STARTUPINFOA* startup, void* environment,
                                const char* directory) {
    STARTUPINFOA defaultStartup{};
    defaultStartup.cb = sizeof defaultStartup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_SEPARATE_WOW_VDM, environment,
                        directory, startup ? startup : &defaultStartup, &process))
        return UniqueKernelHandle();
    CloseHandle(process.hThread);
    return UniqueKernelHandle(process.hProcess);
}

}  // namespace fw
