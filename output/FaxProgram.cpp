#include "output/FaxProgram.h"

#include <string>

#include "registry/RegistryKey.h"
#include "resources/resource.h"
#include "zelkor.h"

namespace {

constexpr DWORD kVersion750 = 0x70032;
constexpr DWORD kVersion800 = 0x80000;

DWORD g_version = 0;

// The key's path is a string-table entry; copied because the loader's buffer is shared.
std::string keyPath(UINT stringId) { return ZKLoadString(stringId, nullptr); }

}  // namespace

DWORD EncodeFaxVersion(DWORD major, DWORD minor) {
    return major * 65536 + ((HIWORD(minor) * 10 + LOWORD(minor)) % 65536);
}

bool FindFaxProgram() {
    if (g_version) return true;
    const std::string versionKey = keyPath(IDS_FAX_VERSION_KEY);
    CRegistryKey& machine = RootKey(HKEY_LOCAL_MACHINE);
    if (!machine.subkeyExists(versionKey.c_str())) return false;
    CRegistryKey current(HKEY_LOCAL_MACHINE, versionKey.c_str(), false);
    const std::string majorName = keyPath(IDS_FAX_MAJOR_VERSION);
    const std::string minorName = keyPath(IDS_FAX_MINOR_VERSION);
    const DWORD version = EncodeFaxVersion(current.getDword(majorName.c_str()), current.getDword(minorName.c_str()));
    if (version < kVersion750) return false;
    g_version = version < kVersion800 ? version : kVersion800;

    if (!RootKey(HKEY_CURRENT_USER).subkeyExists(keyPath(IDS_FAX_EXEPATH_KEY).c_str())) {
        g_version = 0;
        return false;
    }
    return true;
}
