// Resource data for the parser tests: built the way a resource compiler lays it out (packed,
// little-endian), and copied so that it ends where an inaccessible page begins, so that a read
// past the end crashes the test instead of passing unnoticed.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class Bytes {
public:
    Bytes& word(uint16_t value) { return raw(&value, 2); }
    Bytes& dword(uint32_t value) { return raw(&value, 4); }
    Bytes& text(const std::string& value) { return raw(value.c_str(), value.size() + 1); }
    Bytes& end() { return word(0); }
    Bytes& raw(const void* data, size_t size) {
        const auto* bytes = static_cast<const uint8_t*>(data);
        m_data.insert(m_data.end(), bytes, bytes + size);
        return *this;
    }
    const std::vector<uint8_t>& data() const { return m_data; }

private:
    std::vector<uint8_t> m_data;
};

class PageEndCopy {
public:
    PageEndCopy(const std::vector<uint8_t>& data, size_t size) {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        m_base = static_cast<uint8_t*>(
            VirtualAlloc(nullptr, 2 * system.dwPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD previous = 0;
        VirtualProtect(m_base + system.dwPageSize, system.dwPageSize, PAGE_NOACCESS, &previous);
        m_data = m_base + system.dwPageSize - size;
        std::memcpy(m_data, data.data(), size);
    }
    ~PageEndCopy() { VirtualFree(m_base, 0, MEM_RELEASE); }
    PageEndCopy(const PageEndCopy&) = delete;
    PageEndCopy& operator=(const PageEndCopy&) = delete;

    const uint8_t* data() const { return m_data; }

private:
    uint8_t* m_base = nullptr;
    uint8_t* m_data = nullptr;
};

// Every shorter piece of a well-formed resource is malformed: each must be refused, and no
// read may run past its end; the whole must be accepted. parse(data, size) returns whether it accepted the data.
template <class Parse>
void ExpectEveryTruncationRefused(const std::vector<uint8_t>& whole, Parse parse) {
    const PageEndCopy all(whole, whole.size());
    EXPECT_TRUE(parse(all.data(), whole.size())) << "the whole resource is well-formed";
    for (size_t size = 0; size < whole.size(); ++size) {
        const PageEndCopy piece(whole, size);
        EXPECT_FALSE(parse(piece.data(), size)) << "accepted " << size << " of " << whole.size() << " bytes";
    }
}
