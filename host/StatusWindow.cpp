// The status window's host functions: thin adapters over the wizard's status window.
#include <windows.h>

#include "wizard/StatusWindow.h"
#include "zelkor.h"

void WINAPI ZKBeginStatus(UINT iconId, LPCSTR text, HMODULE module) { BeginStatus(iconId, text ? text : "", module); }

void WINAPI ZKBeginStatus(UINT iconId, UINT stringId, HMODULE module) {
    ZKBeginStatus(iconId, ZKLoadString(stringId, module), module);
}

void WINAPI ZKUpdateStatus(LPCSTR text) { UpdateStatus(text ? text : ""); }

void WINAPI ZKUpdateStatus(UINT stringId, HMODULE module) { ZKUpdateStatus(ZKLoadString(stringId, module)); }

void WINAPI ZKEndStatus() { EndStatus(); }
