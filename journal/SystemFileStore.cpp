#include "journal/SystemFileStore.h"

#include "framework/FileReplace.h"
#include "journal/Journal.h"
#include "log/FileBackup.h"

SaveOutcome SaveSystemFile(const std::string& path, const std::string& bytes) {
    SaveOutcome outcome;
    if (!BackupFile(path.c_str(), outcome.backupPath)) {
        outcome.error = GetLastError();
        outcome.stage = SaveOutcome::BackupFailed;
    } else if ((outcome.error = JournalFileSave(path, outcome.backupPath)) != ERROR_SUCCESS) {
        outcome.stage = SaveOutcome::WriteFailed;
    } else if (!fw::WriteFileInPlace(path, bytes)) {
        outcome.error = GetLastError();
        outcome.stage = SaveOutcome::WriteFailed;
    }
    return outcome;
}
