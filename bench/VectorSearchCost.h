// The whole-file masking against a search sixteen bytes at a time: what finding the lines alone
// would add to a vector copy, and what testing every pair of letters that begins a secret word
// would add, over the same 16 KB pieces that the dump reads.
#pragma once
#include <string>

#include "log/SecretNames.h"

struct VectorSearchCost {
    bool measured = false;  // false on a processor without SSE2
    double lines = 0;       // seconds that line ends and '=' add to the search for bytes left out
    double pairs = 0;       // seconds that the words' letter pairs add on top of that
};

VectorSearchCost TimeVectorSearch(const std::string& text, const CSecretNames& names, int runs);
