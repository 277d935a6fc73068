// Resource ids of Zelkor.exe. Numbers are part of the program's contract with its test
// libraries, its log and its settings: change none of them.
#pragma once

// ---- Controls that are never addressed (labels) ----
#define IDC_STATIC                (-1)

// ---- Icons and bitmaps ----
#define IDI_ZELKOR                1     // application icon; also the View Log button
#define IDB_CHECK_STATES          103   // eight 16x16 check-box state images, mask teal
#define IDB_WIZARD_PICTURE        106   // 120 x 225 side picture of the wizard
#define IDI_PRINT                 107
#define IDI_FAX                   108
#define IDI_SYSTEM_EDITOR         109   // warning icon of the System Editor page

// ---- Menus and accelerators ----
#define IDR_TEXT_EDITOR           113   // menu of the text editor window
#define IDR_TEXT_EDITOR_KEYS      116   // its accelerator table (F3)

// ---- Dialog templates ----
#define IDD_WIZARD                104
#define IDD_WELCOME               105
#define IDD_DIAGNOSTICS_COMPLETE  106
#define IDD_SELECT_DIAGNOSTICS    107
#define IDD_REGISTRY_PAGE         108
#define IDD_SYSTEM_EDITOR         109
#define IDD_STATUS                114
#define IDD_FAX                   115
#define IDD_USER_INFO             128

// ---- Wizard frame (104) ----
#define IDC_WIZARD_PREVIOUS       100
#define IDC_WIZARD_NEXT           101
#define IDC_WIZARD_CONTINUE       102
#define IDC_WIZARD_FINISH         104
#define IDC_WIZARD_TITLE          1000
#define IDC_WIZARD_TITLE_LINE     1001
#define IDC_WIZARD_PAGE_AREA      1002
#define IDC_WIZARD_SEPARATOR      1007
#define IDC_WIZARD_MARGIN         1008
#define IDC_WIZARD_PICTURE        1009

// ---- Welcome page (105) ----
#define IDC_WELCOME_FULL          1005
#define IDC_WELCOME_CUSTOM        1006
#define IDC_WELCOME_TYPICAL       1007

// ---- Diagnostics complete page (106) ----
#define IDC_COMPLETE_RESULT       1010
#define IDC_COMPLETE_VIEW         1011
#define IDC_COMPLETE_FAX          1012
#define IDC_COMPLETE_PRINT        1013
#define IDC_COMPLETE_VIEW_TEXT    1014
#define IDC_COMPLETE_FAX_TEXT     1015
#define IDC_COMPLETE_PRINT_TEXT   1016
#define IDC_COMPLETE_PRINT_TITLE  1024
#define IDC_COMPLETE_FAX_TITLE    1025
#define IDC_COMPLETE_VIEW_TITLE   1026

// ---- Select Diagnostics page (107) ----
#define IDC_SELECT_DIAGNOSTICS    1012
#define IDC_SELECT_TREE           1013
#define IDC_SELECT_REGISTRY       1014
#define IDC_SELECT_SYSTEM         1015

// ---- System Editor page (109) ----
#define IDC_SYSEDIT_FILE          1019
#define IDC_SYSEDIT_SAVE          1020
#define IDC_SYSEDIT_RESTORE       1021
#define IDC_SYSEDIT_TEXT          1022

// ---- Text editor window ----
#define IDC_EDITOR_TEXT           100
#define ID_EDITOR_SAVE            40001
#define ID_EDITOR_RESTORE         40003
#define ID_EDITOR_CLOSE           40004
#define ID_EDITOR_CUT             40005
#define ID_EDITOR_COPY            40006
#define ID_EDITOR_FONT            40009
#define ID_EDITOR_PASTE           40010
#define ID_EDITOR_DELETE          40011
#define ID_EDITOR_UNDO            40012
#define ID_EDITOR_SELECT_ALL      40013
#define ID_EDITOR_FIND            40014
#define ID_EDITOR_FIND_NEXT       40015

// ---- Registry editor window (menu 121, accelerators 122, context menus 123) ----
#define IDR_REGEDIT               121
#define IDR_REGEDIT_KEYS          122
#define IDR_REGEDIT_CONTEXT       123
#define IDC_REGEDIT_TREE          100
#define IDC_REGEDIT_LIST          101
#define ID_REGEDIT_NEW_KEY        40016
#define ID_REGEDIT_NEW_STRING     40017
#define ID_REGEDIT_NEW_DWORD      40018
#define ID_REGEDIT_DELETE         40019
#define ID_REGEDIT_MODIFY         40021
#define ID_REGEDIT_CLOSE          40022
#define ID_REGEDIT_REFRESH        40023
#define ID_REGEDIT_TOGGLE         40024
#define ID_REGEDIT_NEW_BINARY     40025
#define ID_REGEDIT_FIND           40026
#define ID_REGEDIT_FIND_NEXT      40027

