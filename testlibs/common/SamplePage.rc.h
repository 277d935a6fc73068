// The template of every sample page: an introduction, a report list and a summary line, on a
// page of the wizard's standard size.
#pragma once
#include <commctrl.h>
#include "SampleIds.h"

#define SAMPLE_REPORT_PAGE(id, caption, intro) \
    id DIALOGEX 0, 0, 240, 155 \
    STYLE DS_SETFONT | WS_POPUP | WS_CAPTION \
    CAPTION caption \
    FONT 8, "MS Sans Serif" \
    BEGIN \
        LTEXT intro, IDC_PAGE_INTRO, 0, 0, 240, 26 \
        CONTROL "", IDC_PAGE_LIST, "SysListView32", \
            LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_BORDER | WS_TABSTOP, \
            0, 30, 240, 108 \
        LTEXT "", IDC_PAGE_SUMMARY, 0, 143, 240, 12, SS_NOPREFIX \
    END
