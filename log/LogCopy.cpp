#include "log/LogCopy.h"

#include <new>
#include <stdexcept>

#include "framework/Handles.h"
#include "log/LogFile.h"

namespace {

// Pieces of at most this size: WriteFile and ReadFile take 32-bit sizes.
constexpr size_t kPiece = 1 << 20;

}  // namespace

DWORD ReadWholeLog(const std::string& path, std::string& text) {
    fw::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return GetLastError();
    try {
        text.assign(static_cast<size_t>(size.QuadPart), '\0');
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    } catch (const std::length_error&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    for (size_t at = 0; at < text.size();) {
        DWORD read = 0;
        const auto want = static_cast<DWORD>(text.size() - at < kPiece ? text.size() - at : kPiece);
        if (!ReadFile(file.get(), &text[at], want, &read, nullptr)) return GetLastError();
        if (read == 0) {
            text.resize(at);  // the file shrank while it was read
            break;
        }
        at += read;
    }
    return ERROR_SUCCESS;
}

DWORD WriteWholeLog(const std::string& path, std::string_view text) {
    CLogFile file(path);
    if (!file.Create()) return file.error();
    for (size_t at = 0; at < text.size() && file.error() == 0; at += kPiece)
        file.Write(text.data() + at, static_cast<DWORD>(text.size() - at < kPiece ? text.size() - at : kPiece));
    file.Commit();
    return file.error();
}

DWORD CopyWholeLog(const std::string& from, const std::string& to) {
    std::string text;
    const DWORD error = ReadWholeLog(from, text);
    return error ? error : WriteWholeLog(to, text);
}
