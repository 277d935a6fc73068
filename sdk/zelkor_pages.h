// Zelkor test libraries: the messages the wizard sends to every page, test pages included.
// Included by zelkor.h.
#ifndef ZELKOR_SDK_ZELKOR_PAGES_H
#define ZELKOR_SDK_ZELKOR_PAGES_H

#include <windows.h>

// A dialog procedure answers ZKPM_NEXT and ZKPM_BACK through DWLP_MSGRESULT (non-zero: allow).
enum : UINT {
    ZKPM_NEXT = WM_USER + 1,        // 0x401: may the wizard move forward?
    ZKPM_BACK = WM_USER + 2,        // 0x402: may the wizard move back?
    ZKPM_WRITELOG = WM_USER + 3,    // 0x403: write this page's part of the log
    ZKPM_ACTIVATE = WM_USER + 4,    // 0x404: the page has become current
    ZKPM_DEACTIVATE = WM_USER + 5,  // 0x405: the page stops being current
    ZKPM_REMOVE = WM_USER + 6,      // 0x406: the page is about to be removed
    ZKPM_TASKDONE = WM_USER + 7,    // 0x407: the background task has ended
    ZKPM_CONTINUE = WM_USER + 8,    // 0x408: the Continue button was pressed
};

#endif
