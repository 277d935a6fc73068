#include "testlib/LibraryWalks.h"

LoggedKeyEntry KeyEntryOf(const KeyRecord& record) {
    // Predefined roots are sign-extended 32-bit values, as the platform's own constants are.
    const HKEY root = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(record.root)));
    return {record.name, record.description, root, record.subkey, record.flags, record.editTableId};
}

bool KeyOpens(HKEY root, const char* subkey) { return CRegistryKey(root, subkey, false).handle() != nullptr; }

bool CTestLibrary::HasLoggedKeys() {
    return !m_description.loggedKeys.empty() && !ForEachLoggedKey(*this, [](const LoggedKeyEntry&) { return false; });
}

bool CTestLibrary::HasEditorKeys() {
    return !m_description.editorKeys.empty() && !ForEachEditorKey(*this, [](const LoggedKeyEntry&) { return false; });
}
