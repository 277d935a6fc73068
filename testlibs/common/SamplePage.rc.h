// The template of every sample page: an introduction, a report list, a summary line and an icon
// button that looks again (and, on some pages, a button of the library's own), on a page of the wizard's standard size. The button's icon,
// IDI_PAGE_REFRESH, goes into each library's own script: resource compilers skip everything but
// the preprocessor in a header.
#pragma once
#include <commctrl.h>
#include "SampleIds.h"

#define SAMPLE_REPORT_PAGE_BODY(id, caption, intro, summaryWidth) \
    id DIALOGEX 0, 0, 240, 155 \
    STYLE DS_SETFONT | WS_POPUP | WS_CAPTION \
    CAPTION caption \
    FONT 8, "MS Sans Serif" \
    BEGIN \
        LTEXT intro, IDC_PAGE_INTRO, 0, 0, 240, 26 \
        CONTROL "", IDC_PAGE_LIST, "SysListView32", \
            LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_BORDER | WS_TABSTOP, \
            0, 30, 240, 98 \
        LTEXT "", IDC_PAGE_SUMMARY, 0, 133, summaryWidth, 20, SS_NOPREFIX \
        PUSHBUTTON "", IDC_PAGE_REFRESH, 214, 131, 26, 24, BS_ICON | WS_TABSTOP

#define SAMPLE_REPORT_PAGE(id, caption, intro) \
    SAMPLE_REPORT_PAGE_BODY(id, caption, intro, 208) \
    END

// The same page with a push button of the library's own beside the look-again button.
#define SAMPLE_REPORT_PAGE_WITH_ACTION(id, caption, intro, action) \
    SAMPLE_REPORT_PAGE_BODY(id, caption, intro, 134) \
        PUSHBUTTON action, IDC_PAGE_ACTION, 138, 135, 72, 14, WS_TABSTOP \
    END
