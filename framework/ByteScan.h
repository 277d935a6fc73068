// Finding one byte value in a block eight bytes at a time. The C library's memchr tests one
// byte at a time under Wine, and every byte of a dumped file passes through such a search.
#pragma once
#include <cstdint>
#include <cstring>

namespace fw {

constexpr uint64_t kByteOnes = 0x0101010101010101ull, kByteHighBits = 0x8080808080808080ull;

// Whether any of the eight bytes of the word is zero.
constexpr bool HasZeroByte(uint64_t word) { return ((word - kByteOnes) & ~word & kByteHighBits) != 0; }

// The first byte equal to `first` or `second` in [begin, end), or end. Never reads at or past
// `end`, which may be the end of a mapped view.
inline const char* FindEitherByte(const char* begin, const char* end, char first, char second) {
    const uint64_t firsts = kByteOnes * static_cast<unsigned char>(first);
    const uint64_t seconds = kByteOnes * static_cast<unsigned char>(second);
    for (; end - begin >= static_cast<ptrdiff_t>(sizeof(uint64_t)); begin += sizeof(uint64_t)) {
        uint64_t word;
        memcpy(&word, begin, sizeof word);
        // Zero bytes where the word holds either value.
        if (HasZeroByte(word ^ firsts) || HasZeroByte(word ^ seconds)) break;
    }
    while (begin != end && *begin != first && *begin != second) ++begin;
    return begin;
}

// The first byte equal to `value` in [begin, end), or end.
inline const char* FindByte(const char* begin, const char* end, char value) {
    return FindEitherByte(begin, end, value, value);
}

}  // namespace fw
