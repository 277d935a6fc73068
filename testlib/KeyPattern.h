// A logged key whose label and subkey path each hold one "*" stands for every subkey of one
// parent key whose name matches the path component around the "*"; each match is logged as a
// key of its own, the "*" replaced by the text that differs. Plain string work, no registry.
#pragma once
#include <optional>
#include <string>

class KeyPattern {
public:
    // Nothing when the label or the path holds no "*": the entry then names one key as it is.
    static std::optional<KeyPattern> Parse(const char* name, const char* subkey);

    // The key whose subkeys are matched, relative to the root; empty for the root itself.
    const std::string& parentPath() const { return m_parentPath; }

    // When subkeyName, a subkey of the parent, matches (ignoring case), the expanded label and
    // path. Only the matched middle comes from subkeyName; the rest keeps the resource's text.
    bool Expand(const std::string& subkeyName, std::string& name, std::string& path) const;

private:
    std::string m_namePrefix;
    std::string m_nameSuffix;
    std::string m_parentPath;
    std::string m_componentPrefix;
    std::string m_componentSuffix;
    std::string m_restPath;
};
