#include "journal/Journal.h"

#include <cstdio>

#include "framework/Handles.h"
#include "framework/StringTable.h"
#include "log/LogFile.h"
#include "log/LogWriter.h"
#include "log/WholeFile.h"
#include "resources/resource.h"
#include "registry/RegistryKey.h"

namespace {
uint32_t RootNumber(HKEY root) { return static_cast<uint32_t>(reinterpret_cast<ULONG_PTR>(root)); }

// A short write is a full disk.
bool WriteAll(HANDLE file, const std::string& text) {
    DWORD written = 0;
    if (!WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) return false;
    if (written == text.size()) return true;
    SetLastError(ERROR_DISK_FULL);
    return false;
}

// False when the key cannot be opened (it is still listed, empty, as a delete would leave it).
bool ReadKey(HKEY parent, const std::string& subkey, const std::string& path, std::vector<SnapshotKey>& subtree,
             std::vector<BYTE>& data) {
    const CRegistryKey key(parent, subkey.c_str(), false);
    SnapshotKey snapshot;
    snapshot.path = path;
    RegistryValueInfo info;
    for (DWORD index = 0; key.enumValue(index, info, data); ++index)
        snapshot.values.push_back({info.name, info.type, std::string(reinterpret_cast<char*>(data.data()), info.size)});
    subtree.push_back(std::move(snapshot));
    std::string name;
    for (DWORD index = 0; key.enumSubkeyName(index, name); ++index)
        ReadKey(key.handle(), name, path.empty() ? name : path + "\\" + name, subtree, data);
    return key.handle() != nullptr;
}
}  // namespace

CJournal::CJournal(std::string folder) : m_folder(std::move(folder)) {}

