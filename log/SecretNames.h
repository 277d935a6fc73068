// Names of values whose data the log never shows. The words come from the string table, so that
// a maintainer can add one without touching code: "*word*" matches any name that contains the
// word, a bare word only that name; letter case never matters.
#pragma once
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

private:
    std::vector<std::string> m_contained;  // lower case
    std::vector<std::string> m_exact;      // lower case
    // For each character, the contained words that start with it in either case.
    std::vector<size_t> m_startingWith[256];
    size_t m_overlap = 0;
};

// The program's list, read from the string table once.
const CSecretNames& SecretNames();
// "******** (hidden)": what the log shows in place of a secret's data.
const std::string& HiddenDataText();
