#include "editors/SystemFileStore.h"

#include "editors/WholeFile.h"
#include "log/FileBackup.h"

SaveOutcome SaveSystemFile(const std::string& path, const std::string& bytes) {
    SaveOutcome outcome;
    if (!BackupFile(path.c_str(), outcome.backupPath)) {
        outcome.error = GetLastError();
        outcome.stage = SaveOutcome::BackupFailed;
    } else if (!ReplaceFileContent(path, bytes)) {
        outcome.error = GetLastError();
        outcome.stage = SaveOutcome::WriteFailed;
    }
    return outcome;
}
