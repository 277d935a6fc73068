#include "log/TextFileDump.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <string>

#include "framework/Handles.h"
#include "log/LogFile.h"
#include "log/LogWriter.h"
#include "log/TextFileFilter.h"
#include "framework/StringTable.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kChunk = 16 * 1024;

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

void LogOpenTextFile(HANDLE file) { LogFilteredTextFile(file, SecretNames()); }

void LogFilteredTextFile(HANDLE file, const CSecretNames& names) {
    if (file == INVALID_HANDLE_VALUE) {
        LogMissingFile();
        return;
    }
    // As many bytes as the file has now, so one that grows while it is copied cannot keep us
    // here; a chunk at a time, so none is too large to copy.
    LARGE_INTEGER size{};
    unsigned long long remaining = GetFileSizeEx(file, &size) ? static_cast<unsigned long long>(size.QuadPart) : 0;
    char chunk[kChunk];
    unsigned long long leftOut = 0;
    try {
        CTextFileFilter filter(names);
        CLogBuffer log;
        DWORD read = 0;
        while (remaining > 0 && ReadFile(file, chunk, static_cast<DWORD>(std::min<unsigned long long>(remaining, kChunk)),
                                         &read, nullptr) && read > 0) {
            remaining -= read;
            filter.Filter(std::string_view(chunk, read), log.text());
            log.WriteWhenFull();
        }
        filter.Finish(log.text());
        leftOut = filter.LeftOut();
    } catch (const std::bad_alloc&) {
        // The log keeps the text copied so far.
    }
    if (leftOut == 0) {
        LogWrite("\r\n\r\n");
    } else {
        LogWrite("\r\n");
        LogBytesLeftOut(leftOut);
    }
}
