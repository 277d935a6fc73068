// Dialog data exchange: moves values between controls and members in one direction at a time.
// A failed conversion names the control, puts the focus there and throws DataExchangeFailure.
#pragma once
#include <windows.h>
#include <string>

namespace fw {

// An unsigned decimal number as "%lu" reads it: blanks around it and a plus sign allowed; no
// digits, a minus sign, more than 32 bits or anything else after the digits is refused.
bool ParseUnsignedDecimal(const std::string& text, DWORD& value);

struct DataExchangeFailure {
    int controlId;
};

class DataExchange {
public:
    DataExchange(HWND dialog, bool saving) : m_dialog(dialog), m_saving(saving) {}
    bool saving() const { return m_saving; }
    void text(int id, std::string& value);
    void check(int id, bool& checked);
    // A group of radio buttons given in tab order; index is the selected one, -1 for none.
    void radio(const int* ids, int count, int& index);
    // Puts the focus on the control and throws.
    [[noreturn]] void fail(int id) const;

private:
    HWND m_dialog;
    bool m_saving;
};

}  // namespace fw
