#include "framework/DataExchange.h"

#include "framework/Window.h"

namespace fw {

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
