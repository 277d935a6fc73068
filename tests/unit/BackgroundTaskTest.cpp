// Background tasks: the wizard's buttons around them, the end notice, and the wizard's Cancel
// with a task that does not stop when asked and with an end notice during the question. Quitting
// during a task that stops when asked is a whole session (the end-to-end Cancel test).
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "LogCapture.h"
#include "MessageBoxAnswers.h"
#include "fixture_ids.h"
#include "framework/Handles.h"
#include "resources/resource.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

namespace {

enum class Job { None, ReturnAtOnce, IgnoreStopRequests, ThrowHalfWay };

// A page whose job is chosen by the test; it counts its loop turns and its end notices, and it
// refuses Next, so that only the wizard's own end handling can close the wizard.
class TaskPage : public CWizardPage {
public:
    explicit TaskPage(Job job) : CWizardPage(IDD_PROBE_PAGE, true), job(job) {}
    ~TaskPage() override {
        if (thread) CloseHandle(thread);
    }

    void PageOpRunTask() override {
        DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &thread, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        if (job == Job::ReturnAtOnce) return;
        if (job == Job::ThrowHalfWay) {
            ZKLogWrite("Started\r\n");
            throw std::runtime_error("the job fails half way");
        }
        for (;; Sleep(1))  // until killed
            if (++turns == 1) SetEvent(running.get());
    }
    BOOL PageOpNext() override { return FALSE; }
    void PageOpTaskDone() override { ++taskDone; }

