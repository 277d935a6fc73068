// Resource data for the parser tests: the compiled resources themselves, and copies of them that
// end where an inaccessible page begins, so that a read past the end crashes the test instead of
// passing unnoticed.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/ResourceBlock.h"

// The data of a resource of the module (null: this program).
inline std::vector<uint8_t> ResourceBytes(HMODULE module, UINT id, const char* type) {
    const CResourceBlock block(module, id, type);
    EXPECT_TRUE(block.valid()) << type << " " << id;
    return std::vector<uint8_t>(block.data(), block.data() + block.size());
}

class PageEndCopy {
public:
    PageEndCopy(const void* data, size_t size) {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        m_base = static_cast<uint8_t*>(
            VirtualAlloc(nullptr, 2 * system.dwPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD previous = 0;
        VirtualProtect(m_base + system.dwPageSize, system.dwPageSize, PAGE_NOACCESS, &previous);
        m_data = m_base + system.dwPageSize - size;
        std::memcpy(m_data, data, size);
    }
    ~PageEndCopy() { VirtualFree(m_base, 0, MEM_RELEASE); }
    PageEndCopy(const PageEndCopy&) = delete;
    PageEndCopy& operator=(const PageEndCopy&) = delete;

    uint8_t* data() const { return m_data; }

private:
    uint8_t* m_base = nullptr;
    uint8_t* m_data = nullptr;
};

// Every shorter piece of a well-formed resource is malformed: each must be refused, and no
// read may run past its end; the whole must be accepted. parse(data, size) returns whether it
// accepted the data.
template <class Parse>
void ExpectEveryTruncationRefused(const std::vector<uint8_t>& whole, Parse parse) {
    ASSERT_FALSE(whole.empty());
    const PageEndCopy all(whole.data(), whole.size());
    EXPECT_TRUE(parse(all.data(), whole.size())) << "the whole resource is well-formed";
    for (size_t size = 0; size < whole.size(); ++size) {
        const PageEndCopy piece(whole.data(), size);
        EXPECT_FALSE(parse(piece.data(), size)) << "accepted " << size << " of " << whole.size() << " bytes";
    }
}
