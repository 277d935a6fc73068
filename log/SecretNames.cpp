#include "log/SecretNames.h"

#include <windows.h>

#include "framework/AsciiCase.h"
#include "framework/StringTable.h"
#include "resources/resource.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

CSecretNames::CSecretNames(std::string_view patterns) {
    while (!patterns.empty()) {
        while (!patterns.empty() && isBlank(patterns.front())) patterns.remove_prefix(1);
        size_t end = 0;
        while (end < patterns.size() && !isBlank(patterns[end])) ++end;
        std::string word(patterns.substr(0, end));
        patterns.remove_prefix(end);
        for (char& c : word) c = fw::AsciiLower(c);
        const bool contained = word.size() > 2 && word.front() == '*' && word.back() == '*';
        if (contained) word = word.substr(1, word.size() - 2);
        if (word.empty()) continue;
        addStartPairs(word);
        if (!contained) {
            m_exact.push_back(word);
            continue;
        }
        if (word.size() - 1 > m_overlap) m_overlap = word.size() - 1;
        m_contained.push_back(word);
    }
    for (size_t index = 0; index < m_contained.size(); ++index) {
        const auto first = static_cast<unsigned char>(m_contained[index].front());
        const auto upper = static_cast<unsigned char>(fw::AsciiUpper(static_cast<char>(first)));
        m_startingWith[first].push_back(index);
        if (upper != first) m_startingWith[upper].push_back(index);
    }
}

void CSecretNames::addStartPairs(const std::string& word) {
    const auto set = [this](char first, char second) {
        m_startPairs[static_cast<unsigned char>(first) | static_cast<unsigned char>(second) << 8] = 1;
    };
    for (char first : {word[0], fw::AsciiUpper(word[0])}) {
        m_startBytes[static_cast<unsigned char>(first)] = true;
        if (word.size() == 1) {
            for (int second = 0; second < 256; ++second) set(first, static_cast<char>(second));
        } else {
            set(first, word[1]);
            set(first, fw::AsciiUpper(word[1]));
        }
    }
}

bool CSecretNames::mayContainWord(std::string_view text) const {
    // The last byte pairs with nothing after it: only a word of one letter can start there.
    bool may = !text.empty() && MayStartWord(text.back(), '\0');
    for (size_t at = 0; at + 1 < text.size(); ++at) may |= MayStartWord(text[at], text[at + 1]);
    return may;
}

bool CSecretNames::ContainsWord(std::string_view text) const {
    if (!mayContainWord(text)) return false;
    // A name is scanned once; only where a word could start are the words compared.
    for (size_t at = 0; at < text.size(); ++at)
        for (size_t word : m_startingWith[static_cast<unsigned char>(text[at])])
            if (fw::StartsWithIgnoringCase(text.substr(at), m_contained[word])) return true;
    return false;
}

bool CSecretNames::Matches(std::string_view name) const {
    if (!mayContainWord(name)) return false;
    while (!name.empty() && isBlank(name.front())) name.remove_prefix(1);
    while (!name.empty() && isBlank(name.back())) name.remove_suffix(1);
    for (const std::string& word : m_exact)
        if (fw::EqualIgnoringCase(name, word)) return true;
    return ContainsWord(name);
}

const CSecretNames& SecretNames() {
    static const CSecretNames names(fw::LoadedString(IDS_SECRET_NAMES));
    return names;
}

const std::string& HiddenDataText() {
    static const std::string text = fw::LoadedString(IDS_HIDDEN_DATA);
    return text;
}
