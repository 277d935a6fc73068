// A test's page: template and dialog procedure come from the test library, which answers the
// page messages itself. Test pages are rebuilt each time the user moves on and never persist.
#pragma once
#include "testlib/TestLibrary.h"
#include "wizard/WizardPage.h"

class CTestPage : public CWizardPage {
public:
    // RT_DIALOG testId of the library, with the library's dialog procedure exported by ordinal testId.
    CTestPage(WORD testId, CTestLibrary& library);
};
