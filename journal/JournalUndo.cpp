#include "journal/JournalUndo.h"

#include <optional>

#include "framework/Handles.h"
#include "journal/Journal.h"
#include "journal/SystemFileStore.h"
#include "log/WholeFile.h"
#include "registry/RegistryKey.h"
#include "registry/SettingsStore.h"

namespace {
LONG DeleteKey(HKEY root, const std::string& key) {
    const size_t slash = key.find_last_of('\\');
    CRegistryKey parent(root, slash == std::string::npos ? "" : key.substr(0, slash).c_str(), false);
    if (!parent.handle()) return parent.status();
    return parent.deleteSubkey(slash == std::string::npos ? key.c_str() : key.c_str() + slash + 1);
}

// Parents come first in a snapshot, so every key is created below one that exists.
LONG Recreate(HKEY root, const std::string& key, const std::vector<SnapshotKey>& subtree) {
    for (const SnapshotKey& snapshot : subtree) {
        const std::string path = snapshot.path.empty() ? key : key + "\\" + snapshot.path;
        CRegistryKey created(root, path.c_str(), true);
        if (!created.handle()) return created.status();
        for (const SnapshotKey::Value& value : snapshot.values) {
            const LONG result = created.setValue(value.name.c_str(), value.type, value.data.data(),
                                                 static_cast<DWORD>(value.data.size()));
            if (result != ERROR_SUCCESS) return result;
        }
    }
    return ERROR_SUCCESS;
}

// The key of the value undone last: a session's changes mostly come many to a key, and opening it
// again for each would cost as much as the undo itself.
class OpenKeys {
public:
    CRegistryKey& get(HKEY root, const std::string& path) {
        if (!m_key || m_root != root || m_path != path) {
            m_key.emplace(root, path.c_str(), false);
            m_root = root;
            m_path = path;
        }
        return *m_key;
    }
    // After a key is created or deleted, a kept handle may name a key that is gone.
    void forget() { m_key.reset(); }

private:
    std::optional<CRegistryKey> m_key;
    HKEY m_root = nullptr;
    std::string m_path;
};

DWORD UndoValue(const JournalRecord& record, CRegistryKey& key, HKEY root, const AskOverwrite& askOverwrite) {
    if (!key.handle()) return static_cast<DWORD>(key.status());
    const ValueState now = ReadValueState(key.handle(), record.name);
    if (now == record.before) return ERROR_SUCCESS;  // never made, or taken back already
    if (now != record.after && !askOverwrite(record)) return ERROR_CANCELLED;
    if (const DWORD error = JournalValueChange(root, record.key, record.name, now, record.before)) return error;
    LONG result;
    if (record.before.exists)
        result = key.setValue(record.name.c_str(), record.before.type, record.before.data.data(),
                              static_cast<DWORD>(record.before.data.size()));
    else
        result = key.deleteValue(record.name.c_str());
    return static_cast<DWORD>(result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result);
}

DWORD UndoKeyCreated(const JournalRecord& record, HKEY root) {
    if (!RootKey(root).subkeyExists(record.key.c_str())) return ERROR_SUCCESS;
    if (const DWORD error = JournalKeyDelete(root, record.key)) return error;
    return static_cast<DWORD>(DeleteKey(root, record.key));
}

// A key that exists again is replaced by the one that was deleted, both steps journaled.
DWORD UndoKeyDeleted(const JournalRecord& record, HKEY root, const AskOverwrite& askOverwrite) {
    std::vector<SnapshotKey> now;
    if (ReadSnapshot(root, record.key, now)) {
        if (now == record.subtree) return ERROR_SUCCESS;  // never deleted, or restored already
        if (!askOverwrite(record)) return ERROR_CANCELLED;
        if (const DWORD error = JournalKeyDelete(root, record.key, std::move(now))) return error;
        if (const LONG result = DeleteKey(root, record.key)) return static_cast<DWORD>(result);
    }
    if (const DWORD error = JournalKeyCreate(root, record.key)) return error;
    return static_cast<DWORD>(Recreate(root, record.key, record.subtree));
}

// The backup's content goes back through a save of its own: backed up, journaled, written beside
// and put in place.
DWORD UndoFile(const JournalRecord& record) {
    const fw::UniqueFile backup(CreateFileA(record.name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!backup || !ReadWholeFile(backup.get(), bytes)) return GetLastError();
    const SaveOutcome outcome = SaveSystemFile(record.key, bytes);
    return outcome.stage == SaveOutcome::Saved ? ERROR_SUCCESS : outcome.error;
}
}  // namespace

std::vector<UndoFailure> UndoChanges(const std::vector<JournalRecord>& records, const AskOverwrite& askOverwrite) {
    std::vector<UndoFailure> failures;
    OpenKeys keys;
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        const HKEY root = SettingsRootKey(record->root);
        if (record->kind != JournalRecord::Value) keys.forget();
        DWORD error = ERROR_SUCCESS;
        switch (record->kind) {
        case JournalRecord::Value: error = UndoValue(*record, keys.get(root, record->key), root, askOverwrite); break;
        case JournalRecord::KeyCreated: error = UndoKeyCreated(*record, root); break;
        case JournalRecord::KeyDeleted: error = UndoKeyDeleted(*record, root, askOverwrite); break;
        case JournalRecord::File: error = UndoFile(*record); break;
        }
        if (error != ERROR_SUCCESS) failures.push_back({DescribeChange(*record), error});
    }
    return failures;
}
