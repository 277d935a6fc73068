#include "log/DetailScan.h"

#include <emmintrin.h>

#include "framework/VectorInstructions.h"

namespace {

// The places of the bytes that `mask` marks in the block.
size_t AddPlaces(size_t blockPlace, unsigned mask, size_t* found) {
    size_t count = 0;
    for (; mask; mask &= mask - 1) found[count++] = blockPlace + static_cast<size_t>(__builtin_ctz(mask));
    return count;
}

// The bytes that begin a name, where the byte after them may go on with it; both with their
// case bit set.
[[gnu::target("sse2"), gnu::always_inline]] inline __m128i NameHits(__m128i folded, __m128i nextFolded,
                                                                    const __m128i (&name)[3]) {
    const __m128i second = _mm_or_si128(_mm_cmpeq_epi8(nextFolded, name[1]), name[2]);
    return _mm_and_si128(_mm_cmpeq_epi8(folded, name[0]), second);
}

}  // namespace

CDetailScan::CDetailScan(std::string_view user, std::string_view computer, const unsigned char* first, bool vector)
    : m_first(first), m_user(nameBytes(user)), m_computer(nameBytes(computer)),
      m_vector(vector && fw::HasVectorInstructions()) {}

CDetailScan::Name CDetailScan::nameBytes(std::string_view name) {
    Name bytes;
    if (name.empty()) return bytes;
    bytes.first = static_cast<unsigned char>(name[0] | 0x20);
    bytes.any = name.size() == 1;
    bytes.second = bytes.any ? 0 : static_cast<unsigned char>(name[1] | 0x20);
    return bytes;
}

size_t CDetailScan::Collect(const unsigned char* text, const unsigned char*& block, const unsigned char* end,
                            size_t* found, size_t room) const {
    return m_vector ? collectVector(text, block, end, found, room) : collectByTable(text, block, end, found, room);
}

// Each byte against each that may begin something, and its neighbour against what may follow:
// more comparisons than the table takes look-ups, but sixteen bytes at once and no branch. (No
// lambdas here: they would not share the function's instruction set.)
[[gnu::target("sse2")]] size_t CDetailScan::collectVector(const unsigned char* text, const unsigned char*& block,
                                                          const unsigned char* end, size_t* found, size_t room) const {
    // Every byte is compared with its case bit set, which matches a few bytes too many (a '|' for
    // a '\\'); those go no further than the look that follows.
    const __m128i at = _mm_set1_epi8('@' | 0x20), dot = _mm_set1_epi8('.'), colon = _mm_set1_epi8(':');
    const __m128i backslash = _mm_set1_epi8('\\' | 0x20), u = _mm_set1_epi8('u'), caseBit = _mm_set1_epi8(0x20);
    const __m128i beforeZero = _mm_set1_epi8('0' - 1), afterNine = _mm_set1_epi8('9' + 1);
    // Each name's first letter, its second, and whether any second will do.
    __m128i names[2][3];
    for (int n = 0; n < 2; ++n) {
        const Name& name = n == 0 ? m_user : m_computer;
        names[n][0] = _mm_set1_epi8(static_cast<char>(name.first));
        names[n][1] = _mm_set1_epi8(static_cast<char>(name.second));
        names[n][2] = _mm_set1_epi8(name.any ? -1 : 0);
    }
    // The search goes on in locals: the caller's pointer is set once, at the end.
    const unsigned char* here = block;
    size_t count = 0;
    for (; here != end && count + 16 <= room; here += 16) {
        const __m128i folded = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(here)), caseBit);
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(here + 1));
        const __m128i nextFolded = _mm_or_si128(next, caseBit);
        const __m128i nextDigit = _mm_and_si128(_mm_cmpgt_epi8(next, beforeZero), _mm_cmplt_epi8(next, afterNine));
        __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(folded, at), _mm_cmpeq_epi8(folded, colon));
        hits = _mm_or_si128(hits, _mm_and_si128(_mm_cmpeq_epi8(folded, dot), nextDigit));
        hits = _mm_or_si128(hits, _mm_and_si128(_mm_cmpeq_epi8(folded, backslash), _mm_cmpeq_epi8(nextFolded, u)));
        hits = _mm_or_si128(hits, NameHits(folded, nextFolded, names[0]));
        hits = _mm_or_si128(hits, NameHits(folded, nextFolded, names[1]));
        if (const int mask = _mm_movemask_epi8(hits))
            count += AddPlaces(static_cast<size_t>(here - text), static_cast<unsigned>(mask), found + count);
    }
    block = here;
    return count;
}

// For processors without them: four bytes to a test, the bytes of a block that passes marked.
size_t CDetailScan::collectByTable(const unsigned char* text, const unsigned char*& block, const unsigned char* end,
                                   size_t* found, size_t room) const {
    const unsigned char* const first = m_first;
    size_t count = 0;
    for (; block != end && count + 16 <= room; block += 16) {
        unsigned any = 0;
        for (int i = 0; i < 16; i += 4)
            any |= first[block[i]] | first[block[i + 1]] | first[block[i + 2]] | first[block[i + 3]];
        if (!any) continue;
        unsigned mask = 0;
        for (unsigned i = 0; i < 16; ++i)
            if (first[block[i]]) mask |= 1u << i;
        count += AddPlaces(static_cast<size_t>(block - text), mask, found + count);
    }
    return count;
}
