// The session log: one file, "C:\Zelkor.log", open at most once at a time. Every producer writes
// through the writers of log/LogWriter.h.
//
// A new log is generated beside the old one and put in its place only when it is complete, so
// the file under the log's name is always a whole log: an empty, cut or stale file is never
// passed off as this session's log.
#pragma once
#include <windows.h>

#include <new>
#include <string>
#include <string_view>

// One log file. Create starts a generation in a sibling temporary file; Commit puts it in the
// log's place. Every step is checked and the first failure's system error code is kept.
class CLogFile {
public:
    explicit CLogFile(std::string path);
    // An unfinished generation is thrown away: the old log stays.
    ~CLogFile();
    CLogFile(const CLogFile&) = delete;
    CLogFile& operator=(const CLogFile&) = delete;

    const std::string& path() const { return m_path; }
    // Starts a new log (any unfinished one is thrown away); true when it is open.
    bool Create();
    // The bytes written; a failed or short write is remembered as a failure.
    DWORD Write(const char* data, DWORD size);
    // Remembers the end of what was written so far as the place for InsertAtFront: the end of
    // the header, before any library's part.
    void MarkFront() { m_front = m_size; }
    // Puts text at the marked place (the start when none was marked), moving what follows it
    // back within the file; a failure is remembered like a failed write.
    void InsertAtFront(std::string_view text);
    // Closes the log; a generated log replaces the old one only when nothing failed, otherwise
    // it is removed. False when anything failed since Create.
    bool Commit();
    HANDLE handle() const { return m_file; }
    // The system's error code of the first failure since Create; 0 when none.
    DWORD error() const { return m_error; }
    // Keeps the first reason given since Create why the open log is incomplete.
    void NoteIncomplete(const char* reason);
    // That reason; empty while the log is whole.
    const std::string& incompleteReason() const { return m_incomplete; }

private:
    bool openFile(const std::string& name, DWORD disposition);
    void closeFile();
    void putInPlace();
    bool seek(ULONGLONG at);
    void abandon();
    void fail(DWORD error);

    std::string m_path;
    std::string m_temporary;  // where a generation is written until it is committed
    HANDLE m_file = INVALID_HANDLE_VALUE;
    bool m_generating = false;
    DWORD m_error = 0;
    std::string m_incomplete;
    ULONGLONG m_size = 0;   // bytes written since Create
    ULONGLONG m_front = 0;  // where InsertAtFront puts its text
};

// The log's path, loaded once from the string table.
const char* LogFileName();
// Starts generating a new log beside the old one; true when it is open.
bool CreateLogFile();
// Closes the generated log and puts it in place. False, leaving the old log untouched, when
// anything failed since it was created; LogFileError then tells why.
bool CommitLogFile();
// Puts text after the open log's header, ahead of everything written since.
void InsertAtLogFront(std::string_view text);
// The system's error code of the log's first failure since it was last created.
DWORD LogFileError();
// Writes a line into the open log saying that it is incomplete and why; the first reason is kept
// for the session's outcome.
void MarkLogIncomplete(const char* reason);
// Why the log last created is incomplete (the first reason marked); empty when it is whole.
std::string LogIncompleteReason();
// The reason for a part of the log that a dump could not finish for want of memory.
std::string LogPartCutReason(const std::string& part);
// For a dump that ran out of memory part way: marks the log incomplete, with the part that name()
// gives. Should even that fail for want of memory, the mark is left out: nothing escapes.
template <class Name>
void MarkLogPartCut(Name name) noexcept {
    try {
        MarkLogIncomplete(LogPartCutReason(name()).c_str());
    } catch (const std::bad_alloc&) {
    }
}
// The open log's handle, or INVALID_HANDLE_VALUE.
HANDLE LogFileHandle();
// Log text composed in memory and handed to the log in pieces of about 64 KB, so that a dump
// of many lines costs few writes. What is left is written when the buffer goes.
class CLogBuffer {
public:
    CLogBuffer();
    ~CLogBuffer() { write(); }
    CLogBuffer(const CLogBuffer&) = delete;
    CLogBuffer& operator=(const CLogBuffer&) = delete;

    std::string& text() { return m_text; }
    // Writes the text composed so far once it fills a piece.
    void WriteWhenFull() {
        if (m_text.size() >= kPieceSize) write();
    }

private:
    static constexpr size_t kPieceSize = 64 * 1024;
    void write();

    std::string m_text;
};

// The session header: the four user details and an empty line. What is inserted at the log's
// front goes after it.
void WriteLogHeader(const std::string& name, const std::string& company, const std::string& phone,
                    const std::string& fax);
// The line that stands in for a file that cannot be read.
void LogMissingFile();
