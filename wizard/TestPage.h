// A test's page: template and dialog procedure come from the test library, which answers the
// page messages itself. Test pages are rebuilt each time the user moves on and never persist.
//
// Every message reaches the library's procedure through the program's own procedure, which
// contains what the library throws: the user is told, the library's part of the log is marked
// incomplete, and the session goes on.
#pragma once
#include <string>

#include "testlib/TestLibrary.h"
#include "wizard/WizardPage.h"

class CTestPage : public CWizardPage {
public:
    // RT_DIALOG testId of the library, with the library's dialog procedure exported by ordinal testId.
    CTestPage(WORD testId, CTestLibrary& library);
    ~CTestPage() override;

    bool CreatePage(HWND wizard) override;
    void PageOpTimedOut(DWORD seconds) override { m_timedOutAfter = seconds; }

    // Names the library and test whose code runs on this thread now; empty when none does.
    // For the last-resort handler, which cannot go back to the page.
    static std::string LibraryInCall();

private:
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR CallLibrary(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR ContainFault(HWND hwnd, UINT message);
    // "the test library "name" (file) failed in its test "test"".
    std::string FailureText() const;

    CTestLibrary& m_library;
    DLGPROC m_libraryProc;
    const char* m_testName = "";
    bool m_faulted = false;  // noted in the log at this page's part, however early it came
    DWORD m_timedOutAfter = 0;  // seconds; likewise
};
