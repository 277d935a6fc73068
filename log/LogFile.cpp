// The session log file and the primitive writers every producer of log text goes through.
// Each write goes straight to the file; the dumps, which write many lines, compose them into
// large pieces first (CLogBuffer).
#include "log/LogFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/AnsiText.h"
#include "framework/ErrorText.h"
#include "framework/FileReplace.h"
#include "framework/StringTable.h"
#include "log/LogWriter.h"
#include "resources/resource.h"

namespace {

// The full path in the form that lifts MAX_PATH ("\\?\C:\..." or "\\?\UNC\server\...").
std::wstring LongPathForm(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    if (size == 0 || GetFullPathNameW(path.c_str(), size, &full[0], nullptr) >= size) return path;
    full.resize(wcslen(full.c_str()));
    if (full.compare(0, 4, L"\\\\?\\") == 0) return full;
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

}  // namespace

CLogFile::CLogFile(std::wstring path)
    : m_path(LongPathForm(path)), m_temporary(m_path + L".tmp") {}

CLogFile::CLogFile(const std::string& path) : CLogFile(fw::Widened(path)) {}

CLogFile::~CLogFile() { abandon(); }

bool CLogFile::Create() {
    abandon();
    m_error = 0;
    m_incomplete.clear();
    m_size = m_front = 0;
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
    m_size += written;
    return written;
}

// Moves the tail back by the text's length, block by block from the end so that no block is
// overwritten before it is read, then writes the text into the gap. Costs one read and one
// write of everything after the mark.
void CLogFile::InsertAtFront(std::string_view text) {
    if (m_file == INVALID_HANDLE_VALUE || text.empty() || m_error != 0) return;
    constexpr ULONGLONG kBlock = 1024 * 1024;
    const ULONGLONG size = m_size;
    std::vector<char> block(static_cast<size_t>(std::min(kBlock, size - m_front)));
    for (ULONGLONG end = size; end > m_front && m_error == 0;) {
        const DWORD length = static_cast<DWORD>(std::min(kBlock, end - m_front));
        end -= length;
        DWORD read = 0;
        if (!seek(end) || !ReadFile(m_file, block.data(), length, &read, nullptr))
            fail(GetLastError());
        else if (read < length)
            fail(ERROR_HANDLE_EOF);
        else if (seek(end + text.size()))
            Write(block.data(), length);
    }
    if (m_error == 0 && seek(m_front)) Write(text.data(), static_cast<DWORD>(text.size()));
    m_size = size + text.size();
    m_front += text.size();
    seek(m_size);
}

bool CLogFile::seek(ULONGLONG at) {
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(at);
    if (SetFilePointerEx(m_file, position, nullptr, FILE_BEGIN)) return true;
    fail(GetLastError());
    return false;
}

bool CLogFile::Commit() {
    closeFile();
    if (m_generating) {
        m_generating = false;
        if (m_error == 0) putInPlace();
        if (m_error != 0) DeleteFileW(m_temporary.c_str());
    }
    return m_error == 0;
}

// A log the user protected (read-only) is never overwritten.
void CLogFile::putInPlace() {
    if (!fw::PutFileInPlace(m_temporary, m_path)) fail(GetLastError());
}

bool CLogFile::openFile(const std::wstring& name, DWORD disposition) {
    m_file = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
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
    if (m_generating) DeleteFileW(m_temporary.c_str());
    m_generating = false;
}

void CLogFile::NoteIncomplete(const char* reason) {
    if (m_file != INVALID_HANDLE_VALUE && m_incomplete.empty()) m_incomplete = reason;
}

void CLogFile::fail(DWORD error) {
    if (m_error == 0) m_error = error != 0 ? error : ERROR_GEN_FAILURE;
}

namespace {

std::wstring& logPath() {
    static std::wstring path = fw::Widened(fw::LoadedString(IDS_LOG_FILE_NAME));
    return path;
}

CLogFile& theLog() {
    static CLogFile log(logPath());
    return log;
}

}  // namespace

void SetLogFilePath(const std::wstring& path) { logPath() = path; }

const char* LogFileName() {
    static std::string name;
    if (name.empty()) name = fw::Narrowed(logPath());
    return name.c_str();
}

bool CreateLogFile() { return theLog().Create(); }

bool CommitLogFile() { return theLog().Commit(); }

void InsertAtLogFront(std::string_view text) { theLog().InsertAtFront(text); }

DWORD LogFileError() { return theLog().error(); }

HANDLE LogFileHandle() { return theLog().handle(); }

void MarkLogIncomplete(const char* reason) {
    LogWrite("\r\n");
    LogFormat(fw::LoadedString(IDS_LOG_INCOMPLETE).c_str(), reason ? reason : "");
    LogWrite("\r\n\r\n");
    theLog().NoteIncomplete(reason ? reason : "");
}

std::string LogIncompleteReason() { return theLog().incompleteReason(); }

std::string LogPartCutReason(const std::string& part) {
    return fw::FormattedString(IDS_LOG_PART_CUT, part.c_str(), ErrorText(ERROR_NOT_ENOUGH_MEMORY).c_str());
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
    theLog().MarkFront();
}

void LogMissingFile() { LogWrite(fw::LoadedString(IDS_FILE_MISSING) + "\r\n\r\n"); }

DWORD LogWrite(std::string_view text) { return theLog().Write(text.data(), static_cast<DWORD>(text.size())); }
