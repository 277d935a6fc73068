// Test helpers around the real session log, "C:\Zelkor.log" of the test prefix.
#pragma once
#include <windows.h>

#include <string>

#include "log/LogFile.h"

// The whole content of a file, or "<missing>" when it cannot be opened.
inline std::string ReadWholeFile(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!text.empty()) ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    return text;
}

inline void WriteWholeFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// A fresh log for one test; text() closes it and returns what was written.
class LogCapture {
public:
    LogCapture() { CreateLogFile(); }
    ~LogCapture() { CloseLogFile(); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::string text() {
        CloseLogFile();
        return ReadWholeFile(LogFileName());
    }
};
