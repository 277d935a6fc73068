#include "testlib/RegEditItem.h"

#include "registry/RegistryKey.h"

RegEditItem::RegEditItem(const EditDescription& description)
    : m_label(description.label),
      m_valueName(description.valueName),
      m_description(description.description),
      m_type(description.type) {}

std::unique_ptr<RegEditItem> RegEditItem::Create(const EditDescription& description) {
    switch (EditKindOf(description.type)) {
    case EditValueKind::Dword:
        return std::make_unique<DwordRegEditItem>(description);
    case EditValueKind::String:
        return std::make_unique<StringRegEditItem>(description);
    default:
        return std::make_unique<RegEditItem>(description);
    }
}

bool RegEditItem::Read(const CRegistryKey& key) {
    m_exists = key.valueExists(m_valueName);
    if (m_exists) ReadStored(key);
    m_modified = false;
    return m_exists;
}

DwordRegEditItem::DwordRegEditItem(const EditDescription& description)
    : RegEditItem(description),
      m_minimum(description.minimum),
      m_maximum(description.maximum),
      m_labels(description.choiceLabels),
      m_values(description.dwordChoices) {}

void DwordRegEditItem::ReadStored(const CRegistryKey& key) {
    // A value of another type reads as 0 and is shown as such: the user may correct it.
    m_stored = key.getDword(valueName());
    m_edited = m_stored;
}

StringRegEditItem::StringRegEditItem(const EditDescription& description)
    : RegEditItem(description), m_labels(description.choiceLabels), m_values(description.stringChoices) {}

void StringRegEditItem::ReadStored(const CRegistryKey& key) {
    key.getString(valueName(), m_stored);
    m_edited = m_stored;
}
