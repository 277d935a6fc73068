// Zelkor host interface for test libraries (*.ZKL).
//
// A test library is a DLL beside Zelkor.exe. It describes itself with a ZKRC_LIBRARY resource
// (see zelkor_rc.h), supplies one dialog template and one dialog procedure exported by ordinal
// per test, and calls back into Zelkor.exe through the functions declared here. Link the library
// against Zelkor.exe's import library and build it with the same compiler family (the exports
// are C++ functions with decorated names; every one but ZKLogFormat is WINAPI).
//
// The error classes below are thrown and caught across the boundary, so the library must share
// Zelkor.exe's C++ runtime: link it with mingw-w64's shared runtime (-shared-libgcc, the default
// shared libstdc++; never -static, -static-libgcc or -static-libstdc++). Zelkor.exe ships with
// the runtime DLLs beside it: libgcc_s_dw2-1.dll (32-bit) or libgcc_s_seh-1.dll (64-bit),
// libstdc++-6.dll and libwinpthread-1.dll. On 32-bit Windows a library that carries its own
// copy of the runtime has its own exception unwinder, and an XError thrown by Zelkor.exe ends
// the process instead of reaching the library's catch.
#ifndef ZELKOR_SDK_ZELKOR_H
#define ZELKOR_SDK_ZELKOR_H

#include <windows.h>

#ifdef ZELKOR_HOST
#define ZK_API __declspec(dllexport)
#else
#define ZK_API __declspec(dllimport)
#endif

// Page messages (ZKPM_*): the wizard sends these to every page, test pages included.
#include "zelkor_pages.h"

// Flags of tests, keys, system files and registry values: the resource formats' numbers.
#include "zelkor_rc.h"

// ---- Record of ZKCreateProcess. ----
typedef struct tagCREATEPROCESSINFO {
    DWORD cbSize;                // sizeof(CREATEPROCESSINFO); 28 in a 32-bit program
    LPSTR lpCommandLine;         // required
    LPVOID lpEnvironment;        // null: inherit
    LPCSTR lpCurrentDirectory;   // null: inherit
    LPSTARTUPINFOA lpStartupInfo;  // null: default
    HWND hwndNotify;             // told when the process ends; may be null
    UINT uNotifyMessage;         // sent with wParam 0, lParam the exit code
} CREATEPROCESSINFO, *LPCREATEPROCESSINFO;

// ---- Exceptions shared between the host and the test libraries. ----
class ZK_API XError {
public:
    XError();
    XError& operator=(const XError&);
    // Throws XError when value is 0, otherwise returns it.
    static int Check(int value);
};

class ZK_API XOleError : public XError {
public:
    explicit XOleError(long result);
    XOleError& operator=(const XOleError&);
    // Throws XOleError when result is negative, otherwise returns it.
    static long Check(long result);
    long m_result;
};

class ZK_API XWinError : public XError {
public:
    explicit XWinError(unsigned long error);
    XWinError& operator=(const XWinError&);
    // Throws XWinError when error is not 0, otherwise returns 0.
    static unsigned long Check(unsigned long error);
    unsigned long m_error;
};

class ZK_API XTerminate {
public:
    XTerminate() = default;
    XTerminate& operator=(const XTerminate&);
};

// ---- The log. Writes to a closed log are silent no-ops that return 0. ----
ZK_API DWORD WINAPI ZKLogWrite(LPCSTR text);
ZK_API DWORD __cdecl ZKLogFormat(LPCSTR format, ...);  // output cut at 1,023 characters
ZK_API void WINAPI ZKLogSection(LPCSTR title);
ZK_API void WINAPI ZKLogSectionId(UINT id, HMODULE module);
ZK_API void WINAPI ZKLogSubsection(LPCSTR title);
ZK_API void WINAPI ZKLogSubsectionId(UINT id, HMODULE module);
ZK_API void WINAPI ZKLogAscii(LPCSTR fileName);
ZK_API void WINAPI ZKLogAscii(HANDLE file);
ZK_API void WINAPI ZKLogRegistry(HKEY root, LPCSTR subkey);
ZK_API HGLOBAL WINAPI ZKLoadIniFile(LPCSTR fileName);  // free with GlobalFree
ZK_API void WINAPI ZKLogIniSection(HGLOBAL loadedFile, LPCSTR section);

