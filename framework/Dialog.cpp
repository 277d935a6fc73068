#include "framework/Dialog.h"

#include "framework/FaultFrame.h"
#include "framework/ReflectedControl.h"
#include "framework/Trace.h"

namespace fw {

CDialog::CDialog(UINT templateId, HMODULE module) : m_templateId(templateId), m_module(module) {}

CDialog::CDialog(const DLGTEMPLATE* memoryTemplate, HMODULE module)
    : m_memoryTemplate(memoryTemplate), m_module(module) {}

CDialog::~CDialog() { Destroy(); }

void CDialog::SetTemplate(const DLGTEMPLATE* memoryTemplate, HMODULE module) {
    m_memoryTemplate = memoryTemplate;
    m_module = module;
}

const DLGTEMPLATE* CDialog::resolveTemplate() const {
    if (m_memoryTemplate) return m_memoryTemplate;
    HMODULE module = m_module ? m_module : GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(m_templateId), MAKEINTRESOURCEA(5));
    if (!info) return nullptr;
    HGLOBAL loaded = LoadResource(module, info);
    return loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
}

INT_PTR CDialog::DoModal(HWND owner) {
    const DLGTEMPLATE* dialogTemplate = resolveTemplate();
    if (!dialogTemplate) return -1;
    m_modal = true;
    HINSTANCE instance = m_module ? m_module : GetModuleHandleA(nullptr);
    INT_PTR result = DialogBoxIndirectParamA(instance, dialogTemplate, owner, StaticDialogProc,
                                             reinterpret_cast<LPARAM>(this));
    m_modal = false;
    return result;
}

bool CDialog::Create(HWND parent) {
    const DLGTEMPLATE* dialogTemplate = resolveTemplate();
    if (!dialogTemplate) return false;
    HINSTANCE instance = m_module ? m_module : GetModuleHandleA(nullptr);
    HWND created = CreateDialogIndirectParamA(instance, dialogTemplate, parent, StaticDialogProc,
                                              reinterpret_cast<LPARAM>(this));
    return created != nullptr;
}

void CDialog::Destroy() {
    HWND hwnd = Detach();
    if (hwnd && IsWindow(hwnd)) DestroyWindow(hwnd);
}

HWND CDialog::Detach() {
    HWND hwnd = m_hwnd;
    if (hwnd && FromHandle(hwnd) == this) SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    m_hwnd = nullptr;
    return hwnd;
}

CDialog* CDialog::FromHandle(HWND hwnd) {
    if (!hwnd || GetWindowLongPtrA(hwnd, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(StaticDialogProc))
        return nullptr;
    return reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
}

bool CDialog::UpdateData(bool save) {
    DataExchange exchange(m_hwnd, save);
    try {
        DoDataExchange(exchange);
        return true;
    } catch (const DataExchangeFailure&) {
        return false;
    }
}

INT_PTR CDialog::Answer(LRESULT result) {
    SetWindowLongPtrA(m_hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

bool CDialog::OnCommand(WORD id, WORD, HWND) {
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool CDialog::OnNotify(NMHDR* header, LRESULT& result) {
    if (ReflectedControl* control = ReflectedControl::FromHandle(header->hwndFrom))
        return control->OnReflectedNotify(header, result);
    return false;
}

void CDialog::OnOK() {
    if (!UpdateData(true)) return;
    if (m_modal) EndDialog(IDOK);
}

void CDialog::OnCancel() {
    if (m_modal) EndDialog(IDCANCEL);
}

INT_PTR CDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(reinterpret_cast<NMHDR*>(lParam), result)) return Answer(result);
        return FALSE;
    }
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* dialog;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        dialog->m_hwnd = hwnd;
    } else {
        dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!dialog) return FALSE;
    INT_PTR handled = FALSE;
    try {
        InFaultFrame([&] { handled = dialog->DialogProc(message, wParam, lParam); });
    } catch (...) {
        TraceCaughtException("CDialog::StaticDialogProc");  // nothing unwinds through the system's code
        handled = FALSE;
    }
    if (message == WM_NCDESTROY && dialog->m_hwnd == hwnd) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        dialog->m_hwnd = nullptr;
    }
    return handled;
}

}  // namespace fw
