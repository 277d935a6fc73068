// zkorphan TOKEN: starts a copy of itself that never ends ("zkorphan TOKEN wait") and ends at
// once with exit code 3, as a test does that loses track of a program it started. The token
// lets the caller find the copy among the machine's processes. With more arguments it never
// ends: the end-to-end tests use it as a command interpreter that hangs.
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
    if (argc > 2) Sleep(INFINITE);
    if (argc != 2) return 2;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" " + argv[1] + " wait";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return 2;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return 3;
}
