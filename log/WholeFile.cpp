#include "log/WholeFile.h"

#include <climits>
#include <new>

namespace {
// The largest file that an edit control can be asked to hold.
constexpr LONGLONG kLargestFile = INT_MAX / 2;
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
