#include "registry/SettingsFormat.h"

#include <vector>

bool CSettingEntry::parse(fw::ResourceReader& reader) {
    uint16_t id = 0;
    uint16_t typeCode = 0;
    if (!reader.readWord(id) || !reader.readText(m_name) || !reader.readWord(typeCode)) return false;
    m_id = id;
    m_typeCode = typeCode;
    m_noDefault = typeCode >= SETTING_DWORD_NO_DEFAULT && typeCode <= SETTING_BINARY_NO_DEFAULT;
    return true;
}

std::unique_ptr<CSettingEntry> CSettingEntry::specialize() const {
    switch (m_typeCode) {
    case SETTING_DWORD:
    case SETTING_DWORD_NO_DEFAULT:
        return std::make_unique<CDwordSettingEntry>(*this);
    case SETTING_STRING:
    case SETTING_STRING_NO_DEFAULT:
        return std::make_unique<CStringSettingEntry>(*this);
    case SETTING_BINARY:
    case SETTING_BINARY_NO_DEFAULT:
        return std::make_unique<CBinarySettingEntry>(*this);
    default:
        return std::unique_ptr<CSettingEntry>(new CSettingEntry(*this));
    }
}

bool CSettingEntry::parseDefault(fw::ResourceReader&) { return true; }
long CSettingEntry::writeDefault(SettingValueWriter&) const { return 0; }

bool CDwordSettingEntry::parseDefault(fw::ResourceReader& reader) { return noDefault() || reader.readDword(m_default); }

long CDwordSettingEntry::writeDefault(SettingValueWriter& key) const {
    return noDefault() ? 0 : key.setDword(name(), m_default);
}

bool CStringSettingEntry::parseDefault(fw::ResourceReader& reader) { return noDefault() || reader.readText(m_default); }

long CStringSettingEntry::writeDefault(SettingValueWriter& key) const {
    return noDefault() ? 0 : key.setString(name(), m_default);
}

bool CBinarySettingEntry::parseDefault(fw::ResourceReader& reader) {
    return noDefault() || (reader.readDword(m_defaultSize) && reader.readBytes(m_defaultSize, m_default));
}

long CBinarySettingEntry::writeDefault(SettingValueWriter& key) const {
    return noDefault() ? 0 : key.setBinary(name(), m_default, m_defaultSize);
}

bool WalkSettingsTable(const void* data, size_t size, SettingVisitor visitor, void* context) {
    fw::ResourceReader reader(data, size);
    for (;;) {
        uint16_t id = 0;
        if (!reader.peekWord(id)) return false;
        if (id == 0) return true;

        CSettingEntry header;
        if (!header.parse(reader)) return false;
        std::unique_ptr<CSettingEntry> entry = header.specialize();
        if (!entry->parseDefault(reader)) return false;
        if (!visitor(*entry, context)) return false;
    }
}

namespace {

struct NameLookup {
    uint32_t id;
    const char* name;
};

bool StopAtId(const CSettingEntry& entry, void* context) {
    auto& lookup = *static_cast<NameLookup*>(context);
    if (entry.id() != lookup.id) return true;
    lookup.name = entry.name();
    return false;
}

}  // namespace

const char* FindSettingName(const void* data, size_t size, uint32_t id) {
    NameLookup lookup{id, nullptr};
    WalkSettingsTable(data, size, StopAtId, &lookup);
    return lookup.name;
}

namespace {

bool ReadTreeHeader(fw::ResourceReader& reader, SettingsTreeHeader& header) {
    return reader.readDword(header.root) && reader.readText(header.basePath);
}

}  // namespace

bool ReadSettingsTreeHeader(const void* data, size_t size, SettingsTreeHeader& header) {
    fw::ResourceReader reader(data, size);
    return ReadTreeHeader(reader, header);
}

bool WalkSettingsTree(const void* data, size_t size, SettingsTreeNode& node, SettingsTreeVisitor visitor,
                      void* context) {
    fw::ResourceReader reader(data, size);
    SettingsTreeHeader header;
    if (!ReadTreeHeader(reader, header)) return false;

    node = SettingsTreeNode{1, nullptr, std::string()};
    if (!visitor(node, context)) return false;

    // Without recursion, so that deep nesting in a damaged resource cannot exhaust the stack:
    // each open node list remembers the length of its parent's relative path.
    std::vector<size_t> parentPathLengths;
    for (;;) {
        uint16_t id = 0;
        if (!reader.readWord(id)) return false;
        if (id == 0) {
            if (parentPathLengths.empty()) return true;
            node.relativePath.resize(parentPathLengths.back());
            parentPathLengths.pop_back();
            continue;
        }
        const char* name = nullptr;
        if (!reader.readText(name)) return false;
        parentPathLengths.push_back(node.relativePath.size());
        node.relativePath += '\\';
        node.relativePath += name;
        node.id = id;
        node.name = name;
        if (!visitor(node, context)) return false;
    }
}

namespace {

bool StopAtNode(const SettingsTreeNode& node, void* context) { return node.id != *static_cast<uint32_t*>(context); }

}  // namespace

bool FindSettingsKeyPath(const void* data, size_t size, uint32_t id, uint32_t& root, std::string& path) {
    SettingsTreeHeader header;
    SettingsTreeNode node;
    if (!ReadSettingsTreeHeader(data, size, header)) return false;
    if (WalkSettingsTree(data, size, node, StopAtNode, &id) || node.id != id) return false;
    root = header.root;
    path = header.basePath + node.relativePath;
    return true;
}
