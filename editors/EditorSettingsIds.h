// Ids of the editors' keys in the settings store and of their values (registry/SettingsIds.h
// has the tree and its ranges). Plain defines: resources/settings.rc uses them.
#pragma once

#define SETTINGS_TEXT_EDITOR             1001
#define SETTINGS_REGISTRY_EDITOR         1002

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