// ---- Status window (114) ----
#define IDC_STATUS_TEXT           1028
#define IDC_STATUS_ICON           1029

// ---- User Info dialog (128) ----
#define IDC_USER_NAME_LABEL       1051
#define IDC_USER_NAME             1052
#define IDC_USER_COMPANY_LABEL    1053
#define IDC_USER_COMPANY          1054
#define IDC_USER_PHONE_LABEL      1055
#define IDC_USER_PHONE            1056
#define IDC_USER_FAX_LABEL        1057
#define IDC_USER_FAX              1058

// ---- Page messages that belong to one page ----
#define ZKPM_FAX_CONNECT          0x40A

// ---- Strings ----
#define IDS_NO_TEST_LIBRARIES     32
#define IDS_CONFIRM_QUIT          33
#define IDS_LOG_FILE_NAME         34
#define IDS_FILE_MISSING          35
#define IDS_OLD_FILE_SAVED        36
#define IDS_SAVE_WITH_BACKUP      37
#define IDS_SAVE_CHANGES_TO       38
#define IDS_PRINT_DOC_NAME        39
#define IDS_VIEW_LOG_TITLE        40
#define IDS_STATUS_GENERATING     41
#define IDS_LOG_SAVED_AS          42
#define IDS_STATUS_PRINTING       43
#define IDS_PAGE_FOOTER           44
#define IDS_ABORT_TASK            45
#define IDS_HEADER_NAME           46
#define IDS_HEADER_COMPANY        47
#define IDS_EDITOR_READ           48
#define IDS_EDITOR_NO_MATCHES     49
#define IDS_EDITOR_TITLE          50
#define IDS_EDITOR_MODIFIED       51
#define IDS_HEADER_PHONE          52
#define IDS_HEADER_FAX            53
#define IDS_REGEDIT_NO_MATCHES    56
#define IDS_FAX_COMMAND_750       57
#define IDS_FAX_COMMAND_800       58
#define IDS_FAX_MAJOR_VERSION     59
#define IDS_FAX_MINOR_VERSION     60
#define IDS_FAX_WIZARD_KEY        61
#define IDS_FAX_VERSION_KEY       62
#define IDS_SAVE_REGISTRY         65
#define IDS_TYPE_STRING           66
#define IDS_TYPE_DWORD            67
#define IDS_TYPE_GENERIC          68
#define IDS_CONFIRM_DELETE_KEY    69
#define IDS_CONFIRM_DELETE_ENTRY  70
#define IDS_REGEDIT_TITLE         71
#define IDS_REGEDIT_COL_ENTRY     72
#define IDS_REGEDIT_COL_DATA      73
#define IDS_REGEDIT_EXPAND        74
#define IDS_REGEDIT_COLLAPSE      75
#define IDS_CONFIRM_DELETE_ENTRIES 76
#define IDS_ZERO_LENGTH_BINARY    77
#define IDS_ENTRY_EXISTS          78
#define IDS_KEY_EXISTS            79
#define IDS_NO_ACCESS_RIGHTS      80
#define IDS_FAX_DOC_NAME          96
#define IDS_FAX_RECIPIENT_NAME    97
#define IDS_FAX_COVER_TYPE        98
#define IDS_FAX_PRINTER           99
#define IDS_FAX_DDE_SERVICE       100
#define IDS_FAX_DDE_ITEM          101
#define IDS_FAX_CMD_RECIPIENT     102
#define IDS_FAX_CMD_COVERPAGE     103
#define IDS_FAX_DDE_TOPIC         104
#define IDS_FAX_COMPANY           105
#define IDS_REQUIRED_MISSING      106
#define IDS_FAX_EXEPATH_KEY       107
#define IDS_FAX_CONNECT_FAILED    108
#define IDS_STATUS_DISCONNECTING  109
#define IDS_STATUS_FAXING         110
#define IDS_STATUS_CONNECTING     111
#define IDS_APP_NAME              57344
#define IDS_IDLE_MESSAGE          57345 // the status bar's message pane when no menu item is highlighted
#define IDS_VALUE_BETWEEN         61714
#define IDS_POSITIVE_NUMBER       61719
#define IDS_LOG_NOT_SAVED         200
#define IDS_LOG_INCOMPLETE        201
#define IDS_LIBRARY_FAILED        220
#define IDS_LIBRARY_OUTPUT_INCOMPLETE 221
#define IDS_LIBRARY_FAULT_GOES_ON 222
#define IDS_FATAL_ERROR           223
#define IDS_PROGRAM_FAILED        224
#define IDS_LIBRARY_FAILED_OUTSIDE_TEST 225
#define IDS_STARTUP_FAILED        229
// Unattended runs and the command line (500-529)
#define IDS_USAGE                 500
#define IDS_CMD_NOT_UNDERSTOOD    501
#define IDS_CMD_BAD_MODE          502
#define IDS_CMD_BAD_TIMEOUT       503
#define IDS_CMD_NO_TESTS          504
#define IDS_CMD_UNKNOWN_TEST      505
#define IDS_CMD_TESTS_WITH_MODE   506
#define IDS_CMD_TIMEOUT_ALONE     507
#define IDS_CMD_EMPTY_LOG         508
#define IDS_TEST_TIMED_OUT        509
#define IDS_UNATTENDED_MESSAGES   510
#define IDS_LOG_NOT_WRITTEN       511
#define IDS_ANOTHER_RUN           512
#define IDS_BINARY_LEFT_OUT       240
#define IDS_BINARY_LEFT_OUT_ONE   241
#define IDS_SYSEDIT_UNAVAILABLE_BECAUSE 250
#define IDS_SYSEDIT_BACKUP_FAILED 251
#define IDS_SYSEDIT_SAVE_FAILED   252
#define IDS_SYSEDIT_NUL_READ_ONLY 253
#define IDS_EDITOR_OPEN_FAILED    260
#define IDS_EDITOR_SAVE_FAILED    261
#define IDS_EDITOR_TOO_LARGE      262
#define IDS_STATUS_PRINTING_PAGE  270
#define IDS_STATUS_CANCELLING     271
#define IDS_PRINT_REFUSED         272
#define IDS_PRINT_LOG_UNREADABLE  273
#define IDS_REGEDIT_KEY_GONE      280
#define IDS_REGEDIT_NOT_CHANGED   281
#define IDS_REGEDIT_CANNOT_OPEN   282
#define IDS_REGPAGE_NOT_SAVED     290
#define IDS_REGPAGE_NOT_DELETED   291
#define IDS_LOG_SAVED_INCOMPLETE  300
#define IDS_JOB_FAILED            301
#define IDS_LOG_PART_CUT          302
#define IDS_LOG_SYSTEM_FILES      303
// Findings the test libraries report: the log's first section and the last page's count
#define IDS_FINDINGS_TITLE        700
#define IDS_FINDING_PROBLEM       701
#define IDS_FINDING_WARNING       702
#define IDS_FINDING_NOTE          703
#define IDS_FINDINGS_DROPPED      704
#define IDS_FINDINGS_DROPPED_ONE  705
#define IDS_FINDINGS_PROBLEMS     706
#define IDS_FINDINGS_PROBLEM_ONE  707
#define IDS_FINDINGS_WARNINGS     708
#define IDS_FINDINGS_WARNING_ONE  709
#define IDS_FINDINGS_NOTES        710
#define IDS_FINDINGS_NOTE_ONE     711
#define IDS_FINDINGS_AND          712
#define IDS_FINDINGS_COMMA        713
#define IDS_FINDINGS_FOUND        714
#define IDS_FINDINGS_FOUND_ONE    715

