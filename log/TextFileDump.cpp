#include "log/TextFileDump.h"

#include <windows.h>

#include <algorithm>

#include "framework/Handles.h"
#include "log/LogFile.h"
#include "log/LogWriter.h"
#include "framework/StringTable.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kChunk = 16 * 1024;

// Printable characters of the ANSI code page, tab and line ends; everything else is binary.
bool isBinary(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 ? byte != '\t' && byte != '\r' && byte != '\n' : byte == 0x7F;
}

}  // namespace

void LogBytesLeftOut(unsigned long long count) {
    LogFormat(fw::LoadedString(count == 1 ? IDS_BINARY_LEFT_OUT_ONE : IDS_BINARY_LEFT_OUT).c_str(), count);
    LogWrite("\r\n\r\n");
}

void LogTextFile(const std::string& fileName) {
    // Only read, so shared with any other program that has the file open, even for writing.
    fw::UniqueFile file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LogOpenTextFile(file.get());
}

void LogOpenTextFile(HANDLE file) {
    if (file == INVALID_HANDLE_VALUE) {
        LogMissingFile();
        return;
    }
    // As many bytes as the file has now, so one that grows while it is copied cannot keep us
    // here; a chunk at a time, on the stack, so none is too large to copy.
    LARGE_INTEGER size{};
    unsigned long long remaining = GetFileSizeEx(file, &size) ? static_cast<unsigned long long>(size.QuadPart) : 0;
    char chunk[kChunk];
    unsigned long long leftOut = 0;
    DWORD read = 0;
    while (remaining > 0 && ReadFile(file, chunk, static_cast<DWORD>(std::min<unsigned long long>(remaining, kChunk)),
                                     &read, nullptr) && read > 0) {
        remaining -= read;
        char* const end = std::remove_if(chunk, chunk + read, isBinary);
        leftOut += static_cast<DWORD>(chunk + read - end);
        LogWrite(std::string_view(chunk, end - chunk));
    }
    if (leftOut == 0) {
        LogWrite("\r\n\r\n");
    } else {
        LogWrite("\r\n");
        LogBytesLeftOut(leftOut);
    }
}
