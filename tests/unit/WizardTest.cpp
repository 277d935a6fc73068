// The wizard frame and its page list, with the tests' own pages.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fixture_ids.h"
#include "resources/resource.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

namespace {

// A page that records the page messages it receives.
class ProbePage : public CWizardPage {
public:
    ProbePage(std::string name, bool persistent, std::vector<std::string>& journal)
        : CWizardPage(IDD_PROBE_PAGE, persistent), m_name(std::move(name)), m_journal(journal) {}
    ~ProbePage() override { note("deleted"); }

    void PageOpActivate() override { note("activate"); }
    void PageOpRemove() override { note("remove"); }
    void PageOpContinue() override { note("continue"); }
    void note(const char* what) { m_journal.push_back(what + (" " + m_name)); }

private:
    std::string m_name;
    std::vector<std::string>& m_journal;
};

class WizardTest : public ::testing::Test {
protected:
    void TearDown() override { wizard.reset(); }

    ProbePage* add(const std::string& name, bool persistent) { return insertAfter(nullptr, {name}, persistent)[0]; }
    // Builds pages in a loop, each directly after `after` (null: at the end), as the pages that
    // build pages do.
    std::vector<ProbePage*> insertAfter(CWizardPage* after, const std::vector<std::string>& names, bool persistent) {
        std::vector<ProbePage*> built;
        for (const auto& name : names) {
            auto page = std::make_unique<ProbePage>(name, persistent, journal);
            built.push_back(page.get());
            wizard->InsertPageAfter(after, std::move(page));
        }
        return built;
    }
    void open() {
        ASSERT_TRUE(wizard->Create(nullptr));
        wizard->window().show(SW_SHOW);
    }
    void press(int id) { SendMessageA(wizard->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    bool enabled(int id) { return wizard->item(id).isEnabled(); }
    bool visible(int id) { return wizard->item(id).isVisible(); }

    std::vector<std::string> journal;
    WizardSession session;
    std::unique_ptr<CWizardDlg> wizard = std::make_unique<CWizardDlg>(session);
};

TEST_F(WizardTest, PreviousRemovesPagesBuiltSinceTheNearestPersistentPageAndKeepsLaterOnes) {
    ProbePage* welcome = add("welcome", true);
    add("complete", true);
    ProbePage* select = insertAfter(welcome, {"select"}, true)[0];
    insertAfter(select, {"registry"}, true);
    // Built in a loop directly after the page: they stand in reverse order.
    insertAfter(select, {"t1", "t2", "t3"}, false);  // welcome, select, t3, t2, t1, registry, complete
    open();
    for (int i = 0; i < 3; ++i) press(IDC_WIZARD_NEXT);
    ASSERT_EQ(wizard->page(3), wizard->currentPage());

    journal.clear();
    press(IDC_WIZARD_PREVIOUS);
    // Back on select; every test page removed, the persistent pages after them kept. Pages that
    // had a window are told first; t1 was never shown.
    EXPECT_EQ(select, wizard->currentPage());
    ASSERT_EQ(4u, wizard->pageCount());
    EXPECT_EQ(std::vector<std::string>({"remove t2", "deleted t2", "deleted t1", "remove t3", "deleted t3",
                                        "activate select"}),
              journal);
    EXPECT_TRUE(wizard->page(2)->persistent());
}

TEST_F(WizardTest, ContinueModeDuringAnAutoRunDisablesPreviousAndGivesBackItsState) {
    add("first", true);
    ProbePage* second = add("second", true);
    add("third", true);
    open();
    press(IDC_WIZARD_NEXT);
    ASSERT_TRUE(enabled(IDC_WIZARD_PREVIOUS));

    session.autoRun = true;
    ZKSetContinue(TRUE);
    EXPECT_TRUE(visible(IDC_WIZARD_CONTINUE));
    EXPECT_FALSE(visible(IDC_WIZARD_NEXT));
    EXPECT_TRUE(enabled(IDC_WIZARD_CONTINUE));
    EXPECT_FALSE(enabled(IDC_WIZARD_PREVIOUS));
    ZKSetContinue(TRUE);  // no change the second time
    EXPECT_FALSE(enabled(IDC_WIZARD_PREVIOUS));

    journal.clear();
    press(IDC_WIZARD_CONTINUE);
    EXPECT_EQ(std::vector<std::string>({"continue second"}), journal);
    EXPECT_TRUE(visible(IDC_WIZARD_NEXT));
    EXPECT_FALSE(visible(IDC_WIZARD_CONTINUE));
    EXPECT_TRUE(enabled(IDC_WIZARD_PREVIOUS));
    EXPECT_EQ(second, wizard->currentPage());

    // Outside an auto-run, Previous is left alone.
    session.autoRun = false;
    ZKSetContinue(TRUE);
    EXPECT_TRUE(enabled(IDC_WIZARD_PREVIOUS));
}

}  // namespace
