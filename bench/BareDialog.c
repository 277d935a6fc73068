/* The floor for start-up: a program that shows one dialog of about the wizard's size and does
 * nothing else. Plain C with the common controls, stripped as the program is. */
#include <windows.h>
#include <commctrl.h>

static INT_PTR CALLBACK BareDialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)wParam;
    (void)lParam;
    if (message == WM_CLOSE) {
        EndDialog(window, 0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)previous;
    (void)commandLine;
    (void)show;
    InitCommonControls();
    return (int)DialogBoxParamA(instance, MAKEINTRESOURCEA(1), NULL, BareDialogProcedure, 0);
}