    const Job job;
    fw::UniqueKernelHandle running{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    HANDLE thread = nullptr;
    std::atomic<int> turns{0};
    std::atomic<int> taskDone{0};
};

TaskPage* addTaskPage(CWizardDlg& wizard, Job job) {
    auto owned = std::make_unique<TaskPage>(job);
    TaskPage* page = owned.get();
    wizard.AddPage(std::move(owned));
    return page;
}

DWORD WINAPI endAtOnce(void*) {
    ZKEndBackground();
    return 0;
}

TEST(BackgroundTask, EveryEndGivesBackTheButtonsOfItsBeginAndTellsThePageOnce) {
    WizardSession session;
    CWizardDlg wizard(session);
    TaskPage* page = addTaskPage(wizard, Job::ReturnAtOnce);
    wizard.AddPage(std::make_unique<CWizardPage>(IDD_PROBE_PAGE, true));
    ASSERT_TRUE(wizard.Create(nullptr));

    ASSERT_TRUE(page->StartPageTask());
    // The task's notices are sent to this thread: handle messages until they have come.
    drive::WaitFor([&]() -> HWND { return page->taskDone ? GetDesktopWindow() : nullptr; }, 5000);
    EXPECT_EQ(1, page->taskDone);
    EXPECT_TRUE(wizard.item(IDC_WIZARD_NEXT).isEnabled());
    EXPECT_FALSE(wizard.item(IDC_WIZARD_PREVIOUS).isEnabled());

    // A thread that has ended before its starter registers it is finished by the registration,
    // with the states from the registration, not "enabled".
    ZKEnableNext(FALSE);
    ZKEnablePrev(TRUE);
    HANDLE thread = CreateThread(nullptr, 0, endAtOnce, nullptr, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 5000));
    ZKBeginBackground(thread);
    EXPECT_EQ(2, page->taskDone);
    EXPECT_FALSE(wizard.tasks().Running());
    EXPECT_FALSE(wizard.item(IDC_WIZARD_NEXT).isEnabled());
    EXPECT_TRUE(wizard.item(IDC_WIZARD_PREVIOUS).isEnabled());
    CloseHandle(thread);
}

// A job that throws still ends, and the log it was writing says where it stops and why.
TEST(BackgroundTask, AJobThatThrowsEndsAndMarksItsLogIncomplete) {
    WizardSession session;
    CWizardDlg wizard(session);
    TaskPage* page = addTaskPage(wizard, Job::ThrowHalfWay);
    ASSERT_TRUE(wizard.Create(nullptr));
    LogCapture log;
    ASSERT_TRUE(page->StartPageTask());
    drive::WaitFor([&]() -> HWND { return page->taskDone ? GetDesktopWindow() : nullptr; }, 5000);
    EXPECT_EQ(1, page->taskDone);
    EXPECT_FALSE(wizard.tasks().Running());
    const std::string reason = "a background job failed: std::runtime_error (the job fails half way)";
    EXPECT_EQ(reason, LogIncompleteReason());
    EXPECT_EQ("Started\r\n\r\nThis log is incomplete: " + reason + "\r\n\r\n", log.text());
}

// A wizard that presses Cancel as soon as it is shown; when its first page has a job, it starts
// the job first and waits until the job runs.
class CancellingWizard : public CWizardDlg {
public:
    using CWizardDlg::CWizardDlg;

protected:
    BOOL OnInitDialog() override {
        BOOL result = CWizardDlg::OnInitDialog();
        auto* page = static_cast<TaskPage*>(currentPage());
        if (page->job != Job::None) {
            page->StartPageTask();
            WaitForSingleObject(page->running.get(), 5000);
        }
        PostMessageA(hwnd(), WM_COMMAND, IDCANCEL, 0);
        return result;
    }
};

const char kQuitQuestion[] =
    "If you quit now the current session will not be saved.\r\nAre you sure you want to continue?";
const char kKillQuestion[] =
    "Zelkor was unable to abort the current task. Do you want to quit anyway?\nSelect Yes to kill the task and "
    "exit or No to try again";

TEST(BackgroundTask, ATaskThatIgnoresTheStopIsSuspendedWhileTheUserDecides) {
    WizardSession session;
    CancellingWizard wizard(session);
    TaskPage* page = addTaskPage(wizard, Job::IgnoreStopRequests);
    DWORD suspendCounts[2] = {};
    int turnsAsked[2] = {};
    // Yes to quitting; No to killing (the task goes on); Yes to killing.
    MessageBoxAnswers answers({IDYES, IDNO, IDYES}, [&](size_t box) {
        if (box == 0) return;
        turnsAsked[box - 1] = page->turns;
        suspendCounts[box - 1] = SuspendThread(page->thread);
        ResumeThread(page->thread);
    });
    EXPECT_EQ(IDCANCEL, wizard.DoModal(nullptr));
    EXPECT_EQ(std::vector<std::string>({kQuitQuestion, kKillQuestion, kKillQuestion}), answers.Finish());
    EXPECT_EQ(1u, suspendCounts[0]) << "suspended while asked";
    EXPECT_EQ(1u, suspendCounts[1]);
    EXPECT_GT(turnsAsked[1], turnsAsked[0]) << "running again after No";
    DWORD exitCode = 0;
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(page->thread, 0)) << "killed after Yes";
    GetExitCodeThread(page->thread, &exitCode);
    EXPECT_EQ(0xFFFFFFFFu, exitCode);
    EXPECT_FALSE(wizard.tasks().Running());
    EXPECT_TRUE(session.terminate);
}

// A task that ended just before the question was asked: its end notice, handled while the question
// is open, must not move the session on under it; the page hears of it after No. The notice of a
// stopped task, though, closes the wizard.
TEST(BackgroundTask, AnEndNoticeDuringTheQuitQuestionReachesThePageAfterNo) {
    WizardSession session;
    CancellingWizard wizard(session);
    TaskPage* page = addTaskPage(wizard, Job::None);
    int heardWhileAsking = -1;
    MessageBoxAnswers answers({IDNO}, [&](size_t) {
        SendMessageA(wizard.hwnd(), ZKPM_TASKDONE, 0, 0);
        heardWhileAsking = page->taskDone;
        PostMessageA(wizard.hwnd(), ZKPM_TASKDONE, 1, 0);
    });
    EXPECT_EQ(IDCANCEL, wizard.DoModal(nullptr));
    EXPECT_EQ(std::vector<std::string>({kQuitQuestion}), answers.Finish());
    EXPECT_EQ(0, heardWhileAsking);
    EXPECT_EQ(1, page->taskDone);
}

}  // namespace
