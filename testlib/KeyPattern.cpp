#include "testlib/KeyPattern.h"

#include <cctype>
#include <cstring>

namespace {

// Registry names compare without regard to case.
bool SameIgnoringCase(const char* a, const char* b, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

std::optional<KeyPattern> KeyPattern::Parse(const char* name, const char* subkey) {
    const char* nameStar = std::strchr(name, '*');
    const char* pathStar = std::strchr(subkey, '*');
    if (!nameStar || !pathStar) return std::nullopt;

    KeyPattern pattern;
    pattern.m_namePrefix.assign(name, nameStar);
    pattern.m_nameSuffix.assign(nameStar + 1);

    std::string before(subkey, pathStar);
    size_t lastSeparator = before.rfind('\\');
    if (lastSeparator == std::string::npos) {
        pattern.m_componentPrefix = before;
    } else {
        pattern.m_parentPath = before.substr(0, lastSeparator);
        pattern.m_componentPrefix = before.substr(lastSeparator + 1);
    }

    std::string after(pathStar + 1);
    size_t firstSeparator = after.find('\\');
    if (firstSeparator == std::string::npos) {
        pattern.m_componentSuffix = after;
    } else {
        pattern.m_componentSuffix = after.substr(0, firstSeparator);
        pattern.m_restPath = after.substr(firstSeparator + 1);
    }
    return pattern;
}

bool KeyPattern::Expand(const std::string& subkeyName, std::string& name, std::string& path) const {
    const size_t prefixLength = m_componentPrefix.size();
    const size_t suffixLength = m_componentSuffix.size();
    if (subkeyName.size() < prefixLength + suffixLength) return false;
    if (!SameIgnoringCase(subkeyName.c_str(), m_componentPrefix.c_str(), prefixLength)) return false;
    const char* tail = subkeyName.c_str() + subkeyName.size() - suffixLength;
    if (!SameIgnoringCase(tail, m_componentSuffix.c_str(), suffixLength)) return false;

    const std::string middle = subkeyName.substr(prefixLength, subkeyName.size() - prefixLength - suffixLength);
    name = m_namePrefix + middle + m_nameSuffix;
    path.clear();
    if (!m_parentPath.empty()) path = m_parentPath + "\\";
    path += m_componentPrefix + middle + m_componentSuffix;
    if (!m_restPath.empty()) path += "\\" + m_restPath;
    return true;
}
