#include "wizard/WelcomePage.h"

#include <iterator>
#include <memory>

#include "framework/Font.h"
#include "log/LogWriter.h"
#include "log/SystemFileDump.h"
#include "resources/resource.h"
#include "testlib/LibraryWalks.h"
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
    const bool typical = m_choice == Typical;
    CTestLibrary* library = nullptr;
    for (size_t index = 0; GetTestLibrary(index, library); ++index) {
        if (!library->HasTests()) continue;
        ForEachTest(*library, [&](const TestEntry& test) {
            if (RunsAutomatically(test.flags, typical))
                wizard()->InsertPageAfter(this, std::make_unique<CTestPage>(test.testId, *library));
            return true;
        });
    }
}

void CWelcomePage::PageOpWriteLog() {
    UpdateData(true);
    if (m_choice == Custom) return;  // the Registry and System Editor pages log what the user chose
    const bool typical = m_choice == Typical;
    CTestLibrary* library = nullptr;
    for (size_t index = 0; GetTestLibrary(index, library); ++index) {
        if (!library->HasLoggedKeys()) continue;
        // The library's section starts before its first key that is written, so a library none
        // of whose keys exist leaves no empty section.
        bool sectionWritten = false;
        ForEachLoggedKey(*library, [&](const LoggedKeyEntry& key) {
            if (typical && !(key.flags & ZK_KEY_TYPICAL)) return true;
            if (!sectionWritten) LogSection(library->name());
            sectionWritten = true;
            LogRegistry(key.root, key.subkey);
            return true;
        });
    }
    LogSystemFiles();
}
