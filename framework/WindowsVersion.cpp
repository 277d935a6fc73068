#include "framework/WindowsVersion.h"

#include <windows.h>

unsigned WindowsMajorVersion() {
    static const unsigned major = LOBYTE(LOWORD(GetVersion()));
    return major;
}
