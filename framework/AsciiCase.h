// Letter case of the ASCII letters alone, by table: names in logs and in the program's lists are
// matched the same way whatever the locale, and every byte of a large log passes through here.
#pragma once
#include <array>
#include <string_view>

namespace fw {

namespace detail {
constexpr std::array<char, 256> caseTable(char from, char to) {
    std::array<char, 256> table{};
    for (int byte = 0; byte < 256; ++byte) table[byte] = static_cast<char>(byte);
    for (int letter = 0; letter < 26; ++letter) table[from + letter] = static_cast<char>(to + letter);
    return table;
}
inline constexpr std::array<char, 256> kLower = caseTable('A', 'a'), kUpper = caseTable('a', 'A');
}  // namespace detail

inline char AsciiLower(char c) { return detail::kLower[static_cast<unsigned char>(c)]; }
inline char AsciiUpper(char c) { return detail::kUpper[static_cast<unsigned char>(c)]; }

// Whether `text` begins with `prefix`, ignoring the case of ASCII letters.
inline bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (AsciiLower(text[i]) != AsciiLower(prefix[i])) return false;
    return true;
}

inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithIgnoringCase(a, b);
}

}  // namespace fw
