#include "framework/DataExchange.h"

#include <cstdint>

#include "framework/Window.h"

namespace fw {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

bool ParseUnsignedDecimal(const std::string& text, DWORD& value) {
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i < text.size() && text[i] == '+') ++i;
    const size_t firstDigit = i;
    uint64_t number = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        number = number * 10 + static_cast<uint64_t>(text[i] - '0');
        if (number > 0xFFFFFFFFu) return false;
    }
    if (i == firstDigit) return false;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i != text.size()) return false;
    value = static_cast<DWORD>(number);
    return true;
}

void DataExchange::text(int id, std::string& value) {
    WindowRef control(GetDlgItem(m_dialog, id));
    if (m_saving)
        value = control.text();
    else
        control.setText(value);
}

void DataExchange::check(int id, bool& checked) {
    WindowRef control(GetDlgItem(m_dialog, id));
    if (m_saving)
        checked = control.isChecked();
    else
        control.setCheck(checked);
}

void DataExchange::radio(const int* ids, int count, int& index) {
    if (m_saving) {
        index = -1;
        for (int i = 0; i < count; ++i)
            if (WindowRef(GetDlgItem(m_dialog, ids[i])).isChecked()) index = i;
        return;
    }
    for (int i = 0; i < count; ++i) WindowRef(GetDlgItem(m_dialog, ids[i])).setCheck(i == index);
}

void DataExchange::fail(int id) const {
    HWND control = GetDlgItem(m_dialog, id);
    if (control) SetFocus(control);
    throw DataExchangeFailure{id};
}

}  // namespace fw
