// The two resource formats of the settings store, read in place (little-endian, packed, 8-bit
// text). Portable: no Windows headers, so the parsers also build natively for the fuzz target.
//
// ZKRC_REGKEY table: entries { id (16-bit, never 0), value name, type code (16-bit), the default
// the code calls for } ended by a 16-bit zero.
// ZKRC_REGTREE: root key (32-bit), base path, node list. A node list is nodes { id (16-bit,
// never 0), name, the node list of its children } ended by a 16-bit zero.
//
// The walks know the resource's size: a truncated resource, a missing terminating zero or a text
// without its zero byte ends the walk with false, and nothing is read past the end.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/ResourceReader.h"

// The resource types of the two formats.
inline constexpr char ZKRC_REGTREE[] = "ZKRC_REGTREE";
inline constexpr char ZKRC_REGKEY[] = "ZKRC_REGKEY";

// Type codes of a table entry: 0 to 2 carry a default, 3 to 5 are their twins without one,
// and higher codes are untyped.
enum : uint32_t {
    SETTING_DWORD = 0,
    SETTING_STRING = 1,
    SETTING_BINARY = 2,
    SETTING_DWORD_NO_DEFAULT = 3,
    SETTING_STRING_NO_DEFAULT = 4,
    SETTING_BINARY_NO_DEFAULT = 5,
};

// Where writeDefault puts a default: in the program, the key that the table describes.
// Results are the registry's codes (0 = success).
class SettingValueWriter {
public:
    virtual ~SettingValueWriter() = default;
    virtual long setDword(const char* name, uint32_t value) = 0;
    virtual long setString(const char* name, const char* text) = 0;
    virtual long setBinary(const char* name, const void* data, uint32_t size) = 0;
};

// One table entry while it is being walked. The plain entry stands for untyped codes; the walk
// turns it into the subclass that its type code calls for, which then reads the default.
class CSettingEntry {
public:
    CSettingEntry() = default;
    virtual ~CSettingEntry() = default;
    CSettingEntry& operator=(const CSettingEntry&) = delete;

    // Reads id, value name and type code.
    bool parse(fw::ResourceReader& reader);
    // The entry of the kind that the type code calls for, taking over the fields read so far.
    std::unique_ptr<CSettingEntry> specialize() const;

    // Reads the default, if the entry has one.
    virtual bool parseDefault(fw::ResourceReader& reader);
    // Writes the default under the entry's name; 0 when there is nothing to write.
    virtual long writeDefault(SettingValueWriter& key) const;

    uint32_t id() const { return m_id; }
    const char* name() const { return m_name; }
    bool noDefault() const { return m_noDefault; }

protected:
    CSettingEntry(const CSettingEntry&) = default;

private:
    uint32_t m_id = 0;
    const char* m_name = nullptr;
    uint32_t m_typeCode = 0;
    bool m_noDefault = false;
};

class CDwordSettingEntry : public CSettingEntry {
public:
    explicit CDwordSettingEntry(const CSettingEntry& header) : CSettingEntry(header) {}
    bool parseDefault(fw::ResourceReader& reader) override;
    long writeDefault(SettingValueWriter& key) const override;

private:
    uint32_t m_default = 0;
};

class CStringSettingEntry : public CSettingEntry {
public:
    explicit CStringSettingEntry(const CSettingEntry& header) : CSettingEntry(header) {}
    bool parseDefault(fw::ResourceReader& reader) override;
    long writeDefault(SettingValueWriter& key) const override;

private:
    const char* m_default = nullptr;
};

class CBinarySettingEntry : public CSettingEntry {
public:
    explicit CBinarySettingEntry(const CSettingEntry& header) : CSettingEntry(header) {}
    bool parseDefault(fw::ResourceReader& reader) override;
    long writeDefault(SettingValueWriter& key) const override;

private:
    uint32_t m_defaultSize = 0;
    const uint8_t* m_default = nullptr;
};

// Visitors return false to stop the walk.
using SettingVisitor = bool (*)(const CSettingEntry& entry, void* context);

// True when the table's terminating zero was reached; false when the visitor stopped the walk
// or the table is malformed.
bool WalkSettingsTable(const void* data, size_t size, SettingVisitor visitor, void* context);
// The value name of the first entry with this id, pointing into the table; null when none.
const char* FindSettingName(const void* data, size_t size, uint32_t id);

struct SettingsTreeHeader {
    uint32_t root = 0;  // a predefined root key handle as 32 bits: 0x80000001 is HKEY_CURRENT_USER
    const char* basePath = nullptr;
};

// One key of the tree. The settings root has id 1, no name and an empty relative path; every
// other node's relative path is its parent's, a backslash and its name.
struct SettingsTreeNode {
    uint32_t id = 0;
    const char* name = nullptr;
    std::string relativePath;
};

using SettingsTreeVisitor = bool (*)(const SettingsTreeNode& node, void* context);

bool ReadSettingsTreeHeader(const void* data, size_t size, SettingsTreeHeader& header);
// Visits the settings root, then every node depth-first, a parent before its children. True
// when the whole tree was visited; false when the visitor stopped the walk (node then holds the
// node it stopped at) or the tree is malformed.
bool WalkSettingsTree(const void* data, size_t size, SettingsTreeNode& node, SettingsTreeVisitor visitor,
                      void* context);
// Root and full path (base path followed by the node's relative path) of the key with this id.
bool FindSettingsKeyPath(const void* data, size_t size, uint32_t id, uint32_t& root, std::string& path);
