#include "wizard/TestPage.h"

CTestPage::CTestPage(WORD testId, CTestLibrary& library)
    : CWizardPage(library.module(), testId,
                  reinterpret_cast<DLGPROC>(
                      reinterpret_cast<void*>(GetProcAddress(library.module(), MAKEINTRESOURCEA(testId)))),
                  false) {}
