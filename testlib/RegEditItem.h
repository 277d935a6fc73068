// Registry values that a test library describes as editable (ZKRC_REGEDIT): what each is, the
// value read from the registry and the value being edited, how typed text or a chosen label
// becomes that value, and its writing. Showing and collecting are the Registry page's.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "testlib/LibraryFormat.h"

class CRegistryKey;

// Why typed text was refused: the message to show, with the range for a range message.
struct CollectRefusal {
    UINT message = 0;  // 0: accepted
    DWORD minimum = 0;
    DWORD maximum = 0;
    explicit operator bool() const { return message != 0; }
};

class RegEditItem {
public:
    explicit RegEditItem(const EditDescription& description);
    virtual ~RegEditItem() = default;
    RegEditItem(const RegEditItem&) = delete;
    RegEditItem& operator=(const RegEditItem&) = delete;

    // A DWORD or a string item, by the description's type word (a type with both kinds of bits
    // is a DWORD).
    static std::unique_ptr<RegEditItem> Create(const EditDescription& description);

    const char* label() const { return m_label; }
    const char* valueName() const { return m_valueName; }
    const char* description() const { return m_description; }
    WORD kind() const { return m_type & ZK_EDIT_KIND_MASK; }
    bool isDword() const { return (m_type & 0x3) != 0; }
    bool isChoice() const { return kind() == ZK_EDIT_DWORD_CHOICE || kind() == ZK_EDIT_STRING_CHOICE; }
    bool isReadOnly() const { return kind() == ZK_EDIT_DWORD_READONLY || kind() == ZK_EDIT_STRING_READONLY; }
    bool deletable() const { return (m_type & ZK_EDIT_DELETABLE) != 0; }
    bool exists() const { return m_exists; }
    bool modified() const { return m_modified; }
    const std::vector<const char*>& choiceLabels() const { return m_labels; }

    // Reads the stored value from key, which the edited value then equals; false when the
    // value does not exist there.
    bool Read(const CRegistryKey& key);
    // The edited value as text; and the index of its label among the choices, -1 for none.
    virtual std::string text() const = 0;
    virtual int chosen() const = 0;
    // The edited value becomes the stored one again.
    virtual void Revert() = 0;
    // Typed text becomes the edited value, or is refused (nothing changes then). Strict: the
    // user is done (saving or moving on), not between two keystrokes, so the range applies.
    // Read-only and choice kinds take no text.
    virtual CollectRefusal TakeText(const std::string& text, bool strict) = 0;
    // The choice of that index becomes the edited value; -1 when no label is chosen.
    virtual void TakeChoice(int index) = 0;
    // Writes the edited data under key; it is then the stored value. The registry's code.
    LONG Commit(CRegistryKey& key);
    // The type and bytes that Commit writes.
    virtual void EditedData(DWORD& type, std::string& data) const = 0;
    LONG DeleteFrom(CRegistryKey& key) const;

protected:
    virtual void ReadStored(const CRegistryKey& key) = 0;
    // The edited value, now written, becomes the stored one.
    virtual void KeepEdited() = 0;
    void setModified(bool modified) { m_modified = modified; }

private:
    const char* m_label;
    const char* m_valueName;
    const char* m_description;
    WORD m_type;
    std::vector<const char*> m_labels;
    bool m_exists = false;
    bool m_modified = false;
};

class DwordRegEditItem : public RegEditItem {
public:
    explicit DwordRegEditItem(const EditDescription& description);

    DWORD stored() const { return m_stored; }
    DWORD edited() const { return m_edited; }

    std::string text() const override { return std::to_string(m_edited); }
    int chosen() const override;
    void Revert() override { m_edited = m_stored; }
    CollectRefusal TakeText(const std::string& text, bool strict) override;
    void TakeChoice(int index) override;
    void EditedData(DWORD& type, std::string& data) const override;

protected:
    void ReadStored(const CRegistryKey& key) override;
    void KeepEdited() override { m_stored = m_edited; }

private:
    DWORD m_stored = 0;
    DWORD m_edited = 0;
    DWORD m_minimum;
    DWORD m_maximum;
    std::vector<uint32_t> m_values;
};

class StringRegEditItem : public RegEditItem {
public:
    explicit StringRegEditItem(const EditDescription& description);

    const std::string& stored() const { return m_stored; }
    const std::string& edited() const { return m_edited; }

    std::string text() const override { return m_edited; }
    int chosen() const override;
    void Revert() override { m_edited = m_stored; }
    CollectRefusal TakeText(const std::string& text, bool strict) override;
    void TakeChoice(int index) override;
    void EditedData(DWORD& type, std::string& data) const override;

protected:
    void ReadStored(const CRegistryKey& key) override;
    void KeepEdited() override { m_stored = m_edited; }

private:
    std::string m_stored;
    std::string m_edited;
    std::vector<const char*> m_values;
};
