// Saving a new content over a file on the user's behalf: a numbered backup first, then the
// journal's record of it, then the new content.
#pragma once
#include <windows.h>

#include <string>

struct SaveOutcome {
    enum Stage { Saved, BackupFailed, WriteFailed };
    Stage stage = Saved;
    std::string backupPath;  // the copy of the old file, once made
    DWORD error = ERROR_SUCCESS;
};

// Backs the file up, journals the save, then replaces its content. Nothing is written when the
// backup or the journal fails, and a write that fails half way leaves the old content as it was.
SaveOutcome SaveSystemFile(const std::string& path, const std::string& bytes);
