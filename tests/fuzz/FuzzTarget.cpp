// libFuzzer entry. libFuzzer hands over a heap copy of exactly the input's size, so the data
// after the selector byte ends where the allocation ends and any read past it is reported.
#include "FuzzedParsers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || data[0] >= kFuzzedParserCount) return 0;
    kFuzzedParsers[data[0]].parse(data + 1, size - 1);
    return 0;
}
