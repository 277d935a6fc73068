// Registry values that a test library describes as editable (ZKRC_REGEDIT): what each is, the
// value read from the registry and the value being edited, and how the Registry page's controls
// show and collect it. The page decides what to do with a value the user's text cannot give.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/DataExchange.h"
#include "framework/Window.h"
#include "resources/resource.h"
#include "testlib/LibraryFormat.h"

class CRegistryKey;

// The Registry page's controls, handed to every operation that shows or collects a value.
struct RegistryPageControls {
    fw::DataExchange* exchange = nullptr;  // the collection in progress; null otherwise
    int listId = IDC_REGPAGE_LIST;
    int editId = IDC_REGPAGE_EDIT;
    int infoId = IDC_REGPAGE_INFO;
    BOOL strict = FALSE;  // collecting before a save or a move, not while the user types
    fw::WindowRef list;
    fw::WindowRef edit;
    fw::WindowRef info;
};

// Why the controls' text was refused: the message to show, with the range for a range message.
struct CollectRefusal {
    UINT message = 0;  // 0: accepted
    DWORD minimum = 0;
    DWORD maximum = 0;
    explicit operator bool() const { return message != 0; }
};

// The number in text: decimal digits only, optionally between spaces, at most 4294967295.
bool ParseUnsignedDecimal(const std::string& text, DWORD& number);

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
    WORD kind() const { return m_type & ZK_EDIT_KIND_MASK; }
    bool isDword() const { return (m_type & 0x3) != 0; }
    bool deletable() const { return (m_type & ZK_EDIT_DELETABLE) != 0; }
    bool exists() const { return m_exists; }
    bool modified() const { return m_modified; }

    // Reads the stored value from key, which the edited value then equals; false when the
    // value does not exist there.
    bool Read(const CRegistryKey& key);

    // The description beside the tree, and the value in the edit box or the list.
    virtual void Show(const RegistryPageControls& controls) const;
    // The edited value becomes the stored one again.
    virtual void Revert() {}
    // The controls' text becomes the edited value, or is refused (nothing changes then).
    virtual CollectRefusal Collect(const RegistryPageControls&) { return {}; }
    // Writes the edited value under key; it is then the stored value. False when the write failed.
    virtual bool Commit(CRegistryKey&) { return true; }
    // The type and bytes that Commit would write; false when it writes nothing.
    virtual bool EditedData(DWORD&, std::string&) const { return false; }
    LONG DeleteFrom(CRegistryKey& key) const;

protected:
    virtual void ReadStored(const CRegistryKey&) {}
    bool isChoice() const { return kind() == ZK_EDIT_DWORD_CHOICE || kind() == ZK_EDIT_STRING_CHOICE; }
    bool isReadOnly() const { return kind() == ZK_EDIT_DWORD_READONLY || kind() == ZK_EDIT_STRING_READONLY; }
    void setModified(bool modified) { m_modified = modified; }
    // The edit box with text, or the list with its labels and the one whose index is given
    // selected (-1: none).
    void ShowText(const RegistryPageControls& controls, const std::string& text) const;
    void ShowChoices(const RegistryPageControls& controls, const std::vector<const char*>& labels, int selected) const;
    // The index of the label selected in the list; -1 when none is or its text is not a label.
    static int ChosenLabel(const RegistryPageControls& controls, const std::vector<const char*>& labels);

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

    void Show(const RegistryPageControls& controls) const override;
    void Revert() override { m_edited = m_stored; }
    CollectRefusal Collect(const RegistryPageControls& controls) override;
    bool Commit(CRegistryKey& key) override;
    bool EditedData(DWORD& type, std::string& data) const override;

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

    void Show(const RegistryPageControls& controls) const override;
    void Revert() override { m_edited = m_stored; }
    CollectRefusal Collect(const RegistryPageControls& controls) override;
    bool Commit(CRegistryKey& key) override;
    bool EditedData(DWORD& type, std::string& data) const override;

protected:
    void ReadStored(const CRegistryKey& key) override;

private:
    std::string m_stored;
    std::string m_edited;
    std::vector<const char*> m_labels;
    std::vector<const char*> m_values;
};
