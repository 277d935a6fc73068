/* Zelkor test libraries: the numbers of the ZKRC_* resource formats, usable from resource
 * scripts (.rc) and from C or C++ alike. Plain numbers in an .rc data block are 16 bits wide;
 * numbers with an L suffix are 32 bits wide; strings need an explicit "\0".
 *
 * ZKRC_LIBRARY, id 1: the library's self-description.
 *     "Display name\0", iconId,
 *     editor keys:  "Label\0", ZK_HKLM, "Subkey\\Path\0", ...                          ZK_END,
 *     tests:        "Label\0", iconId, testId, ZK_TEST_* flags, ...                     ZK_END,
 *     logged keys:  "Label\0", "Description\0", ZK_HKLM, "Subkey\\Path\0",
 *                   ZK_KEY_* flags, regEditId (or ZK_NO_TABLE), ...                     ZK_END,
 *     system files: "file.ini\0", 0,                         (every section, or a text file)
 *                   "file.ini\0", ZK_FILE_SECTIONS, iniId,   (ZKRC_INI iniId; 0: every section)
 *                   ...                                                                 ZK_END
 * Label and path of a logged key may each hold one "*": the key is then logged once for every
 * subkey that matches, the "*" standing for the text that differs.
 *
 * ZKRC_INI, id iniId: "Section\0", "Other section\0", ... ZK_END
 *
 * ZKRC_REGEDIT, id regEditId: one or more values of a logged key, then ZK_END. Each value:
 *     "Label\0", "ValueName\0", "Description\0", kind (| ZK_EDIT_DELETABLE), extra data:
 *     ZK_EDIT_DWORD_RANGE      minimumL, maximumL
 *     ZK_EDIT_DWORD_CHOICE     "Label\0", valueL, ... ZK_END
 *     ZK_EDIT_STRING_CHOICE    "Label\0", "Value\0", ... ZK_END
 *     the other kinds          nothing
 */
#ifndef ZELKOR_SDK_ZELKOR_RC_H
#define ZELKOR_SDK_ZELKOR_RC_H

/* Resource ids and the end of every list. */
#define ZK_LIBRARY_ID 1
#define ZK_END 0
#define ZK_NO_TABLE 0

/* Root keys: 32-bit values, so the L suffix matters. */
#define ZK_HKCR 0x80000000L
#define ZK_HKCU 0x80000001L
#define ZK_HKLM 0x80000002L
#define ZK_HKU 0x80000003L
#define ZK_HKCC 0x80000005L

/* Flags of a test. */
#define ZK_TEST_HAS_PAGE 0x0001    /* the test has a page; without it the test never runs */
#define ZK_TEST_TYPICAL 0x0002     /* part of Typical diagnostics */
#define ZK_TEST_CUSTOM_ONLY 0x0004 /* never run by Full or Typical diagnostics */

/* Flags of a logged key. */
#define ZK_KEY_TYPICAL 0x0001   /* logged in Typical diagnostics, starts checked on the Registry page */
#define ZK_KEY_DELETABLE 0x0002 /* may be deleted from the Registry page */

/* Flag of a system file: an iniId follows. */
#define ZK_FILE_SECTIONS 0x0001

/* Kinds of a ZKRC_REGEDIT value (low 4 bits of its type word) and its deletable bit. */
#define ZK_EDIT_DWORD_RANGE 1    /* DWORD, free entry within minimum..maximum */
#define ZK_EDIT_DWORD_CHOICE 2   /* DWORD, chosen from labelled values */
#define ZK_EDIT_DWORD_READONLY 3
#define ZK_EDIT_STRING 4         /* string, free entry */
#define ZK_EDIT_STRING_CHOICE 8  /* string, chosen from labelled values */
#define ZK_EDIT_STRING_READONLY 12
#define ZK_EDIT_KIND_MASK 0x000F
#define ZK_EDIT_DELETABLE 0x0100 /* the value may be deleted from the Registry page */

#endif
