// Host functions for the log: adapters over the program's own writers.
#include <windows.h>

#include <cstdarg>
#include <string>

#include "log/IniDump.h"
#include "log/LogWriter.h"
#include "zelkor.h"

namespace {

std::string titleOrNull(LPCSTR title) { return title ? title : "(null)"; }

}  // namespace

DWORD WINAPI ZKLogWrite(LPCSTR text) { return text ? LogWrite(text) : 0; }

DWORD __cdecl ZKLogFormat(LPCSTR format, ...) {
    if (!format) return 0;
    va_list arguments;
    va_start(arguments, format);
    const DWORD written = LogFormatList(format, arguments);
    va_end(arguments);
    return written;
}

void WINAPI ZKLogSection(LPCSTR title) { LogSection(titleOrNull(title)); }

void WINAPI ZKLogSectionId(UINT id, HMODULE module) { LogSection(ZKLoadString(id, module)); }

void WINAPI ZKLogSubsection(LPCSTR title) { LogSubsection(titleOrNull(title)); }

void WINAPI ZKLogSubsectionId(UINT id, HMODULE module) { LogSubsection(ZKLoadString(id, module)); }

void WINAPI ZKLogAscii(LPCSTR fileName) {
    if (fileName) LogTextFile(fileName);
    else LogOpenTextFile(INVALID_HANDLE_VALUE);
}

void WINAPI ZKLogAscii(HANDLE file) { LogOpenTextFile(file); }

void WINAPI ZKLogRegistry(HKEY root, LPCSTR subkey) { LogRegistry(root, subkey ? subkey : ""); }

HGLOBAL WINAPI ZKLoadIniFile(LPCSTR fileName) { return LoadIniFile(fileName); }

void WINAPI ZKLogIniSection(HGLOBAL loadedFile, LPCSTR section) { LogIniSection(loadedFile, section); }
