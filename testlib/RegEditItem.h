// Registry values that a test library describes as editable (ZKRC_REGEDIT): what each is, the
// value read from the registry and the value being edited. The Registry page shows, edits and
// writes them back.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "testlib/LibraryFormat.h"

class CRegistryKey;

class RegEditItem {
public:
    explicit RegEditItem(const EditDescription& description);
    virtual ~RegEditItem() = default;
    RegEditItem(const RegEditItem&) = delete;
    RegEditItem& operator=(const RegEditItem&) = delete;

    // A DWORD, string or plain item, by the description's type word.
    static std::unique_ptr<RegEditItem> Create(const EditDescription& description);

    const char* label() const { return m_label; }
    const char* valueName() const { return m_valueName; }
    const char* description() const { return m_description; }
    WORD type() const { return m_type; }
    WORD kind() const { return m_type & ZK_EDIT_KIND_MASK; }
    bool deletable() const { return (m_type & ZK_EDIT_DELETABLE) != 0; }
    bool exists() const { return m_exists; }
    bool modified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    // Reads the stored value from key, which the edited value then equals; false when the
    // value does not exist there.
    bool Read(const CRegistryKey& key);

protected:
    virtual void ReadStored(const CRegistryKey&) {}

private:
    const char* m_label;
    const char* m_valueName;
    const char* m_description;
    WORD m_type;
    bool m_exists = false;
    bool m_modified = false;
};

class DwordRegEditItem : public RegEditItem {
public:
    explicit DwordRegEditItem(const EditDescription& description);

    DWORD stored() const { return m_stored; }
    DWORD edited() const { return m_edited; }
    void setEdited(DWORD value) { m_edited = value; }
    DWORD minimum() const { return m_minimum; }
    DWORD maximum() const { return m_maximum; }
    const std::vector<const char*>& choiceLabels() const { return m_labels; }
    const std::vector<uint32_t>& choiceValues() const { return m_values; }

protected:
    void ReadStored(const CRegistryKey& key) override;

private:
    DWORD m_stored = 0;
    DWORD m_edited = 0;
    DWORD m_minimum;
    DWORD m_maximum;
    std::vector<const char*> m_labels;
    std::vector<uint32_t> m_values;
};

class StringRegEditItem : public RegEditItem {
public:
    explicit StringRegEditItem(const EditDescription& description);

    const std::string& stored() const { return m_stored; }
    const std::string& edited() const { return m_edited; }
    void setEdited(const std::string& value) { m_edited = value; }
    const std::vector<const char*>& choiceLabels() const { return m_labels; }
    const std::vector<const char*>& choiceValues() const { return m_values; }

protected:
    void ReadStored(const CRegistryKey& key) override;

private:
    std::string m_stored;
    std::string m_edited;
    std::vector<const char*> m_labels;
    std::vector<const char*> m_values;
};
