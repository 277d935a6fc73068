// The session log file and the primitive writers every producer of log text goes through.
// Each write goes straight to the file; the dumps, which write many lines, compose them into
// large pieces first (CLogBuffer).
#include "log/LogFile.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <utility>

#include "framework/StringTable.h"
#include "log/LogLayout.h"
#include "log/LogWriter.h"
#include "resources/resource.h"

CLogFile::CLogFile(std::string path) : m_path(std::move(path)), m_temporary(m_path + ".tmp") {}

CLogFile::~CLogFile() { abandon(); }

bool CLogFile::Create() {
    abandon();
    m_error = 0;
    m_generating = openFile(m_temporary, CREATE_ALWAYS);
    return m_generating;
}

DWORD CLogFile::Write(const char* data, DWORD size) {
    if (m_file == INVALID_HANDLE_VALUE || size == 0) return 0;
    DWORD written = 0;
    if (!WriteFile(m_file, data, size, &written, nullptr)) {
        fail(GetLastError());
        return 0;
    }
    if (written < size) fail(ERROR_DISK_FULL);  // the file system took only part of it
    return written;
}

bool CLogFile::Commit() {
    closeFile();
    if (m_generating) {
        m_generating = false;
        if (m_error == 0) putInPlace();
        if (m_error != 0) DeleteFileA(m_temporary.c_str());
    }
    return m_error == 0;
}

// Windows refuses to replace a read-only file, but not every system that runs the program does:
// the check is ours, so that a log the user protected is never overwritten anywhere.
void CLogFile::putInPlace() {
    const DWORD attributes = GetFileAttributesA(m_path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        fail(ERROR_ACCESS_DENIED);
    else if (!MoveFileExA(m_temporary.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        fail(GetLastError());
}

bool CLogFile::openFile(const std::string& name, DWORD disposition) {
    m_file = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
    if (m_file == INVALID_HANDLE_VALUE) fail(GetLastError());
    return m_file != INVALID_HANDLE_VALUE;
}

// Flushing and closing are checked too: they are where a full disk may show itself first.
void CLogFile::closeFile() {
    if (m_file == INVALID_HANDLE_VALUE) return;
    if (!FlushFileBuffers(m_file)) fail(GetLastError());
    if (!CloseHandle(m_file)) fail(GetLastError());
    m_file = INVALID_HANDLE_VALUE;
}

void CLogFile::abandon() {
    if (m_file != INVALID_HANDLE_VALUE) CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    if (m_generating) DeleteFileA(m_temporary.c_str());
    m_generating = false;
}

void CLogFile::fail(DWORD error) {
    if (m_error == 0) m_error = error != 0 ? error : ERROR_GEN_FAILURE;
}

namespace {

CLogFile& theLog() {
    static CLogFile log(LogFileName());
    return log;
}

}  // namespace

const char* LogFileName() {
    static char name[MAX_PATH];
    if (!name[0]) LoadStringA(GetModuleHandleA(nullptr), IDS_LOG_FILE_NAME, name, sizeof name);
    return name;
}

bool CreateLogFile() { return theLog().Create(); }

bool CommitLogFile() { return theLog().Commit(); }

DWORD LogFileError() { return theLog().error(); }

HANDLE LogFileHandle() { return theLog().handle(); }

void MarkLogIncomplete(const char* reason) {
    LogWrite("\r\n");
    LogFormat(fw::LoadedString(IDS_LOG_INCOMPLETE).c_str(), reason ? reason : "");
    LogWrite("\r\n\r\n");
}

CLogBuffer::CLogBuffer() { m_text.reserve(kPieceSize + 4096); }

void CLogBuffer::write() {
    if (!m_text.empty()) theLog().Write(m_text.data(), static_cast<DWORD>(m_text.size()));
    m_text.clear();
}

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
        LogFormat(fw::LoadedString(line.label).c_str(), line.value.c_str());
        LogWrite(line.end);
    }
}

void LogMissingFile() { LogWrite(fw::LoadedString(IDS_FILE_MISSING) + "\r\n\r\n"); }

DWORD LogWrite(std::string_view text) { return theLog().Write(text.data(), static_cast<DWORD>(text.size())); }
