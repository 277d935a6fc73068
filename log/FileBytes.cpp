#include "log/FileBytes.h"

#include <algorithm>
#include <cstdint>
#include <new>

CFileBytes::CFileBytes(HANDLE file, bool heldAlone) {
    LARGE_INTEGER size;
    if (file == INVALID_HANDLE_VALUE || !GetFileSizeEx(file, &size)) {
        m_error = file == INVALID_HANDLE_VALUE ? ERROR_INVALID_HANDLE : GetLastError();
        return;
    }
    if (static_cast<uint64_t>(size.QuadPart) > SIZE_MAX / 2) {
        m_error = ERROR_NOT_ENOUGH_MEMORY;
        return;
    }
    const auto bytes = static_cast<size_t>(size.QuadPart);
    // An empty file has nothing to map.
    if (bytes == 0 || (heldAlone && map(file, bytes)) || read(file, bytes)) return;
    m_error = GetLastError() ? GetLastError() : ERROR_READ_FAULT;
}

bool CFileBytes::map(HANDLE file, size_t size) {
    m_mapping.reset(CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (m_mapping) m_view.reset(MapViewOfFile(m_mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!m_view) return false;
    m_bytes = std::string_view(static_cast<const char*>(m_view.get()), size);
    return true;
}

bool CFileBytes::read(HANDLE file, size_t size) {
    m_mapping.reset();
    try {
        m_copy.resize(size);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    // In pieces a DWORD can count; a file that shrinks meanwhile ends where it ends.
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return false;
    size_t done = 0;
    for (DWORD got = 1; done < size && got > 0; done += got) {
        const auto piece = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 30));
        if (!ReadFile(file, &m_copy[done], piece, &got, nullptr)) return false;
    }
    m_copy.resize(done);
    m_bytes = m_copy;
    return true;
}
