// The wizard's Continue mode, with the tests' own pages. Which pages Previous removes is walked
// with real pages in the Pages tests.
#include <gtest/gtest.h>

#include <memory>

#include "fixture_ids.h"
#include "resources/resource.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

namespace {

// A page that counts the Continue presses it is told of.
class ProbePage : public CWizardPage {
public:
    ProbePage() : CWizardPage(IDD_PROBE_PAGE, true) {}
    void PageOpContinue() override { ++continued; }
    int continued = 0;
};

TEST(Wizard, ContinueModeDuringAnAutoRunDisablesPreviousAndGivesBackItsState) {
    WizardSession session;
    CWizardDlg wizard(session);
    auto owned = std::make_unique<ProbePage>();
    ProbePage* second = owned.get();
    wizard.AddPage(std::make_unique<ProbePage>());
    wizard.AddPage(std::move(owned));
    wizard.AddPage(std::make_unique<ProbePage>());
    ASSERT_TRUE(wizard.Create(nullptr));
    wizard.window().show(SW_SHOW);
    auto press = [&](int id) { SendMessageA(wizard.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
    auto enabled = [&](int id) { return wizard.item(id).isEnabled(); };
    auto visible = [&](int id) { return wizard.item(id).isVisible(); };
    press(IDC_WIZARD_NEXT);
    ASSERT_TRUE(enabled(IDC_WIZARD_PREVIOUS));

    session.autoRun = true;
    ZKSetContinue(TRUE);
    EXPECT_TRUE(visible(IDC_WIZARD_CONTINUE));
    EXPECT_FALSE(visible(IDC_WIZARD_NEXT));
    ZKSetContinue(TRUE);  // no change the second time: Previous's state is not taken twice
    EXPECT_FALSE(enabled(IDC_WIZARD_PREVIOUS));

    press(IDC_WIZARD_CONTINUE);
    EXPECT_EQ(1, second->continued);
    EXPECT_TRUE(visible(IDC_WIZARD_NEXT));
    EXPECT_TRUE(enabled(IDC_WIZARD_PREVIOUS));
    EXPECT_EQ(second, wizard.currentPage());

    // Outside an auto-run, Previous is left alone.
    session.autoRun = false;
    ZKSetContinue(TRUE);
    EXPECT_TRUE(enabled(IDC_WIZARD_PREVIOUS));
}

}  // namespace