// ---- Findings: what is wrong on this computer, listed at the top of the log. ----
// Report from a page, from the log part or from a background thread, as soon as you know. The
// log lists problems first, then warnings, then notes, each under your library's name; the last
// page counts them. A null or empty text is ignored, a text is cut at 1,023 characters, a
// finding reported again is kept once, and at most 1,000 are kept per session.
enum : int {
    ZK_FINDING_PROBLEM = 1,  // any other number counts as a problem too
    ZK_FINDING_WARNING = 2,
    ZK_FINDING_NOTE = 3,
};
ZK_API void WINAPI ZKReportFinding(int severity, LPCSTR text);

// ---- The status window (one at a time; the wizard is disabled while it shows). ----
ZK_API void WINAPI ZKBeginStatus(UINT iconId, LPCSTR text, HMODULE module);
ZK_API void WINAPI ZKBeginStatus(UINT iconId, UINT stringId, HMODULE module);
ZK_API void WINAPI ZKUpdateStatus(LPCSTR text);
ZK_API void WINAPI ZKUpdateStatus(UINT stringId, HMODULE module);
ZK_API void WINAPI ZKEndStatus();

// ---- Background work and the wizard's buttons. ----
ZK_API BOOL WINAPI ZKAutoRun();
ZK_API BOOL WINAPI ZKShouldTerminate();
ZK_API void WINAPI ZKBeginBackground(HANDLE thread);
ZK_API void WINAPI ZKEndBackground();
ZK_API void WINAPI ZKForceNext();
ZK_API BOOL WINAPI ZKEnableNext(BOOL enable);
ZK_API BOOL WINAPI ZKEnablePrev(BOOL enable);
ZK_API BOOL WINAPI ZKEnableContinue(BOOL enable);
ZK_API void WINAPI ZKSetContinue(BOOL on);

// ---- Helpers. ----
ZK_API LPCSTR WINAPI ZKGetAppName();
ZK_API HFONT WINAPI ZKGetBoldFont();
// Makes the dialog's push button show only an icon (a resource name, or a number by the second
// form), whatever the Windows version. The button keeps its id; clicks arrive as BN_CLICKED.
ZK_API BOOL WINAPI ZKInitIconButton(HWND dialog, int controlId, LPCSTR iconName, HINSTANCE module);
ZK_API BOOL WINAPI ZKInitIconButton(HWND dialog, int controlId, UINT iconId, HINSTANCE module);
ZK_API LPCSTR WINAPI ZKLoadString(UINT id, HMODULE module);  // shared buffer, overwritten by every call
ZK_API int WINAPI ZKMessageBox(LPCSTR text, UINT style);
ZK_API int WINAPI ZKMessageBox(UINT stringId, UINT style, HMODULE module);
ZK_API HANDLE WINAPI ZKOpenSystemFile(LPCSTR fileName, LPSTR foundPath);  // foundPath: MAX_PATH or null
ZK_API BOOL WINAPI ZKBackupFile(LPCSTR path, LPSTR backupPath);           // backupPath: MAX_PATH
ZK_API BOOL WINAPI ZKTextEdit(LPCSTR path, LPCSTR title, BOOL readOnly);
ZK_API void WINAPI ZKGetTempPath(LPSTR path);                             // path: MAX_PATH
ZK_API BOOL WINAPI ZKCreateProcess(LPCREATEPROCESSINFO info);
ZK_API BOOL WINAPI ZKDetectKey(HKEY root, LPCSTR subkey);
ZK_API void WINAPI ZKDeleteKey(HKEY root, LPCSTR subkey);
// Opens the registry editor over the wizard on one key (subkey below root), shown as one
// top-level item named name, and returns when the user closes it.
ZK_API void WINAPI ZKRegEdit(LPCSTR name, HKEY root, LPCSTR subkey);

#endif
