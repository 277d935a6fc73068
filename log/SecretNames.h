// Names of values whose data the log never shows. The words come from the string table, so that
// a maintainer can add one without touching code: "*word*" matches any name that contains the
// word, a bare word only that name; letter case never matters.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

class CSecretNames {
public:
    // Words separated by blanks.
    explicit CSecretNames(std::string_view patterns);

    // Whether data under this name is hidden; blanks around the name do not count.
    bool Matches(std::string_view name) const;
    // Whether any contained word occurs in the text (the test for a piece of a name too long to
    // be held whole, where exact names can no longer match).
    bool ContainsWord(std::string_view text) const;
    // The longest word less one: the tail of a piece that a word may continue in the next.
    size_t Overlap() const { return m_overlap; }
    // No words: nothing is hidden.
    bool empty() const { return m_contained.empty() && m_exact.empty(); }
    // Whether a word may start at this pair of bytes. False rules a name out at the cost of one
    // look-up a byte, with no branch.
    bool MayStartWord(char first, char second) const {
        return m_startPairs[static_cast<unsigned char>(first) | static_cast<unsigned char>(second) << 8];
    }
    // Whether a word may start with this byte: pairs are looked up only where one stands.
    bool MayStartWordWith(char first) const { return m_startBytes[static_cast<unsigned char>(first)]; }

private:
    void addStartPairs(const std::string& word);
    bool mayContainWord(std::string_view text) const;

    std::vector<std::string> m_contained;  // lower case
    std::vector<std::string> m_exact;      // lower case
    // For each character, the contained words that start with it in either case.
    std::vector<size_t> m_startingWith[256];
    size_t m_overlap = 0;
    // For each pair of bytes, 1 when it begins a word in any letter case (every pair after a word
    // of one letter). A byte each rather than a bit: the look-up is in the copy's innermost loop.
    std::vector<unsigned char> m_startPairs = std::vector<unsigned char>(65536);
    std::array<bool, 256> m_startBytes{};
};

// The program's list, read from the string table once.
const CSecretNames& SecretNames();
// "******** (hidden)": what the log shows in place of a secret's data.
const std::string& HiddenDataText();
