#include "wizard/WelcomePage.h"

#include <iterator>
#include <memory>

#include "framework/Font.h"
#include "log/LogWriter.h"
#include "log/SystemFileDump.h"
#include "resources/resource.h"
#include "testlib/TestLibrary.h"
#include "wizard/SelectDiagnosticsPage.h"
#include "wizard/TestPage.h"
#include "wizard/WizardDlg.h"
#include "zelkor_rc.h"

namespace {
const int kChoiceButtons[] = {IDC_WELCOME_FULL, IDC_WELCOME_TYPICAL, IDC_WELCOME_CUSTOM};

// Whether Full (or, with typical, Typical) diagnostics run a test of these flags.
bool RunsAutomatically(WORD flags, bool typical) {
    if (!(flags & ZK_TEST_HAS_PAGE) || (flags & ZK_TEST_CUSTOM_ONLY)) return false;
    return !typical || (flags & ZK_TEST_TYPICAL);
}

struct PageBuilding {
    CWizardDlg* wizard;
    CWizardPage* after;
};

bool AddAutomaticTestPage(CTestLibrary& library, const TestEntry& test, void* building, DWORD typical) {
    if (!RunsAutomatically(test.flags, typical != 0)) return true;
    PageBuilding& where = *static_cast<PageBuilding*>(building);
    where.wizard->InsertPageAfter(where.after, std::make_unique<CTestPage>(test.testId, library));
    return true;
}


// The library's section starts before its first key that is written, so a library none of
// whose keys exist leaves no empty section.
bool LogKey(CTestLibrary& library, const LoggedKeyEntry& key, void* sectionWritten, DWORD typical) {
    if (typical && !(key.flags & ZK_KEY_TYPICAL)) return true;
    bool& written = *static_cast<bool*>(sectionWritten);
    if (!written) {
        LogSection(library.name());
        written = true;
    }
    LogRegistry(key.root, key.subkey);
    return true;
}
}  // namespace

CWelcomePage::CWelcomePage() : CWizardPage(IDD_WELCOME, true) {}

BOOL CWelcomePage::OnInitDialog() {
    for (int id : kChoiceButtons) item(id).setFont(fw::BoldFontLike(hwnd()));
    return CWizardPage::OnInitDialog();
}

void CWelcomePage::DoDataExchange(fw::DataExchange& exchange) {
    exchange.radio(kChoiceButtons, static_cast<int>(std::size(kChoiceButtons)), m_choice);
}

BOOL CWelcomePage::PageOpNext() {
    UpdateData(true);
    if (m_choice == Custom) {
        if (!m_selectPage) {
            auto selectPage = std::make_unique<CSelectDiagnosticsPage>();
            m_selectPage = selectPage.get();
            wizard()->InsertPageAfter(this, std::move(selectPage));
        }
        wizard()->session().autoRun = false;
        return TRUE;
    }
    if (m_selectPage) {
        wizard()->RemovePage(m_selectPage);
        m_selectPage = nullptr;
    }
    BuildAutomaticTestPages();
    wizard()->session().autoRun = true;
    return TRUE;
}

void CWelcomePage::BuildAutomaticTestPages() {
    PageBuilding building{wizard(), this};
    CTestLibrary* library = nullptr;
    for (size_t index = 0; GetTestLibrary(index, library); ++index)
        if (library->HasTests()) ForEachTest(*library, AddAutomaticTestPage, &building, m_choice == Typical);
}

void CWelcomePage::PageOpWriteLog() {
    UpdateData(true);
    if (m_choice == Custom) return;  // the Registry and System Editor pages log what the user chose
    CTestLibrary* library = nullptr;
    for (size_t index = 0; GetTestLibrary(index, library); ++index) {
        if (!library->HasLoggedKeys()) continue;
        bool sectionWritten = false;
        ForEachLoggedKey(*library, LogKey, &sectionWritten, m_choice == Typical);
    }
    LogSystemFiles();
}
