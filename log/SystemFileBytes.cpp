#include "log/SystemFileBytes.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "log/SystemFilePath.h"

CSystemFileBytes::CSystemFileBytes(const char* fileName) {
    SystemFileOpening opening;
    const fw::UniqueFile file(OpenSystemFileToRead(fileName, opening));
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.get(), &size) || static_cast<uint64_t>(size.QuadPart) > SIZE_MAX / 2) return;
    const auto bytes = static_cast<size_t>(size.QuadPart);
    // An empty file has nothing to map.
    m_loaded = bytes == 0 || (opening.exclusive && opening.onFixedDrive && map(file.get(), bytes)) ||
               read(file.get(), bytes);
}

bool CSystemFileBytes::map(HANDLE file, size_t size) {
    m_mapping.reset(CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (m_mapping) m_view.reset(MapViewOfFile(m_mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!m_view) return false;
    m_bytes = std::string_view(static_cast<const char*>(m_view.get()), size);
    return true;
}

bool CSystemFileBytes::read(HANDLE file, size_t size) {
    try {
        m_copy.resize(size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    // In pieces a DWORD can count; a file that shrinks meanwhile ends where it ends.
    size_t done = 0;
    for (DWORD got = 1; done < size && got > 0; done += got) {
        const auto piece = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 30));
        if (!ReadFile(file, &m_copy[done], piece, &got, nullptr)) return false;
    }
    m_copy.resize(done);
    m_bytes = m_copy;
    return true;
}
