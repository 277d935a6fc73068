// Ids of the settings store: the keys of the settings tree (each also the resource id of the key's
// ZKRC_REGKEY table) and the values of each table. Plain defines: resources/settings.rc uses them.
#pragma once

#define SETTINGS_TREE                    1

// ---- Keys below HKEY_CURRENT_USER\Software\Halvard\Zelkor ----
#define SETTINGS_GENERAL                 1000
#define SETTINGS_TEXT_EDITOR             1001
#define SETTINGS_REGISTRY_EDITOR         1002

// ---- Tables of the fax product's keys, opened by path (not part of the tree) ----
#define SETTINGS_FAX_PROGRAM             2000
#define SETTINGS_FAX_WIZARD              2001

// ---- Values of General (1000) ----
#define GENERAL_TECH_SUPPORT_NUMBER      1000
#define GENERAL_USER_NAME                1001
#define GENERAL_USER_COMPANY             1002
#define GENERAL_USER_PHONE               1003
#define GENERAL_USER_FAX                 1004

// ---- Values of Text Editor (1001) ----
#define TEXT_EDITOR_FONT                 1000  // LOGFONT, 60 bytes
#define TEXT_EDITOR_WINDOW               1001  // WINDOWPLACEMENT, 44 bytes
#define TEXT_EDITOR_STATE                1002

// ---- Values of Registry Editor (1002) ----
#define REGISTRY_EDITOR_WINDOW           1000  // WINDOWPLACEMENT, 44 bytes
#define REGISTRY_EDITOR_STATE            1001
#define REGISTRY_EDITOR_SPLIT            1002  // written together with Window
#define REGISTRY_EDITOR_ENTRY_WIDTH      1003
#define REGISTRY_EDITOR_DATA_WIDTH       1004  // written together with Entry Width
#define REGISTRY_EDITOR_DWORD_BASE       1005

// ---- Values of the fax product's keys ----
#define FAX_PROGRAM_EXEPATH              2000
#define FAX_PROGRAM_VERSION              2001
#define FAX_WIZARD_DO_NOT_USE_WIZARD     2000
