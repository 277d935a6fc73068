#include "testlib/RegEditItem.h"

#include "framework/DataExchange.h"
#include "registry/RegistryKey.h"
#include "resources/resource.h"

namespace {
template <class Value, class Stored>
int IndexOf(const std::vector<Value>& values, const Stored& edited) {
    for (size_t i = 0; i < values.size(); ++i)
        if (edited == values[i]) return static_cast<int>(i);
    return -1;
}
}  // namespace

RegEditItem::RegEditItem(const EditDescription& description)
    : m_label(description.label),
      m_valueName(description.valueName),
      m_description(description.description),
      m_type(description.type),
      m_labels(description.choiceLabels) {}

std::unique_ptr<RegEditItem> RegEditItem::Create(const EditDescription& description) {
    if (description.type & 0x3) return std::make_unique<DwordRegEditItem>(description);
    return std::make_unique<StringRegEditItem>(description);
}

bool RegEditItem::Read(const CRegistryKey& key) {
    m_exists = key.valueExists(m_valueName);
    if (m_exists) ReadStored(key);
    m_modified = false;
    return m_exists;
}

LONG RegEditItem::Commit(CRegistryKey& key) {
    DWORD type = REG_NONE;
    std::string data;
    EditedData(type, data);
    const LONG result = key.setValue(m_valueName, type, data.data(), static_cast<DWORD>(data.size()));
    if (result != ERROR_SUCCESS) return result;
    KeepEdited();
    setModified(false);
    return result;
}

LONG RegEditItem::DeleteFrom(CRegistryKey& key) const { return key.deleteValue(m_valueName); }

DwordRegEditItem::DwordRegEditItem(const EditDescription& description)
    : RegEditItem(description),
      m_minimum(description.minimum),
      m_maximum(description.maximum),
      m_values(description.dwordChoices) {}

void DwordRegEditItem::ReadStored(const CRegistryKey& key) {
    // Data of another type or size reads as 0 and is shown as such: the user may correct it.
    RegistryValueInfo info;
    m_stored = 0;
    if (key.queryValueInfo(valueName(), info) == ERROR_SUCCESS && info.type == REG_DWORD && info.size == sizeof(DWORD))
        key.getDword(valueName(), m_stored);
    m_edited = m_stored;
}

int DwordRegEditItem::chosen() const { return IndexOf(m_values, m_edited); }

CollectRefusal DwordRegEditItem::TakeText(const std::string& text, bool strict) {
    if (kind() != ZK_EDIT_DWORD_RANGE) return {};
    if (!strict && text.empty()) {
        // The user is between two numbers: nothing to take yet, but not the stored value either.
        setModified(true);
        return {};
    }
    DWORD number = 0;
    if (!fw::ParseUnsignedDecimal(text, number)) return {IDS_POSITIVE_NUMBER};
    if (strict && (number < m_minimum || number > m_maximum)) return {IDS_VALUE_BETWEEN, m_minimum, m_maximum};
    m_edited = number;
    setModified(m_edited != m_stored);
    return {};
}

void DwordRegEditItem::TakeChoice(int index) {
    if (kind() != ZK_EDIT_DWORD_CHOICE) return;
    if (index >= 0 && static_cast<size_t>(index) < m_values.size()) m_edited = m_values[static_cast<size_t>(index)];
    setModified(m_edited != m_stored);
}

void DwordRegEditItem::EditedData(DWORD& type, std::string& data) const {
    type = REG_DWORD;
    data.assign(reinterpret_cast<const char*>(&m_edited), sizeof m_edited);
}

StringRegEditItem::StringRegEditItem(const EditDescription& description)
    : RegEditItem(description), m_values(description.stringChoices) {}

void StringRegEditItem::ReadStored(const CRegistryKey& key) {
    // Only text is read as text; data of another type shows as an empty string.
    RegistryValueInfo info;
    m_stored.clear();
    if (key.queryValueInfo(valueName(), info) == ERROR_SUCCESS && (info.type == REG_SZ || info.type == REG_EXPAND_SZ))
        key.getString(valueName(), m_stored);
    m_edited = m_stored;
}

int StringRegEditItem::chosen() const { return IndexOf(m_values, m_edited); }

// A read-only text is never taken back from the box: the control could alter it on the way.
CollectRefusal StringRegEditItem::TakeText(const std::string& text, bool) {
    if (kind() != ZK_EDIT_STRING) return {};
    m_edited = text;
    setModified(m_edited != m_stored);
    return {};
}

void StringRegEditItem::TakeChoice(int index) {
    if (kind() != ZK_EDIT_STRING_CHOICE) return;
    m_edited = index >= 0 && static_cast<size_t>(index) < m_values.size() ? m_values[static_cast<size_t>(index)] : "";
    setModified(m_edited != m_stored);
}

void StringRegEditItem::EditedData(DWORD& type, std::string& data) const {
    type = REG_SZ;
    data.assign(m_edited.c_str(), m_edited.size() + 1);
}
