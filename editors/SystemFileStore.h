// Saving a new content over a system file, with a numbered backup first.
#pragma once
#include <windows.h>

#include <string>

struct SaveOutcome {
    enum Stage { Saved, BackupFailed, WriteFailed };
    Stage stage = Saved;
    std::string backupPath;  // the copy of the old file, once made
    DWORD error = ERROR_SUCCESS;
};

// Backs the file up, then replaces its content. Nothing is written when the backup fails, and a
// write that fails half way leaves the old content as it was.
SaveOutcome SaveSystemFile(const std::string& path, const std::string& bytes);
