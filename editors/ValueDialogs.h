// The dialogs in which the registry editor asks for a value's name and data, or for the name of a
// new key. They open centred over their owner and never write to the registry: after OK the
// caller reads the fields and writes.
// Each value dialog has two forms: an existing value (name read-only, no clash test) and a new
// value (name writable; OK refuses a name that the clash key already holds).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"

// The common part of the three value dialogs: the owner, the name and the key to test for clashes.
class CValueDialog : public fw::CDialog {
public:
    // IDOK or IDCANCEL (-1 when the dialog could not be created).
    INT_PTR DoModal();
    const std::string& name() const { return m_name; }

protected:
    CValueDialog(UINT templateId, int nameId, HWND parent, std::string name, HKEY clashKey);
    BOOL OnInitDialog() override;
    // The name edit in both directions and, when saving a new value, the clash test.
    void exchangeName(fw::DataExchange& exchange);

private:
    HWND m_parent;
    int m_nameId;
    std::string m_name;
    HKEY m_clashKey;
};

class CEditStringDlg : public CValueDialog {
public:
    CEditStringDlg(HWND parent, const std::string& name, const std::string& value);  // existing
    CEditStringDlg(HWND parent, HKEY clashKey);                                        // new
    const std::string& value() const { return m_value; }

protected:
    void DoDataExchange(fw::DataExchange& exchange) override;

private:
    std::string m_value;
};

class CEditDwordDlg : public CValueDialog {
public:
    enum Base : DWORD { kDecimal = 0, kHex = 1 };
    // Both forms open in the base that the "Dword Base" setting names (decimal when absent).
    CEditDwordDlg(HWND parent, const std::string& name, DWORD value);  // existing
    CEditDwordDlg(HWND parent, HKEY clashKey);                          // new: value 0
    DWORD value() const { return m_value; }
    DWORD base() const { return m_base; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& exchange) override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    DWORD m_value = 0;
    DWORD m_base = kDecimal;
};

class CEditBinaryDlg : public CValueDialog {
public:
    CEditBinaryDlg(HWND parent, const std::string& name, const void* data, DWORD size);  // existing
    CEditBinaryDlg(HWND parent, HKEY clashKey);                                          // new: 0 bytes
    // Exactly the bytes that the hex edit held at OK.
    const std::vector<BYTE>& data() const { return m_data; }
    DWORD size() const { return static_cast<DWORD>(m_data.size()); }

protected:
    void DoDataExchange(fw::DataExchange& exchange) override;

private:
    std::vector<BYTE> m_data;
};

// Asks for the name of a new subkey of parentKey; OK refuses a name that parentKey already has
// (an empty name included, since it names parentKey itself). Run it with DoModal(owner).
class CNewKeyDlg : public fw::CDialog {
public:
    explicit CNewKeyDlg(HKEY parentKey);
    const std::string& name() const { return m_name; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& exchange) override;

private:
    HKEY m_parentKey;
    std::string m_name;
};

// Refuses with a message box on the dialog, captioned with the program's name, and fails the
// exchange with the focus on control id.
[[noreturn]] void RefuseEntry(HWND dialog, fw::DataExchange& exchange, UINT messageId, int id);
