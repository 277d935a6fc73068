#include "app/Session.h"

#include <windows.h>

std::atomic<int> AutoRunFlag{0};
std::atomic<int> TerminateFlag{0};

unsigned WindowsMajorVersion() {
    static const unsigned major = LOBYTE(LOWORD(GetVersion()));
    return major;
}
