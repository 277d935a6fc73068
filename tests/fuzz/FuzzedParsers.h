// The resource parsers under fuzzing. The first byte of a fuzz input picks the parser at that
// index of kFuzzedParsers; the rest of the input is the resource's data. The seed maker uses the
// resource type names to turn compiled resources into seeds with the right first byte.
// To fuzz another format, append its parser to kFuzzedParsers (FuzzedParsers.cpp) and its
// sources to FUZZED_SOURCES (CMakeLists.txt): existing seeds keep their meaning.
#pragma once
#include <cstddef>
#include <cstdint>

struct FuzzedParser {
    const char* resourceType;  // as named in the .rc files
    void (*parse)(const uint8_t* data, size_t size);
};

extern const FuzzedParser kFuzzedParsers[];
extern const size_t kFuzzedParserCount;
