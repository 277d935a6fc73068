// The wizard frame and its page list, with the tests' own pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/Session.h"
#include "driver/Driver.h"
#include "fixture_ids.h"
#include "resources/resource.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

namespace {

// A page that records the page messages it receives and answers Next and Back as told.
class ProbePage : public CWizardPage {
public:
    ProbePage(std::string name, bool persistent, std::vector<std::string>& journal, UINT templateId = IDD_PROBE_PAGE)
        : CWizardPage(templateId, persistent), m_name(std::move(name)), m_journal(journal) {}
    ~ProbePage() override { m_journal.push_back("deleted " + m_name); }

    BOOL PageOpNext() override { return allowNext; }
    BOOL PageOpBack() override { return allowBack; }
    void PageOpActivate() override { m_journal.push_back("activate " + m_name); }
    void PageOpDeactivate() override { m_journal.push_back("deactivate " + m_name); }
    void PageOpRemove() override { m_journal.push_back("remove " + m_name); }
    void PageOpContinue() override { m_journal.push_back("continue " + m_name); }
    void PageOpTaskDone() override { m_journal.push_back("taskdone " + m_name); }

    BOOL allowNext = TRUE;
    BOOL allowBack = TRUE;

private:
    std::string m_name;
    std::vector<std::string>& m_journal;
};

class WizardTest : public ::testing::Test {
protected:
    void TearDown() override {
        wizard.reset();
        AutoRunFlag = 0;
    }

    ProbePage* add(const std::string& name, bool persistent) {
        auto page = std::make_unique<ProbePage>(name, persistent, journal);
        ProbePage* raw = page.get();
        wizard->AddPage(std::move(page));
        return raw;
    }
    // Builds pages in a loop, each directly after `after`, as the pages that build pages do.
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
    std::string current() { return wizard->item(IDC_WIZARD_TITLE).text(); }

