// What a mapped module imports, read from its import directory without resolving anything.
#pragma once
#include <windows.h>

// True when the module, mapped as an image of this program's processor, imports from the named
// module (case ignored) a function whose decorated name contains `function`. A directory that
// points outside the image counts as importing nothing.
bool ImportsFunction(HMODULE image, const char* fromModule, const char* function);
