#include "testlib/RegEditItem.h"

#include "registry/RegistryKey.h"

bool ParseUnsignedDecimal(const std::string& text, DWORD& number) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    const size_t end = text.find_last_not_of(' ') + 1;
    unsigned long long value = 0;
    for (size_t i = first; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
        if (value > 0xFFFFFFFFull) return false;
    }
    number = static_cast<DWORD>(value);
    return true;
}

RegEditItem::RegEditItem(const EditDescription& description)
    : m_label(description.label),
      m_valueName(description.valueName),
      m_description(description.description),
      m_type(description.type) {}

std::unique_ptr<RegEditItem> RegEditItem::Create(const EditDescription& description) {
    // DWORD bits are tested first: a type with both kinds of bits is a DWORD.
    if (description.type & 0x3) return std::make_unique<DwordRegEditItem>(description);
    if (description.type & 0xC) return std::make_unique<StringRegEditItem>(description);
    return std::make_unique<RegEditItem>(description);
}

bool RegEditItem::Read(const CRegistryKey& key) {
    m_exists = key.valueExists(m_valueName);
    if (m_exists) ReadStored(key);
    m_modified = false;
    return m_exists;
}

LONG RegEditItem::DeleteFrom(CRegistryKey& key) const { return key.deleteValue(m_valueName); }

void RegEditItem::Show(const RegistryPageControls& controls) const { controls.info.setText(m_description); }

void RegEditItem::ShowText(const RegistryPageControls& controls, const std::string& text) const {
    controls.list.show(SW_HIDE);
    controls.edit.show(SW_SHOW);
    controls.edit.send(EM_SETREADONLY, isReadOnly());
    controls.edit.setText(text);
}

void RegEditItem::ShowChoices(const RegistryPageControls& controls, const std::vector<const char*>& labels,
                              int selected) const {
    controls.edit.show(SW_HIDE);
    controls.list.show(SW_SHOW);
    controls.list.send(CB_RESETCONTENT);
    for (const char* label : labels) controls.list.send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
    const LRESULT found = selected < 0 ? CB_ERR
                                       : controls.list.send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                            reinterpret_cast<LPARAM>(labels[selected]));
    controls.list.send(CB_SETCURSEL, found == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(found));
}

int RegEditItem::ChosenLabel(const RegistryPageControls& controls, const std::vector<const char*>& labels) {
    const LRESULT selected = controls.list.send(CB_GETCURSEL);
    if (selected == CB_ERR) return -1;
    const LRESULT length = controls.list.send(CB_GETLBTEXTLEN, static_cast<WPARAM>(selected));
    if (length == CB_ERR) return -1;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    controls.list.send(CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    for (size_t i = 0; i < labels.size(); ++i)
        if (text == labels[i]) return static_cast<int>(i);
    return -1;
}

DwordRegEditItem::DwordRegEditItem(const EditDescription& description)
    : RegEditItem(description),
      m_minimum(description.minimum),
      m_maximum(description.maximum),
      m_labels(description.choiceLabels),
      m_values(description.dwordChoices) {}

void DwordRegEditItem::ReadStored(const CRegistryKey& key) {
    // Data of another type or size reads as 0 and is shown as such: the user may correct it.
    RegistryValueInfo info;
    m_stored = 0;
    if (key.queryValueInfo(valueName(), info) == ERROR_SUCCESS && info.type == REG_DWORD && info.size == sizeof(DWORD))
        key.getDword(valueName(), m_stored);
    m_edited = m_stored;
}

void DwordRegEditItem::Show(const RegistryPageControls& controls) const {
    RegEditItem::Show(controls);
    if (!isChoice()) {
        ShowText(controls, std::to_string(m_edited));
        return;
    }
    int selected = -1;
    for (size_t i = 0; i < m_values.size() && selected < 0; ++i)
        if (m_values[i] == m_edited) selected = static_cast<int>(i);
    ShowChoices(controls, m_labels, selected);
}

CollectRefusal DwordRegEditItem::Collect(const RegistryPageControls& controls) {
    switch (kind()) {
    case ZK_EDIT_DWORD_RANGE: {
        const std::string text = controls.edit.text();
        if (!controls.strict && text.empty()) {
            // The user is between two numbers: nothing to take yet, but not the stored value either.
            setModified(true);
            return {};
        }
        DWORD number = 0;
        if (!ParseUnsignedDecimal(text, number)) return {IDS_POSITIVE_NUMBER};
        if (controls.strict && (number < m_minimum || number > m_maximum))
            return {IDS_VALUE_BETWEEN, m_minimum, m_maximum};
        m_edited = number;
        break;
    }
    case ZK_EDIT_DWORD_CHOICE: {
        const int chosen = ChosenLabel(controls, m_labels);
        if (chosen >= 0) m_edited = m_values[static_cast<size_t>(chosen)];
        break;
    }
    default:
        return {};  // read-only
    }
    setModified(m_edited != m_stored);
    return {};
}

bool DwordRegEditItem::Commit(CRegistryKey& key) {
    if (key.setDword(valueName(), m_edited) != ERROR_SUCCESS) return false;
    m_stored = m_edited;
    setModified(false);
    return true;
}

bool DwordRegEditItem::EditedData(DWORD& type, std::string& data) const {
    type = REG_DWORD;
    data.assign(reinterpret_cast<const char*>(&m_edited), sizeof m_edited);
    return true;
}

StringRegEditItem::StringRegEditItem(const EditDescription& description)
    : RegEditItem(description), m_labels(description.choiceLabels), m_values(description.stringChoices) {}

void StringRegEditItem::ReadStored(const CRegistryKey& key) {
    // Only text is read as text; data of another type shows as an empty string.
    RegistryValueInfo info;
    m_stored.clear();
    if (key.queryValueInfo(valueName(), info) == ERROR_SUCCESS && (info.type == REG_SZ || info.type == REG_EXPAND_SZ))
        key.getString(valueName(), m_stored);
    m_edited = m_stored;
}

void StringRegEditItem::Show(const RegistryPageControls& controls) const {
    RegEditItem::Show(controls);
    if (!isChoice()) {
        ShowText(controls, m_edited);
        return;
    }
    int selected = -1;
    for (size_t i = 0; i < m_values.size() && selected < 0; ++i)
        if (m_edited == m_values[i]) selected = static_cast<int>(i);
    ShowChoices(controls, m_labels, selected);
}

CollectRefusal StringRegEditItem::Collect(const RegistryPageControls& controls) {
    // A read-only text is never taken back from the box: the control could alter it on the way.
    if (isReadOnly()) return {};
    if (isChoice()) {
        const int chosen = ChosenLabel(controls, m_labels);
        m_edited = chosen >= 0 ? m_values[static_cast<size_t>(chosen)] : "";
    } else {
        m_edited = controls.edit.text();
    }
    setModified(m_edited != m_stored);
    return {};
}

bool StringRegEditItem::Commit(CRegistryKey& key) {
    if (key.setString(valueName(), m_edited.c_str()) != ERROR_SUCCESS) return false;
    m_stored = m_edited;
    setModified(false);
    return true;
}

bool StringRegEditItem::EditedData(DWORD& type, std::string& data) const {
    type = REG_SZ;
    data.assign(m_edited.c_str(), m_edited.size() + 1);
    return true;
}