// ---- Value dialogs and the hex edit control ----
#define IDD_EDIT_STRING           124
#define IDD_EDIT_DWORD            125
#define IDD_EDIT_BINARY           126
#define IDD_NEW_KEY               127
#define IDC_STRING_NAME           1039
#define IDC_STRING_VALUE          1040
#define IDC_DWORD_NAME            1041
#define IDC_DWORD_VALUE           1042
#define IDC_DWORD_DECIMAL         1043
#define IDC_DWORD_HEX             1044
#define IDC_BINARY_NAME           1044  // a different dialog from the Hex button's
#define IDC_BINARY_DATA           1046  // a BINEDIT control
#define IDC_NEW_KEY_NAME          1048

// ---- Registry page (108) ----
#define IDI_REGISTRY_PAGE         100   // warning icon at the top of the page
#define IDB_REGISTRY_IMAGES       102   // five 16x16 images: key, open key, string, DWORD or other value, modified mark; teal = transparent
#define IDC_REGPAGE_EDIT          1014
#define IDC_REGPAGE_LIST          1015
#define IDC_REGPAGE_RESTORE       1016
#define IDC_REGPAGE_TREE          1017
#define IDC_REGPAGE_INFO          1018
#define IDC_REGPAGE_SAVE          1019
#define IDC_REGPAGE_DELETE        1038
#define IDC_REGPAGE_ADVANCED      1039
#define IDS_REGPAGE_CHECKED_LOGGED 64

