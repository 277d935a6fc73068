// The few facts zkcheck needs from a module's file header before Windows is asked to load it:
// is it a Windows module at all, a DLL, and for which processor.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

struct ImageHeader {
    uint16_t machine = 0;  // IMAGE_FILE_MACHINE_*
    bool dll = false;
};

// False when the data does not start with an executable's DOS stub and PE signature.
bool ReadImageHeader(const uint8_t* data, size_t size, ImageHeader& header);

// "32-bit (x86)", "64-bit (x64)", or the machine number for others.
std::string MachineName(uint16_t machine);
