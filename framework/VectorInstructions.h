// Whether the processor has SSE2. Every x86-64 processor has; the 32-bit program is built for
// processors that may not, so it asks the system before taking a vector path.
#pragma once
#include <windows.h>

namespace fw {

inline bool HasVectorInstructions() {
#if defined(__x86_64__)
    return true;
#else
    return IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) != FALSE;
#endif
}

}  // namespace fw
