#include "wizard/TestPage.h"

#include <cstdio>

#include "framework/FaultFrame.h"
#include "framework/MessageBox.h"
#include "framework/StringTable.h"
#include "log/LogFile.h"
#include "resources/resource.h"
#include "zelkor_pages.h"

namespace {

// The page object of a test page's window. A property, not DWLP_USER: that belongs to the
// library's own procedure.
const char kPageProperty[] = "Zelkor.TestPage";
// The page whose window is being created: it binds the window on its first message, which
// comes before WM_INITDIALOG when the template sets a font.
CTestPage* pageBeingCreated = nullptr;
// The page whose library code runs on this thread now.
thread_local const CTestPage* pageInCall = nullptr;

DLGPROC PageProcedureOf(CTestLibrary& library, WORD testId) {
    return reinterpret_cast<DLGPROC>(reinterpret_cast<void*>(GetProcAddress(library.module(), MAKEINTRESOURCEA(testId))));
}

const char* TestNameOf(CTestLibrary& library, WORD testId) {
    for (const TestEntry& test : library.description().tests)
        if (test.testId == testId) return test.name;
    return "";
}

}  // namespace

CTestPage::CTestPage(WORD testId, CTestLibrary& library)
    : CWizardPage(library.module(), testId, PageProc, false),
      m_library(library),
      m_libraryProc(PageProcedureOf(library, testId)),
      m_testName(TestNameOf(library, testId)) {}

CTestPage::~CTestPage() { DestroyPage(); }

bool CTestPage::CreatePage(HWND wizard) {
    if (!m_libraryProc) return false;
    pageBeingCreated = this;
    const bool created = CWizardPage::CreatePage(wizard);
    pageBeingCreated = nullptr;
    return created;
}

INT_PTR CALLBACK CTestPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* page = static_cast<CTestPage*>(GetPropA(hwnd, kPageProperty));
    if (!page && pageBeingCreated) {
        page = pageBeingCreated;
        SetPropA(hwnd, kPageProperty, page);
    }
    const INT_PTR result = page ? page->CallLibrary(hwnd, message, wParam, lParam) : FALSE;
    if (message == WM_NCDESTROY) RemovePropA(hwnd, kPageProperty);
    return result;
}

INT_PTR CTestPage::CallLibrary(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const CTestPage* outerCall = pageInCall;
    pageInCall = this;
    INT_PTR result = FALSE;
    try {
        fw::InFaultFrame([&] { result = m_libraryProc(hwnd, message, wParam, lParam); });
    } catch (...) {
        char trace[MAX_PATH + 96];
        std::snprintf(trace, sizeof trace, "Zelkor: CTestPage caught an exception from %s, page %s, message 0x%X\n",
                      m_library.fileName().c_str(), m_testName, message);
        OutputDebugStringA(trace);
        result = ContainFault(hwnd, message);
    }
    pageInCall = outerCall;
    // Right after the library's part, so the note stands where its output stops.
    if (message == ZKPM_WRITELOG && m_faulted)
        MarkLogIncomplete(fw::FormattedString(IDS_LIBRARY_OUTPUT_INCOMPLETE, FailureText().c_str()).c_str());
    return result;
}

INT_PTR CTestPage::ContainFault(HWND hwnd, UINT message) {
    const bool told = m_faulted;
    m_faulted = true;
    if (!told) fw::ShowMessage(hwnd, fw::FormattedString(IDS_LIBRARY_FAULT_GOES_ON, FailureText().c_str()), MB_OK | MB_ICONSTOP);
    if (message != ZKPM_NEXT && message != ZKPM_BACK) return FALSE;
    // Let the user move on: a page that fails whenever it is asked would hold the session.
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

std::string CTestPage::FailureText() const {
    return fw::FormattedString(IDS_LIBRARY_FAILED, m_library.name(), m_library.fileName().c_str(), m_testName);
}

std::string CTestPage::LibraryInCall() { return pageInCall ? pageInCall->FailureText() : std::string(); }
