#include "log/HiddenLog.h"

#include "framework/AnsiText.h"
#include "framework/FileReplace.h"
#include "framework/Handles.h"
#include "log/DetailHider.h"
#include "log/FileBytes.h"
#include "log/LogCopy.h"
#include "log/LogFile.h"
#include "log/PersonalDetails.h"
#include "log/SystemFilePath.h"

namespace {

// The log's new text gathered into pieces before each write: a log of many megabytes is not
// held a second time, and fresh memory costs a page fault every 4 KB.
class CPieceWriter {
public:
    explicit CPieceWriter(CLogFile& file) : m_file(file) { m_piece.reserve(kPiece); }

    void operator()(std::string_view text) {
        if (m_piece.size() + text.size() > kPiece) Flush();
        if (text.size() < kPiece) {
            m_piece.append(text);
            return;
        }
        for (size_t at = 0; at < text.size(); at += kPiece)
            m_file.Write(text.data() + at, static_cast<DWORD>(std::min(kPiece, text.size() - at)));
    }
    void Flush() {
        if (!m_piece.empty()) m_file.Write(m_piece.data(), static_cast<DWORD>(m_piece.size()));
        m_piece.clear();
    }

private:
    static constexpr size_t kPiece = 256 * 1024;
    CLogFile& m_file;
    std::string m_piece;
};

// Where the log's extension (from its last dot) begins; the path's length when it has none.
size_t ExtensionAt(const std::string& logPath) {
    const size_t dot = logPath.find_last_of(".\\");
    return dot != std::string::npos && logPath[dot] == '.' ? dot : logPath.size();
}

// The log as it was, under a second name: a link to the same file costs nothing, and the log's
// own name then moves to the new file alone. A file system without links gets a copy.
DWORD KeepOriginalLog(const std::string& logPath, const std::string& keptPath) {
    DeleteFileA(keptPath.c_str());
    if (CreateHardLinkA(keptPath.c_str(), logPath.c_str(), nullptr) ||
        CopyFileA(logPath.c_str(), keptPath.c_str(), FALSE))
        return ERROR_SUCCESS;
    const DWORD error = GetLastError();
    DeleteFileA(keptPath.c_str());  // a copy cut short by a full disk is no original
    return error;
}

}  // namespace

std::string PlaceholderMapFileName(const std::string& logPath) {
    return logPath.substr(0, ExtensionAt(logPath)) + ".names";
}

std::string OriginalLogFileName(const std::string& logPath) {
    const size_t extension = ExtensionAt(logPath);
    return logPath.substr(0, extension) + ".original" + logPath.substr(extension);
}

DWORD HideDetailsInLog(const std::string& logPath) {
    // A log that cannot be replaced is told before any work.
    if (!fw::MayReplace(fw::Widened(logPath))) return GetLastError();
    const std::string mapPath = PlaceholderMapFileName(logPath);
    CPlaceholderMap map;
    std::string mapText;
    const bool mapKept = ReadWholeLog(mapPath, mapText) == ERROR_SUCCESS && map.Load(mapText);
    const size_t known = map.size();
    // The new log is written beside the old and put in its place once the map is kept.
    CLogFile log(logPath);
    if (!log.Create()) return log.error();
    {
        SystemFileOpening opening;
        const fw::UniqueFile original(OpenFileToRead(logPath.c_str(), opening));
        if (!original) return GetLastError();
        const CFileBytes text(original.get(), opening.exclusive && opening.onFixedDrive);
        if (!text.loaded()) return text.error();
        CPieceWriter writer(log);
        detail_hiding::hideDetails(text.bytes(), LogHeaderLength(text.bytes()), CurrentMachineNames(), map, writer);
        writer.Flush();
    }  // the log is let go before its name moves to the new one
    if (log.error()) return log.error();
    if (!mapKept || map.size() != known) {
        const DWORD error = WriteWholeLog(mapPath, map.Text());
        if (error) return error;
    }
    // Asked again just before the link, which would share a read-only mark set meanwhile.
    if (!fw::MayReplace(fw::Widened(logPath))) return GetLastError();
    const std::string keptPath = OriginalLogFileName(logPath);
    const DWORD error = KeepOriginalLog(logPath, keptPath);
    if (error) return error;
    if (log.Commit()) return ERROR_SUCCESS;
    DeleteFileA(keptPath.c_str());
    return log.error();
}

// A move that fails leaves the log as it was where it waits, for another try.
DWORD RestoreHiddenDetails(const std::string& logPath) {
    return fw::MoveInPlace(fw::Widened(OriginalLogFileName(logPath)), fw::Widened(logPath)) ? ERROR_SUCCESS
                                                                                            : GetLastError();
}

void ForgetOriginalLog(const std::string& logPath) { DeleteFileA(OriginalLogFileName(logPath).c_str()); }
