#include "VectorSearchCost.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "BenchTiming.h"
#include "framework/VectorInstructions.h"

namespace {

constexpr size_t kPiece = 16 * 1024;  // as the dump reads the file
// Pairs compared in each block; a list that starts more has the first ones compared, which makes
// the figure lower than such a search could reach, never higher.
constexpr int kPairs = 8;

enum class Search { BytesLeftOut, Lines, LetterPairs };

// The first two letters of each word, lower case; unused places hold 0, which no byte with its
// case bit set equals.
struct LetterPairs {
    char first[kPairs] = {}, second[kPairs] = {};
};

LetterPairs WordStarts(const CSecretNames& names) {
    LetterPairs pairs;
    int count = 0;
    for (char first = 'a'; first <= 'z'; ++first)
        for (char second = 'a'; second <= 'z'; ++second)
            if (names.MayStartWord(first, second) && count < kPairs) {
                pairs.first[count] = first;
                pairs.second[count++] = second;
            }
    return pairs;
}

// One piece searched as a vector copy would: the bytes left out always, then line ends and '=',
// then every byte that begins a pair with its neighbour. What is found is folded into the result
// so that no search can be left out by the compiler.
template <Search kind>
[[gnu::target("sse2")]] unsigned SearchPiece(const char* piece, const LetterPairs& pairs) {
    const __m128i lastControl = _mm_set1_epi8(0x1F), del = _mm_set1_epi8(0x7F), tab = _mm_set1_epi8('\t');
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), equals = _mm_set1_epi8('=');
    const __m128i caseBit = _mm_set1_epi8(0x20);
    __m128i first[kPairs], second[kPairs];
    for (int pair = 0; pair < kPairs; ++pair) {
        first[pair] = _mm_set1_epi8(pairs.first[pair]);
        second[pair] = _mm_set1_epi8(pairs.second[pair]);
    }
    unsigned found = 0;
    for (size_t at = 0; at < kPiece; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(piece + at));
        const __m128i breaks = _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf));
        const __m128i control =
            _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(bytes, lastControl), bytes), _mm_cmpeq_epi8(bytes, del));
        found |= static_cast<unsigned>(
            _mm_movemask_epi8(_mm_andnot_si128(_mm_or_si128(breaks, _mm_cmpeq_epi8(bytes, tab)), control)));
        if constexpr (kind == Search::BytesLeftOut) continue;
        found += static_cast<unsigned>(_mm_movemask_epi8(breaks) ^ _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, equals)) << 1);
        if constexpr (kind == Search::Lines) continue;
        const __m128i folded = _mm_or_si128(bytes, caseBit);
        const __m128i next = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(piece + at + 1)), caseBit);
        __m128i starts = _mm_setzero_si128();
#pragma GCC unroll 8
        for (int pair = 0; pair < kPairs; ++pair)
            starts = _mm_or_si128(starts, _mm_and_si128(_mm_cmpeq_epi8(folded, first[pair]),
                                                        _mm_cmpeq_epi8(next, second[pair])));
        found ^= static_cast<unsigned>(_mm_movemask_epi8(starts)) << 3;
    }
    return found;
}

// One search of the text in pieces, each copied into the buffer first as the dump's read does.
template <Search kind>
double SearchSeconds(const std::string& text, const LetterPairs& pairs, std::vector<char>& piece) {
    volatile unsigned sink = 0;
    return bench::Seconds([&] {
        unsigned found = 0;
        for (size_t at = 0; at + kPiece <= text.size(); at += kPiece) {
            memcpy(piece.data(), text.data() + at, kPiece);
            found += SearchPiece<kind>(piece.data(), pairs);
        }
        sink = found;
    });
}

}  // namespace

VectorSearchCost TimeVectorSearch(const std::string& text, const CSecretNames& names, int runs) {
    VectorSearchCost cost;
    if (!fw::HasVectorInstructions()) return cost;
    const LetterPairs pairs = WordStarts(names);
    std::vector<char> piece(kPiece + 16);
    // The three searches in turn in every round, so that a busy moment slows all three of it; the
    // figures are the medians of each round's differences.
    std::vector<double> lines, letterPairs;
    for (int run = 0; run < runs; ++run) {
        const double bytesOnly = SearchSeconds<Search::BytesLeftOut>(text, pairs, piece);
        const double withLines = SearchSeconds<Search::Lines>(text, pairs, piece);
        const double withPairs = SearchSeconds<Search::LetterPairs>(text, pairs, piece);
        lines.push_back(withLines - bytesOnly);
        letterPairs.push_back(withPairs - withLines);
    }
    cost.measured = true;
    cost.lines = std::max(0.0, bench::Median(lines));
    cost.pairs = std::max(0.0, bench::Median(letterPairs));
    return cost;
}
