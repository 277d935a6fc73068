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

// A shown wizard of three probe pages; the second is the one Continue is tried on.
class Wizard : public ::testing::Test {
protected:
    void SetUp() override {
        auto owned = std::make_unique<ProbePage>();
        second = owned.get();
        wizard.AddPage(std::make_unique<ProbePage>());
        wizard.AddPage(std::move(owned));
        wizard.AddPage(std::make_unique<ProbePage>());
        ASSERT_TRUE(wizard.Create(nullptr));
        wizard.window().show(SW_SHOW);
    }

    WizardSession session;
    CWizardDlg wizard{session};
    ProbePage* second = nullptr;
};

TEST_F(Wizard, ContinueModeDuringAnAutoRunDisablesPreviousAndGivesBackItsState) {
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

// Enter as the dialog manager sees it, from the control that has the focus.
void pressEnter(HWND wizard) {
    MSG enter{GetFocus(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    IsDialogMessageA(wizard, &enter);
}

bool isDefault(const CWizardDlg& wizard, int id) {
    return (GetWindowLongA(wizard.item(id).hwnd(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

TEST_F(Wizard, EnterPressesContinueWhileItIsShownAndNextOtherwise) {
    session.autoRun = true;
    SetFocus(wizard.item(IDC_WIZARD_NEXT).hwnd());
    pressEnter(wizard.hwnd());
    ASSERT_EQ(second, wizard.currentPage());

    // The focus was on Next, which goes: Continue takes it, and the default with it.
    ZKSetContinue(TRUE);
    EXPECT_EQ(IDC_WIZARD_CONTINUE, LOWORD(SendMessageA(wizard.hwnd(), DM_GETDEFID, 0, 0)));
    EXPECT_TRUE(isDefault(wizard, IDC_WIZARD_CONTINUE));
    EXPECT_FALSE(isDefault(wizard, IDC_WIZARD_PREVIOUS));
    EXPECT_FALSE(isDefault(wizard, IDC_WIZARD_NEXT));
    pressEnter(wizard.hwnd());
    EXPECT_EQ(1, second->continued);
    EXPECT_EQ(second, wizard.currentPage());

    // Continue pressed: Next is back, and the default.
    EXPECT_EQ(IDC_WIZARD_NEXT, LOWORD(SendMessageA(wizard.hwnd(), DM_GETDEFID, 0, 0)));
    EXPECT_TRUE(isDefault(wizard, IDC_WIZARD_NEXT));
    EXPECT_FALSE(isDefault(wizard, IDC_WIZARD_CONTINUE));
    pressEnter(wizard.hwnd());
    EXPECT_EQ(wizard.page(2), wizard.currentPage());
}

}  // namespace
