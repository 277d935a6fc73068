#include "log/WholeFile.h"

#include <climits>
#include <new>

#include "framework/Handles.h"

namespace {
// The largest file that an edit control can be asked to hold.
constexpr LONGLONG kLargestFile = INT_MAX / 2;

bool writeWholeFile(const char* path, const std::string& bytes) {
    fw::UniqueFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return false;
    if (written != bytes.size()) {
        SetLastError(ERROR_DISK_FULL);
        return false;
    }
    if (!FlushFileBuffers(file.get())) return false;
    return CloseHandle(file.release()) != FALSE;
}
}  // namespace

bool ReadWholeFile(HANDLE file, std::string& bytes) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return false;
    if (size.QuadPart > kLargestFile) {
        SetLastError(ERROR_FILE_TOO_LARGE);
        return false;
    }
    try {
        bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    DWORD read = 0;
    if (!ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr)) return false;
    // A file that shrank since its size was taken is read as far as it goes.
    bytes.resize(read);
    return true;
}

bool ReplaceFileContent(const std::string& path, const std::string& bytes) {
    const size_t slash = path.find_last_of("\\/");
    const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(directory.c_str(), "ZK", 0, temporary)) return false;
    bool replaced = writeWholeFile(temporary, bytes);
    if (replaced) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(temporary, attributes);
        replaced = MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    }
    if (!replaced) {
        const DWORD error = GetLastError();
        DeleteFileA(temporary);
        SetLastError(error);
    }
    return replaced;
}