// ---- Printing and faxing the log ----
#define IDD_PRINT                 110   // the print dialog's template: only the printer is chosen
// Controls of the print template carry the common print dialog's own numbers.
#define IDC_PRINT_PROPERTIES      1025
#define IDC_PRINT_TO_FILE         1040
#define IDC_PRINT_COLLATE         1041
#define IDC_PRINT_ALL             1056
#define IDC_PRINT_SELECTION       1057
#define IDC_PRINT_PAGES           1058
#define IDC_PRINT_RANGE_GROUP     1072
#define IDC_PRINT_COPIES_GROUP    1073
#define IDC_PRINTER_GROUP         1075
#define IDC_PRINT_COLLATE_ICON    1086
#define IDC_PRINT_FROM_LABEL      1089
#define IDC_PRINT_TO_LABEL        1090
#define IDC_PRINT_COPIES_LABEL    1092
#define IDC_PRINTER_NAME_LABEL    1093
#define IDC_PRINTER_TYPE_LABEL    1094
#define IDC_PRINTER_STATUS_LABEL  1095
#define IDC_PRINTER_COMMENT_LABEL 1096
#define IDC_PRINTER_WHERE_LABEL   1097
#define IDC_PRINTER_TYPE          1098
#define IDC_PRINTER_STATUS        1099
#define IDC_PRINTER_COMMENT       1100
#define IDC_PRINTER_WHERE         1101
#define IDC_PRINTER_LIST          1139
#define IDC_PRINT_FROM            1152
#define IDC_PRINT_TO              1153
#define IDC_PRINT_COPIES          1154
// Fax dialog (115)
#define IDC_FAX_NUMBER            1031
#define IDC_FAX_DETAILS           1032
#define IDC_FAX_NUMBER_LABEL      1033
#define IDC_FAX_DETAILS_LABEL     1034

// ---- Handing the log to support: hidden secrets, personal details, e-mail, a saved copy ----
#define IDS_SECRET_NAMES          400   // value names whose data the log hides: *word* contains, word is exact
#define IDS_HIDDEN_DATA           401   // what the log shows in place of such data
#define IDS_STATUS_SAVING_COPY    402
#define IDS_COPY_SAVED_AS         403
#define IDS_COPY_NOT_SAVED        404
#define IDS_COPY_FILTER           405   // pairs of name and pattern, each ended by '|'
#define IDS_COPY_FILE_NAME        406   // computer name, then year, month, day, hour, minute
#define IDC_COMPLETE_SAVE_COPY    1200
#define IDS_STATUS_HIDING         407
#define IDS_STATUS_RESTORING      408
#define IDS_DETAILS_NOT_HIDDEN    409
#define IDS_DETAILS_NOT_RESTORED  410
#define IDC_COMPLETE_HIDE_DETAILS 1201
// ---- Change journal and Undo changes (150) ----
#define IDD_UNDO_CHANGES          150
#define IDC_UNDO_PROMPT           1240
#define IDC_UNDO_LIST             1241
#define IDC_COMPLETE_UNDO         1242  // on the Diagnostics complete page
#define ID_REGEDIT_UNDO_CHANGES   40110
#define IDS_CHANGE_VALUE_SET      600
#define IDS_CHANGE_VALUE_CREATED  601
#define IDS_CHANGE_VALUE_DELETED  602
#define IDS_CHANGE_KEY_CREATED    603
#define IDS_CHANGE_KEY_DELETED    604
#define IDS_CHANGE_FILE_SAVED     605
#define IDS_CHANGES_BANNER        606
#define IDS_UNDO_PROMPT           607
#define IDS_UNDO_ABANDONED_PROMPT 608
#define IDS_UNDO_NOTHING          609
#define IDS_UNDO_CONFLICT         610
#define IDS_UNDO_FAILED           611
#define IDS_UNDO_FAILURE_LINE     612
#define IDS_UNDO_DONE             613
#define IDS_JOURNAL_DAMAGED       614
#define IDS_JOURNAL_FAILED        615
#define IDS_UNDO_MORE_FAILURES    616
#define IDS_MAIL_NO_CLIENT        440
#define IDS_MAIL_REFUSED          441   // the client's MAPI code
#define IDS_MAIL_NO_ANSWER        442   // seconds waited
#define IDS_STATUS_MAILING        443
#define IDS_MAIL_SUBJECT          444   // the user's name
#define IDS_MAIL_BODY             445
#define IDS_MAIL_SENT             446
#define IDS_MAIL_ATTACHMENT       447   // the attachment's name as the recipient sees it
#define IDS_MAIL_CLIENTS_KEY      448   // HKLM key whose default value names the mail client
#define IDI_MAIL                  160
#define IDC_COMPLETE_MAIL         1220
#define IDC_COMPLETE_MAIL_TITLE   1221
#define IDC_COMPLETE_MAIL_TEXT    1222
// Support E-mail dialog (160)
#define IDD_MAIL                  160
#define IDC_MAIL_ADDRESS          1223
#define IDC_MAIL_ADDRESS_LABEL    1224