    std::vector<std::string> journal;
    std::unique_ptr<CWizardDlg> wizard = std::make_unique<CWizardDlg>();
};

TEST_F(WizardTest, PreviousRemovesPagesBuiltSinceTheNearestPersistentPage) {
    ProbePage* welcome = add("welcome", true);
    add("complete", true);
    // Built in a loop directly after the Welcome page: they stand in reverse order.
    insertAfter(welcome, {"t1", "t2", "t3"}, false);
    open();
    ASSERT_EQ(5u, wizard->pageCount());
    EXPECT_FALSE(enabled(IDC_WIZARD_PREVIOUS));
    EXPECT_TRUE(enabled(IDC_WIZARD_NEXT));

    press(IDC_WIZARD_NEXT);
    EXPECT_EQ(wizard->page(1), wizard->currentPage());
    press(IDC_WIZARD_NEXT);
    EXPECT_EQ(2u, wizard->currentPosition());

    journal.clear();
    press(IDC_WIZARD_PREVIOUS);
    // Back on Welcome; every test page removed, the last page kept. Pages that had a window are
    // told first; t1 was never shown.
    EXPECT_EQ(welcome, wizard->currentPage());
    ASSERT_EQ(2u, wizard->pageCount());
    EXPECT_EQ(std::vector<std::string>({"remove t2", "deleted t2", "deleted t1", "remove t3", "deleted t3",
                                        "activate welcome"}),
              journal);
    EXPECT_FALSE(enabled(IDC_WIZARD_PREVIOUS));
}

TEST_F(WizardTest, PreviousKeepsPersistentPagesAfterTheCurrentOne) {
    ProbePage* welcome = add("welcome", true);
    add("complete", true);
    ProbePage* select = insertAfter(welcome, {"select"}, true)[0];
    insertAfter(select, {"registry"}, true);
    insertAfter(select, {"a", "b"}, false);  // select, b, a, registry, complete
    open();
    for (int i = 0; i < 3; ++i) press(IDC_WIZARD_NEXT);
    ASSERT_EQ("a", std::string(current() == "Probe page" ? "a" : "?"));
    EXPECT_EQ(3u, wizard->currentPosition());

    press(IDC_WIZARD_PREVIOUS);
    EXPECT_EQ(select, wizard->currentPage());
    ASSERT_EQ(4u, wizard->pageCount());  // welcome, select, registry, complete
    EXPECT_TRUE(wizard->page(2)->persistent());
}

TEST_F(WizardTest, NextAndPreviousAreDisabledAtTheEndsAndARefusingPageStays) {
    ProbePage* first = add("first", true);
    ProbePage* last = add("last", true);
    open();
    EXPECT_FALSE(enabled(IDC_WIZARD_PREVIOUS));
    first->allowNext = FALSE;
    press(IDC_WIZARD_NEXT);
    EXPECT_EQ(first, wizard->currentPage());
    first->allowNext = TRUE;
    press(IDC_WIZARD_NEXT);
    EXPECT_EQ(last, wizard->currentPage());
    EXPECT_FALSE(enabled(IDC_WIZARD_NEXT));
    EXPECT_TRUE(enabled(IDC_WIZARD_PREVIOUS));
    last->allowBack = FALSE;
    press(IDC_WIZARD_PREVIOUS);
    EXPECT_EQ(last, wizard->currentPage());
}

TEST_F(WizardTest, TheFrameGrowsToTheFirstPageAndLaterPagesTakeItsSize) {
    fw::WindowRef placeholderBefore;
    {
        CWizardDlg bare;
        ASSERT_TRUE(bare.Create(nullptr));
        RECT placeholder = bare.item(IDC_WIZARD_PAGE_AREA).windowRect();
        RECT frame = bare.window().windowRect();
        RECT picture = bare.item(IDC_WIZARD_PICTURE).windowRect();
        RECT margin = bare.item(IDC_WIZARD_MARGIN).windowRect();
        RECT next = bare.item(IDC_WIZARD_NEXT).rectInParent();
        bare.Destroy();

        add("big", true);
        auto small = std::make_unique<ProbePage>("small", true, journal, IDD_SMALL_PAGE);
        CWizardPage* smallPage = small.get();
        wizard->AddPage(std::move(small));
        open();

        RECT pageRect = wizard->page(0)->window().windowRect();
        const int dx = fw::width(pageRect) - fw::width(placeholder);
        const int dy = fw::height(pageRect) - fw::height(placeholder);
        const int bx = fw::width(picture) - fw::width(margin);
        RECT grown = wizard->window().windowRect();
        EXPECT_EQ(fw::width(frame) + bx + dx, fw::width(grown));
        EXPECT_EQ(fw::height(frame) + dy, fw::height(grown));
        RECT nextNow = wizard->item(IDC_WIZARD_NEXT).rectInParent();
        EXPECT_EQ(next.left + bx + dx, nextNow.left);
        EXPECT_EQ(next.top + dy, nextNow.top);
        EXPECT_EQ(nextNow.left, wizard->item(IDC_WIZARD_CONTINUE).rectInParent().left);

        press(IDC_WIZARD_NEXT);
        RECT smallRect = smallPage->window().windowRect();
        EXPECT_EQ(fw::width(pageRect), fw::width(smallRect));
        EXPECT_EQ(fw::height(pageRect), fw::height(smallRect));
        EXPECT_EQ("Small page", current());
    }
}

TEST_F(WizardTest, ContinueModeDuringAnAutoRunDisablesPreviousAndGivesBackItsState) {
    add("first", true);
    ProbePage* second = add("second", true);
    add("third", true);
    open();
    press(IDC_WIZARD_NEXT);
    ASSERT_TRUE(enabled(IDC_WIZARD_PREVIOUS));

    AutoRunFlag = 1;
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
    AutoRunFlag = 0;
    ZKSetContinue(TRUE);
    EXPECT_TRUE(enabled(IDC_WIZARD_PREVIOUS));
}

TEST_F(WizardTest, ButtonFunctionsReportThePreviousStateAndFinishModeSwapsCancel) {
    add("first", true);
    add("second", true);
    open();
    EXPECT_TRUE(ZKEnableNext(FALSE));
    EXPECT_FALSE(ZKEnableNext(FALSE));
    EXPECT_FALSE(ZKEnablePrev(TRUE));
    EXPECT_TRUE(ZKEnablePrev(FALSE));

    EXPECT_FALSE(wizard->SetFinishMode(true));
    EXPECT_TRUE(visible(IDC_WIZARD_FINISH));
    EXPECT_FALSE(visible(IDCANCEL));
    EXPECT_TRUE(wizard->SetFinishMode(false));
    EXPECT_TRUE(visible(IDCANCEL));

    ZKEnableNext(TRUE);
    ZKForceNext();
    EXPECT_EQ(1u, wizard->currentPosition());
    ZKForceNext();  // never past the last page
    EXPECT_EQ(1u, wizard->currentPosition());
}

TEST_F(WizardTest, TaskEndedMessageGoesToThePageOrClosesTheWizard) {
    ProbePage* first = add("first", true);
    add("second", true);
    open();
    journal.clear();
    SendMessageA(wizard->hwnd(), ZKPM_TASKDONE, 0, 0);
    EXPECT_EQ(std::vector<std::string>({"taskdone first"}), journal);
    first->allowNext = FALSE;
    EXPECT_TRUE(IsWindowVisible(wizard->hwnd()));
}

// The quit step runs inside the wizard's own modal loop; a helper thread answers the question.
// The wizard presses Cancel as often as told once it is open.
class QuittingWizard : public CWizardDlg {
public:
    explicit QuittingWizard(int cancels) : m_cancels(cancels) {}

protected:
    BOOL OnInitDialog() override {
        BOOL result = CWizardDlg::OnInitDialog();
        for (int i = 0; i < m_cancels; ++i) PostMessageA(hwnd(), WM_COMMAND, IDCANCEL, 0);
        return result;
    }

private:
    int m_cancels;
};

TEST(WizardQuit, CancelAsksNoKeepsTheWizardYesClosesItWithResultTwo) {
    std::vector<std::string> journal;
    QuittingWizard wizard(2);
    wizard.AddPage(std::make_unique<ProbePage>("only", true, journal));
    std::vector<std::string> questions;
    std::thread answerer([&] {
        for (int answer : {IDNO, IDYES}) {
            drive::MessageBoxSeen box = drive::WaitForMessageBox(GetCurrentProcessId(), 10000);
            questions.push_back(box.caption + "|" + box.text);
            // Let the box settle before answering, so the second question is a new box.
            Sleep(100);
            drive::AnswerMessageBox(box, answer);
            drive::WaitFor([&]() -> HWND { return IsWindow(box.window) ? nullptr : GetDesktopWindow(); }, 5000);
        }
    });
    INT_PTR result = wizard.DoModal(nullptr);
    answerer.join();
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(2u, questions.size());
    EXPECT_EQ("Zelkor|If you quit now the current session will not be saved.\r\nAre you sure you want to continue?",
              questions[0]);
}

class RefusingWizard : public CWizardDlg {
protected:
    BOOL OnInitDialog() override {
        BOOL result = CWizardDlg::OnInitDialog();
        PostMessageA(hwnd(), ZKPM_TASKDONE, 1, 0);
        return result;
    }
};

TEST(WizardQuit, TaskEndedAfterAStopRequestClosesEvenWhenThePageRefusesNext) {
    std::vector<std::string> journal;
    RefusingWizard wizard;
    auto page = std::make_unique<ProbePage>("stubborn", true, journal);
    page->allowNext = FALSE;
    wizard.AddPage(std::move(page));
    EXPECT_EQ(IDCANCEL, wizard.DoModal(nullptr));
}

}  // namespace

