/* Control ids of the sample pages' shared template. */
#pragma once
#define IDC_PAGE_INTRO 1000
#define IDC_PAGE_LIST 1001
#define IDC_PAGE_SUMMARY 1002
#define IDC_PAGE_REFRESH 1003
#define IDC_PAGE_ACTION 1004
#define IDI_PAGE_REFRESH 900