// Named by date and time; a second journal in the same second takes the next free number.
DWORD CJournal::create() {
    CreateDirectoryA(m_folder.c_str(), nullptr);
    SYSTEMTIME now;
    GetLocalTime(&now);
    char name[64];
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::snprintf(name, sizeof name, "\\%04u%02u%02u-%02u%02u%02u%s%.0d.jnl", now.wYear, now.wMonth, now.wDay,
                      now.wHour, now.wMinute, now.wSecond, attempt ? "-" : "", attempt);
        m_path = m_folder + name;
        // Shared for reading only: a later start can read it, but sees that it is in use.
        m_file.reset(CreateFileA(m_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        if (m_file) break;
        if (GetLastError() != ERROR_FILE_EXISTS) return GetLastError();
    }
    if (!m_file) return ERROR_FILE_EXISTS;
    const std::string header = std::string(kJournalHeader) + "\r\n";
    if (WriteAll(m_file.get(), header)) {
        m_end = header.size();
        return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    m_file.reset();
    DeleteFileA(m_path.c_str());
    return error ? error : ERROR_WRITE_FAULT;
}

DWORD CJournal::Append(const JournalRecord& record) {
    if (!m_file)
        if (const DWORD error = create()) return error;
    const std::string line = EncodeRecord(record);
    if (WriteAll(m_file.get(), line)) {
        m_end += line.size();
        m_records.push_back(record);
        return ERROR_SUCCESS;
    }
    // A record written in part would spoil the whole journal: it is cut off again.
    const DWORD error = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(m_end);
    SetFilePointerEx(m_file.get(), end, nullptr, FILE_BEGIN);
    SetEndOfFile(m_file.get());
    return error;
}

void CJournal::Close() {
    if (!m_file) return;
    WriteAll(m_file.get(), ClosingLine());
    m_file.reset();
}

std::string JournalFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder.resize(folder.find_last_of('\\') == std::string::npos ? 0 : folder.find_last_of('\\'));
    return folder + "\\Journal";
}

CJournal& SessionJournal() {
    static CJournal journal(JournalFolder());
    return journal;
}

void LogSessionChanges() {
    const std::vector<JournalRecord>& changes = SessionJournal().records();
    if (changes.empty()) return;
    LogSection(fw::LoadedString(IDS_CHANGES_BANNER));
    CLogBuffer log;
    for (const JournalRecord& change : changes) {
        log.text() += DescribeChange(change) + "\r\n";
        log.WriteWhenFull();
    }
    log.text() += "\r\n";
}

// Most values fit the first read; a larger one, or one that grows meanwhile, is read again at the
// size the registry names.
ValueState ReadValueState(HKEY key, const std::string& name) {
    ValueState state;
    state.data.resize(0x400);
    DWORD size = static_cast<DWORD>(state.data.size());
    LONG result;
    while ((result = RegQueryValueExA(key, name.c_str(), nullptr, &state.type,
                                      reinterpret_cast<BYTE*>(&state.data[0]), &size)) == ERROR_MORE_DATA)
        state.data.resize(size);
    state.exists = result == ERROR_SUCCESS;
    state.data.resize(state.exists ? size : 0);
    return state;
}

bool ReadSnapshot(HKEY root, const std::string& key, std::vector<SnapshotKey>& subtree) {
    subtree.clear();
    std::vector<BYTE> data;
    if (ReadKey(root, key, "", subtree, data)) return true;
    subtree.clear();
    return false;
}

DWORD JournalValueChange(HKEY root, const std::string& key, const std::string& name, const ValueState& before,
                         const ValueState& after) {
    JournalRecord record;
    record.kind = JournalRecord::Value;
    record.root = RootNumber(root);
    record.key = key;
    record.name = name;
    record.before = before;
    record.after = after;
    // A write that changes nothing is no change.
    return record.before == after ? ERROR_SUCCESS : SessionJournal().Append(record);
}

DWORD JournalKeyCreate(HKEY root, const std::string& key) {
    JournalRecord record;
    record.kind = JournalRecord::KeyCreated;
    record.root = RootNumber(root);
    record.key = key;
    return SessionJournal().Append(record);
}

DWORD JournalKeyDelete(HKEY root, const std::string& key) {
    std::vector<SnapshotKey> subtree;
    ReadSnapshot(root, key, subtree);
    return JournalKeyDelete(root, key, std::move(subtree));
}

DWORD JournalKeyDelete(HKEY root, const std::string& key, std::vector<SnapshotKey> subtree) {
    JournalRecord record;
    record.kind = JournalRecord::KeyDeleted;
    record.root = RootNumber(root);
    record.key = key;
    record.subtree = std::move(subtree);
    return SessionJournal().Append(record);
}

DWORD JournalFileSave(const std::string& path, const std::string& backup) {
    JournalRecord record;
    record.kind = JournalRecord::File;
    record.key = path;
    record.name = backup;
    return SessionJournal().Append(record);
}

// A journal still being written by a running Zelkor cannot be opened for writing.
std::vector<AbandonedJournal> FindAbandonedJournals(const std::string& folder) {
    std::vector<AbandonedJournal> found;
    WIN32_FIND_DATAA entry;
    const fw::UniqueFind search(FindFirstFileA((folder + "\\*.jnl").c_str(), &entry));
    if (!search) return found;
    do {
        const std::string path = folder + "\\" + entry.cFileName;
        const fw::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        std::string text;
        if (!file || !ReadWholeFile(file.get(), text)) continue;
        JournalContent content = ParseJournal(text);
        if (content.complete && content.closed) continue;
        found.push_back({path, std::move(content)});
    } while (FindNextFileA(search.get(), &entry));
    return found;
}

// Renamed rather than closed with a line: a damaged journal could not take one and still be read.
DWORD CloseAbandonedJournal(const std::string& path) {
    const std::string done = path.substr(0, path.size() - 4) + ".old";
    return MoveFileExA(path.c_str(), done.c_str(), MOVEFILE_REPLACE_EXISTING) ? ERROR_SUCCESS : GetLastError();
}
