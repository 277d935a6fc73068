// Ids of the tables that describe the fax product's keys, opened by path rather than through
// the settings tree (registry/SettingsIds.h has the ranges). Plain defines: resources/settings.rc
// uses them.
#pragma once

#define SETTINGS_FAX_PROGRAM             2000
#define SETTINGS_FAX_WIZARD              2001

#define FAX_PROGRAM_EXEPATH              2000
#define FAX_PROGRAM_VERSION              2001
#define FAX_WIZARD_DO_NOT_USE_WIZARD     2000
