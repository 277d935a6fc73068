// Ids of the settings store: the keys of the settings tree (each also the resource id of the key's
// ZKRC_REGKEY table) and the values of each table. Plain defines: resources/settings.rc uses them.
// The keys of the editors and of the fax product have their ids beside the code that uses them
// (editors/EditorSettingsIds.h, output/FaxSettingsIds.h), in the ranges below.
#pragma once

#define SETTINGS_TREE                    1

// ---- Keys below HKEY_CURRENT_USER\Software\Halvard\Zelkor: 1000-1999 ----
#define SETTINGS_GENERAL                 1000

// ---- Tables of keys opened by path (not part of the tree): 2000-2999 ----

// ---- Values of General (1000) ----
#define GENERAL_TECH_SUPPORT_NUMBER      1000
#define GENERAL_USER_NAME                1001
#define GENERAL_USER_COMPANY             1002
#define GENERAL_USER_PHONE               1003
#define GENERAL_USER_FAX                 1004
#define GENERAL_SUPPORT_EMAIL            1005
