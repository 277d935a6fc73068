// Host functions for registry keys, through the program's one registry layer.
#include <windows.h>

#include "registry/RegistryKey.h"
#include "zelkor.h"

BOOL WINAPI ZKDetectKey(HKEY root, LPCSTR subkey) {
    const CRegistryKey key(root, false);
    return key.subkeyExists(subkey) ? TRUE : FALSE;
}

void WINAPI ZKDeleteKey(HKEY root, LPCSTR subkey) {
    CRegistryKey key(root, false);
    key.deleteSubkey(subkey);
}
