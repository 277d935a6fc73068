// Turns compiled resource files (.res, as windres writes them) into fuzz seeds: for every
// resource of a fuzzed type, one file holding the parser's selector byte and the resource's
// exact data. Usage: make_seeds OUTPUT_DIR FILE.res...
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzedParsers.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A little-endian number of `size` bytes.
uint32_t Read(const Bytes& bytes, size_t at, size_t size = 2) {
    uint32_t value = 0;
    while (size-- > 0) value = value << 8 | bytes[at + size];
    return value;
}

// A type or name field of a resource header: 0xFFFF and a number, or a UTF-16 text (ASCII here).
std::string ReadNameOrId(const Bytes& bytes, size_t& at, size_t end) {
    if (at + 4 <= end && Read(bytes, at) == 0xFFFF) {
        at += 4;
        return std::to_string(Read(bytes, at - 2));
    }
    std::string text;
    for (; at + 2 <= end && Read(bytes, at) != 0; at += 2) text += static_cast<char>(bytes[at]);
    at += 2;
    return text;
}

// Returns the number of seeds written, or -1 when the file is not a valid .res file.
// Seeds are named after the .res file, the type and the resource id.
int WriteSeeds(const std::string& resFile, const std::string& outputDir) {
    std::string stem = resFile.substr(resFile.find_last_of('/') + 1);
    stem = stem.substr(0, stem.rfind(".res"));
    std::ifstream in(resFile, std::ios::binary);
    const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int written = 0;
    for (size_t at = 0; at + 8 <= bytes.size();) {
        const uint32_t dataSize = Read(bytes, at, 4);
        const uint32_t headerSize = Read(bytes, at + 4, 4);
        const size_t dataStart = at + headerSize;
        if (headerSize < 8 || dataStart + dataSize > bytes.size()) return -1;
        size_t field = at + 8;
        const std::string type = ReadNameOrId(bytes, field, dataStart);
        const std::string name = ReadNameOrId(bytes, field, dataStart);
        for (size_t selector = 0; selector < kFuzzedParserCount; ++selector) {
            if (type != kFuzzedParsers[selector].resourceType) continue;
            std::ofstream out(outputDir + "/" + stem + "-" + type + "-" + name, std::ios::binary);
            out.put(static_cast<char>(selector));
            out.write(reinterpret_cast<const char*>(bytes.data() + dataStart), dataSize);
            ++written;
        }
        at = (dataStart + dataSize + 3) & ~static_cast<size_t>(3);
    }
    return written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_seeds OUTPUT_DIR FILE.res...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const int written = WriteSeeds(argv[i], argv[1]);
        if (written < 0) {
            std::fprintf(stderr, "make_seeds: %s is not a resource file\n", argv[i]);
            return 1;
        }
        std::printf("%s: %d seeds\n", argv[i], written);
    }
    return 0;
}
