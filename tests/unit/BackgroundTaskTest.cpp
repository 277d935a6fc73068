// Background tasks: the wizard's buttons around them, the end notice, and the wizard's Cancel
// with tasks that stop when asked and tasks that do not.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "driver/Driver.h"
#include "fixture_ids.h"
#include "framework/Handles.h"
#include "resources/resource.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

namespace {

enum class Job { ReturnAtOnce, StopWhenAsked, IgnoreStopRequests };

// A page whose job is chosen by the test; it counts its loop turns and its end notices.
class TaskPage : public CWizardPage {
public:
    explicit TaskPage(Job job) : CWizardPage(IDD_PROBE_PAGE, true), m_job(job) {}
    ~TaskPage() override {
        if (thread) CloseHandle(thread);
    }

    void PageOpRunTask() override {
        DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &thread, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        if (m_job == Job::ReturnAtOnce) return;
        for (; m_job == Job::IgnoreStopRequests || !ZKShouldTerminate(); Sleep(1))
            if (++turns == 1) SetEvent(running.get());
    }
    void PageOpTaskDone() override { ++taskDone; }

    fw::UniqueKernelHandle running{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    HANDLE thread = nullptr;
    std::atomic<int> turns{0};
    std::atomic<int> taskDone{0};

private:
    Job m_job;
};

DWORD WINAPI endAtOnce(void*) {
    ZKEndBackground();
    return 0;
}

TEST(BackgroundTask, EveryEndGivesBackTheButtonsOfItsBeginAndTellsThePageOnce) {
    WizardSession session;
    CWizardDlg wizard(session);
    auto owned = std::make_unique<TaskPage>(Job::ReturnAtOnce);
    TaskPage* page = owned.get();
    wizard.AddPage(std::move(owned));
    wizard.AddPage(std::make_unique<CWizardPage>(IDD_PROBE_PAGE, true));
    ASSERT_TRUE(wizard.Create(nullptr));

    // Nothing registered: the end returns at once and tells nobody.
    ZKEndBackground();
    EXPECT_EQ(0, page->taskDone);

    ASSERT_TRUE(page->StartPageTask());
    // The task's notices are sent to this thread: handle messages until they have come.
    drive::WaitFor([&]() -> HWND { return page->taskDone ? GetDesktopWindow() : nullptr; }, 5000);
    EXPECT_EQ(1, page->taskDone);
    EXPECT_FALSE(wizard.tasks().Running());
    EXPECT_TRUE(wizard.item(IDC_WIZARD_NEXT).isEnabled());
    EXPECT_FALSE(wizard.item(IDC_WIZARD_PREVIOUS).isEnabled());

    // A thread that has ended before its starter registers it is finished by the registration,
    // with the states from the registration, not "enabled".
    ZKEnableNext(FALSE);
    ZKEnablePrev(TRUE);
    HANDLE thread = CreateThread(nullptr, 0, endAtOnce, nullptr, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 5000));
    EXPECT_EQ(1, page->taskDone);
    ZKBeginBackground(thread);
    EXPECT_EQ(2, page->taskDone);
    EXPECT_FALSE(wizard.tasks().Running());
    EXPECT_FALSE(wizard.item(IDC_WIZARD_NEXT).isEnabled());
    EXPECT_TRUE(wizard.item(IDC_WIZARD_PREVIOUS).isEnabled());
    CloseHandle(thread);
}

// A wizard that starts its first page's job as soon as it is shown and, once the job runs,
// presses Cancel.
class CancellingWizard : public CWizardDlg {
public:
    using CWizardDlg::CWizardDlg;

protected:
    BOOL OnInitDialog() override {
        BOOL result = CWizardDlg::OnInitDialog();
        currentPage()->StartPageTask();
        WaitForSingleObject(static_cast<TaskPage*>(currentPage())->running.get(), 5000);
        PostMessageA(hwnd(), WM_COMMAND, IDCANCEL, 0);
        return result;
    }
};

// Answers this process's message boxes in turn from a helper thread, recording their texts.
// Boxes beyond the answers given are answered Yes, so that a wrong count fails instead of hanging.
class Answerer {
public:
    // before(i) runs while box i is shown, just before it is answered.
    explicit Answerer(std::vector<int> answers, std::function<void(size_t)> before = nullptr)
        : m_thread([this, answers, before] {
              while (!m_stop) {
                  drive::MessageBoxSeen box = drive::WaitForMessageBox(GetCurrentProcessId(), 100);
                  if (!box.window) continue;
                  // A box may be found before its text is set.
                  HWND text = GetDlgItem(box.window, 0xFFFF);
                  drive::WaitFor([&]() -> HWND { return drive::Text(text).empty() ? nullptr : text; }, 5000);
                  const size_t index = texts.size();
                  texts.push_back(drive::Text(text));
                  if (before && index < answers.size()) before(index);
                  drive::AnswerMessageBox(box, index < answers.size() ? answers[index] : IDYES);
                  drive::WaitFor([&]() -> HWND { return IsWindow(box.window) ? nullptr : GetDesktopWindow(); }, 5000);
              }
          }) {}
    void Finish() {
        m_stop = true;
        m_thread.join();
    }

    std::vector<std::string> texts;

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

const char kQuitQuestion[] =
    "If you quit now the current session will not be saved.\r\nAre you sure you want to continue?";
const char kKillQuestion[] =
    "Zelkor was unable to abort the current task. Do you want to quit anyway?\nSelect Yes to kill the task and "
    "exit or No to try again";

TEST(BackgroundTask, CancelStopsATaskThatPollsWithoutAskingMore) {
    WizardSession session;
    CancellingWizard wizard(session);
    auto owned = std::make_unique<TaskPage>(Job::StopWhenAsked);
    TaskPage* page = owned.get();
    wizard.AddPage(std::move(owned));
    Answerer answerer({IDYES});
    EXPECT_EQ(IDCANCEL, wizard.DoModal(nullptr));  // without a second question: no 5-second wait
    answerer.Finish();
    EXPECT_EQ(std::vector<std::string>({kQuitQuestion}), answerer.texts);
    EXPECT_GT(page->turns, 0);
    EXPECT_EQ(0, page->taskDone) << "a stopped task closes the wizard instead of telling the page";
    EXPECT_FALSE(wizard.tasks().Running());
    EXPECT_TRUE(session.terminate);
}

TEST(BackgroundTask, ATaskThatIgnoresTheStopIsSuspendedWhileTheUserDecides) {
    WizardSession session;
    CancellingWizard wizard(session);
    auto owned = std::make_unique<TaskPage>(Job::IgnoreStopRequests);
    TaskPage* page = owned.get();
    wizard.AddPage(std::move(owned));
    DWORD suspendCounts[2] = {};
    int turnsAsked[2] = {};
    // Yes to quitting; No to killing (the task goes on); Yes to killing.
    Answerer answerer({IDYES, IDNO, IDYES}, [&](size_t box) {
        if (box == 0) return;
        turnsAsked[box - 1] = page->turns;
        suspendCounts[box - 1] = SuspendThread(page->thread);
        ResumeThread(page->thread);
    });
    EXPECT_EQ(IDCANCEL, wizard.DoModal(nullptr));
    answerer.Finish();
    EXPECT_EQ(std::vector<std::string>({kQuitQuestion, kKillQuestion, kKillQuestion}), answerer.texts);
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

}  // namespace
