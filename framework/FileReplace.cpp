#include "framework/FileReplace.h"

#include "framework/AnsiText.h"
#include "framework/Handles.h"

namespace fw {

namespace {
// Flushing and closing are checked too: they are where a full disk may show itself first.
bool WriteWholeFile(const char* path, const std::string& bytes) {
    UniqueFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
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

// Whether a target of these attributes is refused (last error set): a read-only one is.
bool Refused(DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)) return false;
    SetLastError(ERROR_ACCESS_DENIED);
    return true;
}

// Removes the written file, keeping the reason of the failure that made it useless.
bool Abandon(const std::wstring& written) {
    const DWORD error = GetLastError();
    DeleteFileW(written.c_str());
    SetLastError(error);
    return false;
}
}  // namespace

bool MayReplace(const std::wstring& target) { return !Refused(GetFileAttributesW(target.c_str())); }

bool MoveInPlace(const std::wstring& from, const std::wstring& target) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (Refused(attributes)) return false;
    if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(from.c_str(), attributes);
    return MoveFileExW(from.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool PutFileInPlace(const std::wstring& written, const std::wstring& target) {
    return MoveInPlace(written, target) || Abandon(written);
}

bool PutFileInPlace(const std::string& written, const std::string& target) {
    return PutFileInPlace(Widened(written), Widened(target));
}

bool WriteFileInPlace(const std::string& path, const std::string& bytes) {
    const size_t slash = path.find_last_of("\\/");
    const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(directory.c_str(), "ZK", 0, temporary)) return false;
    if (!WriteWholeFile(temporary, bytes)) return Abandon(Widened(temporary));
    return PutFileInPlace(temporary, path);
}

}  // namespace fw
