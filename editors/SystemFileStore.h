// Reading a held system file and saving a new content over it, with a numbered backup first.
#pragma once
#include <windows.h>

#include <string>

// Reads the whole of an open file from its start. False (last error set) when it cannot.
bool ReadWholeFile(HANDLE file, std::string& bytes);

struct SaveOutcome {
    enum Stage { Saved, BackupFailed, WriteFailed };
    Stage stage = Saved;
    std::string backupPath;  // the copy of the old file, once made
    DWORD error = ERROR_SUCCESS;
};

// Backs the file up, then replaces its content. Nothing is written when the backup fails, and a
// write that fails half way leaves the old content as it was.
SaveOutcome SaveSystemFile(const std::string& path, const std::string& bytes);