namespace {

TEST(WizardQuit, ATaskThatEndsWhileTheQuitQuestionIsOpenIsHandledAfterTheAnswer) {
    std::vector<std::string> journal;
    QuittingWizard wizard(1);  // the test closes it itself afterwards
    wizard.AddPage(std::make_unique<ProbePage>("only", true, journal));
    size_t heardWhileAsking = 0;
    std::thread answerer([&] {
        drive::MessageBoxSeen question = drive::WaitForMessageBox(GetCurrentProcessId(), 10000);
        // The task's end arrives while the question is open: the page must not hear of it yet.
        SendMessageA(wizard.hwnd(), ZKPM_TASKDONE, 0, 0);
        heardWhileAsking = journal.size();
        drive::AnswerMessageBox(question, IDNO);
        drive::WaitFor([&]() -> HWND { return IsWindow(question.window) ? nullptr : GetDesktopWindow(); }, 5000);
        PostMessageA(wizard.hwnd(), ZKPM_TASKDONE, 1, 0);  // a stopped task: closes the wizard
    });
    wizard.DoModal(nullptr);
    answerer.join();
    EXPECT_EQ(1u, heardWhileAsking) << "only the activation before the answer";
    EXPECT_EQ(std::vector<std::string>({"activate only", "taskdone only"}),
              std::vector<std::string>(journal.begin(), journal.begin() + std::min<size_t>(2, journal.size())));
}

}  // namespace
