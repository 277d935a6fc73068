// HelloPage.cpp
#include <windows.h>

#include "zelkor.h"

#define IDC_HELLO_TEXT 1000

static char g_computer[MAX_COMPUTERNAME_LENGTH + 1];

extern "C" INT_PTR CALLBACK HelloPage(HWND page, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case ZKPM_ACTIVATE: {  // do the test's work each time the page is shown
        DWORD size = sizeof g_computer;
        if (!GetComputerNameA(g_computer, &size)) lstrcpyA(g_computer, "(unknown)");
        SetDlgItemTextA(page, IDC_HELLO_TEXT, g_computer);
        return TRUE;
    }
    case ZKPM_NEXT:
        SetWindowLongPtrA(page, DWLP_MSGRESULT, 1);  // the user may go on
        return TRUE;
    case ZKPM_WRITELOG:
        ZKLogSection("Hello");
        ZKLogSubsection("This computer");
        ZKLogFormat("Computer name: %s\r\n\r\n", g_computer);
        return TRUE;
    }
    return FALSE;
}
