#include "tools/zkcheck/ImageHeader.h"

#include <cstdio>

#include "framework/ResourceReader.h"

namespace {

constexpr uint16_t kDosMagic = 0x5A4D;           // "MZ"
constexpr uint32_t kNtSignature = 0x00004550;    // "PE\0\0"
constexpr uint32_t kNtOffsetField = 0x3C;        // e_lfanew in the DOS header
constexpr uint32_t kFileHeaderBeforeFlags = 16;  // section count .. optional header size
constexpr uint16_t kDllFlag = 0x2000;            // IMAGE_FILE_DLL

}  // namespace

bool ReadImageHeader(const uint8_t* data, size_t size, ImageHeader& header) {
    fw::ResourceReader dos(data, size);
    uint16_t magic = 0;
    const uint8_t* skipped = nullptr;
    uint32_t ntOffset = 0;
    if (!dos.readWord(magic) || magic != kDosMagic || !dos.readBytes(kNtOffsetField - 2, skipped) ||
        !dos.readDword(ntOffset) || ntOffset >= size)
        return false;
    fw::ResourceReader nt(data + ntOffset, size - ntOffset);
    uint32_t signature = 0;
    uint16_t flags = 0;
    if (!nt.readDword(signature) || signature != kNtSignature || !nt.readWord(header.machine) ||
        !nt.readBytes(kFileHeaderBeforeFlags, skipped) || !nt.readWord(flags))
        return false;
    header.dll = (flags & kDllFlag) != 0;
    return true;
}

std::string MachineName(uint16_t machine) {
    switch (machine) {
    case 0x014C:
        return "32-bit (x86)";
    case 0x8664:
        return "64-bit (x64)";
    default:
        char name[32];
        std::snprintf(name, sizeof name, "machine 0x%04X", machine);
        return name;
    }
}
