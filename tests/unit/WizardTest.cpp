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

// Enter as the dialog manager sees it, from the control that has the focus.
void pressEnter(HWND wizard) {
    MSG enter{GetFocus(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    IsDialogMessageA(wizard, &enter);
}

bool isDefault(const CWizardDlg& wizard, int id) {
    return (GetWindowLongA(wizard.item(id).hwnd(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// During an auto-run Continue takes Next's place, the focus and the default, and Previous is
// disabled; pressed, it gives all of them back. Outside an auto-run Previous is left alone.
TEST_F(Wizard, ContinueModeDuringAnAutoRunTakesNextsPlaceAndGivesBackTheStates) {
    auto enabled = [&](int id) { return wizard.item(id).isEnabled(); };
    auto visible = [&](int id) { return wizard.item(id).isVisible(); };
    auto defaultId = [&] { return LOWORD(SendMessageA(wizard.hwnd(), DM_GETDEFID, 0, 0)); };
    session.autoRun = true;
    SetFocus(wizard.item(IDC_WIZARD_NEXT).hwnd());
    pressEnter(wizard.hwnd());
    ASSERT_EQ(second, wizard.currentPage());
    ASSERT_TRUE(enabled(IDC_WIZARD_PREVIOUS));

    ZKSetContinue(TRUE);
    ZKSetContinue(TRUE);  // no change the second time: Previous's state is not taken twice
    EXPECT_TRUE(visible(IDC_WIZARD_CONTINUE));
    EXPECT_FALSE(visible(IDC_WIZARD_NEXT));
    EXPECT_FALSE(enabled(IDC_WIZARD_PREVIOUS));
    EXPECT_EQ(IDC_WIZARD_CONTINUE, defaultId());
    EXPECT_TRUE(isDefault(wizard, IDC_WIZARD_CONTINUE));
    EXPECT_FALSE(isDefault(wizard, IDC_WIZARD_PREVIOUS));
    EXPECT_FALSE(isDefault(wizard, IDC_WIZARD_NEXT));
    pressEnter(wizard.hwnd());
    EXPECT_EQ(1, second->continued);
    EXPECT_EQ(second, wizard.currentPage());

    EXPECT_TRUE(visible(IDC_WIZARD_NEXT));
    EXPECT_TRUE(enabled(IDC_WIZARD_PREVIOUS));
    EXPECT_EQ(IDC_WIZARD_NEXT, defaultId());
    EXPECT_TRUE(isDefault(wizard, IDC_WIZARD_NEXT));
    EXPECT_FALSE(isDefault(wizard, IDC_WIZARD_CONTINUE));
    pressEnter(wizard.hwnd());
    EXPECT_EQ(wizard.page(2), wizard.currentPage());
    session.autoRun = false;
    ZKSetContinue(TRUE);
    EXPECT_TRUE(enabled(IDC_WIZARD_PREVIOUS));
}

}  // namespace

namespace {

// Pages as the test libraries' pages behave in a run without a person: one asks for Continue
// when shown, one holds Next off and never lets go.
class ContinuePage : public ProbePage {
public:
    void PageOpActivate() override { wizard()->SetContinueMode(true); }
};
class HoldingPage : public ProbePage {
public:
    void PageOpActivate() override { wizard()->EnableNext(false); }
};

// Pumps the wizard's messages until the page is the current one or two seconds have passed.
bool reaches(CWizardDlg& wizard, CWizardPage* page) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 2000;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        if (wizard.currentPage() == page) return true;
        Sleep(5);
    }
    return false;
}

TEST(UnattendedWizard, PressesContinueThenNextAndBoundsAPageThatNeverLetsGo) {
    WizardSession session;
    session.unattended.choice = 1;
    session.unattended.pageTimeoutMs = 300;
    CWizardDlg wizard{session};
    auto continuing = std::make_unique<ContinuePage>();
    ContinuePage* second = continuing.get();
    auto holding = std::make_unique<HoldingPage>();
    CWizardPage* third = holding.get();
    auto last = std::make_unique<ProbePage>();
    CWizardPage* fourth = last.get();
    wizard.AddPage(std::make_unique<ProbePage>());
    wizard.AddPage(std::move(continuing));
    wizard.AddPage(std::move(holding));
    wizard.AddPage(std::move(last));
    ASSERT_TRUE(wizard.Create(nullptr));

    ASSERT_TRUE(reaches(wizard, third));
    EXPECT_EQ(1, second->continued);
    const DWORD held = GetTickCount();
    ASSERT_TRUE(reaches(wizard, fourth));
    EXPECT_GE(GetTickCount() - held, 250u) << "left before its time was up";
}

}  // namespace
