#include "output/FaxProgram.h"

#include "framework/StringTable.h"
#include "output/FaxSettingsIds.h"
#include "registry/RegistryKey.h"
#include "registry/SettingsStore.h"
#include "resources/resource.h"

DWORD EncodeFaxVersion(DWORD major, DWORD minor) {
    return major * 65536 + ((HIWORD(minor) * 10 + LOWORD(minor)) % 65536);
}

bool CFaxProgram::Find() {
    if (m_version) return true;
    const std::string versionKey = fw::LoadedString(IDS_FAX_VERSION_KEY);
    if (!RootKey(HKEY_LOCAL_MACHINE).subkeyExists(versionKey.c_str())) return false;
    CRegistryKey current(HKEY_LOCAL_MACHINE, versionKey.c_str(), false);
    const DWORD version = EncodeFaxVersion(current.getDword(fw::LoadedString(IDS_FAX_MAJOR_VERSION).c_str()),
                                           current.getDword(fw::LoadedString(IDS_FAX_MINOR_VERSION).c_str()));
    if (version < kFaxVersion750) return false;
    m_version = version < kFaxVersion800 ? version : kFaxVersion800;

    const std::string programKey = fw::LoadedString(IDS_FAX_EXEPATH_KEY);
    if (!RootKey(HKEY_CURRENT_USER).subkeyExists(programKey.c_str())) {
        m_version = 0;
        return false;
    }
    CSettingsKey(HKEY_CURRENT_USER, programKey.c_str(), false, SETTINGS_FAX_PROGRAM)
        .getString(FAX_PROGRAM_EXEPATH, m_directory);
    if (m_directory.size() > MAX_PATH) m_directory.resize(MAX_PATH);
    return true;
}

std::string CFaxProgram::StartCommand() const {
    if (m_version == kFaxVersion750) return m_directory + fw::LoadedString(IDS_FAX_COMMAND_750);
    if (m_version == kFaxVersion800) return m_directory + fw::LoadedString(IDS_FAX_COMMAND_800);
    return m_directory;
}

CFaxProgram& TheFaxProgram() {
    static CFaxProgram program;
    return program;
}
