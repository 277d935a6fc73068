// Dialogs: modal or modeless, from a template in any module or from an in-memory template.
// Messages reach virtual member functions; no exception leaves the dialog procedure.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/DataExchange.h"
#include "framework/Window.h"

namespace fw {

class CDialog {
public:
    // A template from the string-less resource id of a module (null: the program itself).
    CDialog(UINT templateId, HMODULE module = nullptr);
    // An in-memory template that must outlive the window; module supplies its resources.
    CDialog(const DLGTEMPLATE* memoryTemplate, HMODULE module);
    virtual ~CDialog();

    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    INT_PTR DoModal(HWND owner);
    bool Create(HWND parent);  // modeless
    void Destroy();

    HWND hwnd() const { return m_hwnd; }
    WindowRef window() const { return WindowRef(m_hwnd); }
    WindowRef item(int id) const { return WindowRef(GetDlgItem(m_hwnd, id)); }
    void EndDialog(INT_PTR result) { ::EndDialog(m_hwnd, result); }
    // Runs DoDataExchange; false when a control's value was refused.
    bool UpdateData(bool save);

    static CDialog* FromHandle(HWND hwnd);

protected:
    // Sets the template later, for dialogs whose template is prepared after construction.
    void SetTemplate(const DLGTEMPLATE* memoryTemplate, HMODULE module);
    // Puts a window that another dialog procedure created under this object, without subclassing.
    void Attach(HWND hwnd) { m_hwnd = hwnd; }
    HWND Detach();

    virtual INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(DataExchange&) {}
    // Return true when the command was handled.
    virtual bool OnCommand(WORD id, WORD code, HWND control);
    // Return true and set result when the notification was handled.
    virtual bool OnNotify(NMHDR* header, LRESULT& result);
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnDestroy() {}
    // Answers a message with a value, as the platform's dialog rules require.
    INT_PTR Answer(LRESULT result);
    // Puts the dialog centred over the window that owns it (the screen when none does).
    void CentreOverOwner() const { CentreOver(m_hwnd, GetWindow(m_hwnd, GW_OWNER)); }

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND, UINT, WPARAM, LPARAM);
    const DLGTEMPLATE* resolveTemplate() const;

    UINT m_templateId = 0;
    const DLGTEMPLATE* m_memoryTemplate = nullptr;
    HMODULE m_module = nullptr;
    HWND m_hwnd = nullptr;
    bool m_modal = false;
};

}  // namespace fw
