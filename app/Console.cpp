#include "app/Console.h"

namespace {
// The handle to write to: the one the program was started with (a pipe, a file, a terminal),
// or the parent's console, attached once.
HANDLE OutputHandle(DWORD standardHandle) {
    HANDLE given = GetStdHandle(standardHandle);
    if (given && given != INVALID_HANDLE_VALUE) return given;
    static HANDLE console = [] {
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) return INVALID_HANDLE_VALUE;
        return CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    }();
    return console;
}
}  // namespace

bool WriteToConsole(DWORD standardHandle, const std::string& text) {
    HANDLE output = OutputHandle(standardHandle);
    if (output == INVALID_HANDLE_VALUE) return false;
    const std::string line = text + "\r\n";
    DWORD written = 0;
    return WriteFile(output, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) && written == line.size();
}
