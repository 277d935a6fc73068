// The session log file and the primitive writers every producer of log text goes through.
// There is no buffer of our own: each write goes straight to the file.
#include "log/LogFile.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "framework/Handles.h"
#include "resources/resource.h"
#include "zelkor.h"

namespace {

HANDLE g_log = INVALID_HANDLE_VALUE;

bool openLog(DWORD disposition) {
    CloseLogFile();
    g_log = CreateFileA(LogFileName(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
    return g_log != INVALID_HANDLE_VALUE;
}

}  // namespace

const char* LogFileName() {
    static char name[MAX_PATH];
    if (!name[0]) LoadStringA(GetModuleHandleA(nullptr), IDS_LOG_FILE_NAME, name, sizeof name);
    return name;
}

bool CreateLogFile() { return openLog(CREATE_ALWAYS); }

bool OpenLogFile(bool append) {
    if (!openLog(OPEN_EXISTING)) return false;
    if (append) SetFilePointer(g_log, 0, nullptr, FILE_END);
    return true;
}

void CloseLogFile() {
    if (g_log == INVALID_HANDLE_VALUE) return;
    FlushFileBuffers(g_log);
    CloseHandle(g_log);
    g_log = INVALID_HANDLE_VALUE;
}

HANDLE LogFileHandle() { return g_log; }

void WriteLogHeader(const std::string& name, const std::string& company, const std::string& phone,
                    const std::string& fax) {
    const struct {
        UINT label;
        const std::string& value;
        const char* end;
    } lines[] = {{IDS_HEADER_NAME, name, "\r\n"},
                 {IDS_HEADER_COMPANY, company, "\r\n"},
                 {IDS_HEADER_PHONE, phone, "\r\n"},
                 {IDS_HEADER_FAX, fax, "\r\n\r\n"}};
    for (const auto& line : lines) {
        ZKLogFormat(ZKLoadString(line.label, nullptr), line.value.c_str());
        ZKLogWrite(line.end);
    }
}

void LogMissingFile() { ZKLogFormat("%s\r\n\r\n", ZKLoadString(IDS_FILE_MISSING, nullptr)); }

DWORD WINAPI ZKLogWrite(LPCSTR text) {
    if (g_log == INVALID_HANDLE_VALUE || !text) return 0;
    const size_t length = strlen(text);
    DWORD written = 0;
    if (length == 0 || !WriteFile(g_log, text, static_cast<DWORD>(length), &written, nullptr)) return 0;
    return written;
}

DWORD __cdecl ZKLogFormat(LPCSTR format, ...) {
    char buffer[1024];
    va_list arguments;
    va_start(arguments, format);
    // Longer output is cut at the buffer's end: vsnprintf never writes past it.
    const int length = vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    return length < 0 ? 0 : ZKLogWrite(buffer);
}

void WINAPI ZKLogSection(LPCSTR title) {
    const std::string stars(60, '*');
    ZKLogFormat("%hs\r\n%hc %s\r\n%hs\r\n\r\n", stars.c_str(), '*', title, stars.c_str());
}

void WINAPI ZKLogSectionId(UINT id, HMODULE module) { ZKLogSection(ZKLoadString(id, module)); }

void WINAPI ZKLogSubsection(LPCSTR title) {
    const std::string equals(50, '=');
    ZKLogFormat("%s\r\n%hs\r\n\r\n", title, equals.c_str());
}

void WINAPI ZKLogSubsectionId(UINT id, HMODULE module) { ZKLogSubsection(ZKLoadString(id, module)); }
