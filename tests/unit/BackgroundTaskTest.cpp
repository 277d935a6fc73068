// Page jobs on a background thread: the wizard's buttons around them, the end notice, and the
// wizard's Cancel with tasks that stop when asked and tasks that do not.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/Session.h"
#include "driver/Driver.h"
#include "fixture_ids.h"
#include "host/BackgroundTask.h"
#include "resources/resource.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

namespace {

enum class Job { ReturnAtOnce, StopWhenAsked, IgnoreStopRequests };

// A page whose job is chosen by the test; it counts its loop turns and its end notices.
class TaskPage : public CWizardPage {
public:
    explicit TaskPage(Job job) : CWizardPage(IDD_PROBE_PAGE, true), m_job(job) {}

    void PageOpRunTask() override {
        if (m_job == Job::ReturnAtOnce) return;
        while (m_job == Job::IgnoreStopRequests || !ZKShouldTerminate()) {
            ++turns;
            Sleep(5);
        }
    }
    void PageOpTaskDone() override { ++taskDone; }
    bool WaitUntilRunning() const {
        for (int i = 0; i < 400 && turns == 0; ++i) Sleep(5);
        return turns > 0;
    }

    std::atomic<int> turns{0};
    std::atomic<int> taskDone{0};

private:
    Job m_job;
};

// Handles this thread's messages (the task's notices are sent to it) until the time is up.
void pumpFor(DWORD milliseconds) {
    drive::WaitFor([]() -> HWND { return nullptr; }, milliseconds);
}
bool pumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    return drive::WaitFor([&]() -> HWND { return condition() ? GetDesktopWindow() : nullptr; }, timeoutMs) != nullptr;
}

// A background thread whose whole job is its end.
DWORD WINAPI endAtOnce(void*) {
    ZKEndBackground();
    return 0;
}

// A stop request is for the whole process: every test starts and leaves without one.
class BackgroundTaskTest : public ::testing::Test {
protected:
    void SetUp() override { TerminateFlag = 0; }
    void TearDown() override { TerminateFlag = 0; }
};

TEST_F(BackgroundTaskTest, AJobThatEndsAtOnceGivesTheButtonsBackAndEndsOnce) {
    CWizardDlg wizard;
    auto owned = std::make_unique<TaskPage>(Job::ReturnAtOnce);
    TaskPage* page = owned.get();
    wizard.AddPage(std::move(owned));
    wizard.AddPage(std::make_unique<CWizardPage>(IDD_PROBE_PAGE, true));
    ASSERT_TRUE(wizard.Create(nullptr));
    ASSERT_TRUE(wizard.item(IDC_WIZARD_NEXT).isEnabled());
    ASSERT_FALSE(wizard.item(IDC_WIZARD_PREVIOUS).isEnabled());

    ASSERT_TRUE(page->StartPageTask());
    ASSERT_TRUE(pumpUntil([&] { return page->taskDone > 0; }, 5000));
    pumpFor(200);
    EXPECT_EQ(1, page->taskDone);
    EXPECT_FALSE(BackgroundTaskRunning());
    EXPECT_TRUE(wizard.item(IDC_WIZARD_NEXT).isEnabled());
    EXPECT_FALSE(wizard.item(IDC_WIZARD_PREVIOUS).isEnabled());

    // A thread whose end comes before its starter registers it: the end waits for the
    // registration, then gives back the states from the registration, not "enabled".
    ZKEnableNext(FALSE);
    ZKEnablePrev(TRUE);
    HANDLE thread = CreateThread(nullptr, 0, endAtOnce, nullptr, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    Sleep(100);
    ZKBeginBackground(thread);
    ASSERT_TRUE(pumpUntil([&] { return page->taskDone > 1; }, 5000));
    pumpFor(200);
    EXPECT_EQ(2, page->taskDone);
    EXPECT_FALSE(wizard.item(IDC_WIZARD_NEXT).isEnabled());
    EXPECT_TRUE(wizard.item(IDC_WIZARD_PREVIOUS).isEnabled());
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 5000));
    CloseHandle(thread);
}

// A wizard that starts its first page's job as soon as it is shown and, once the job runs,
// presses Cancel.
class CancellingWizard : public CWizardDlg {
protected:
    BOOL OnInitDialog() override {
        BOOL result = CWizardDlg::OnInitDialog();
        currentPage()->StartPageTask();
        static_cast<TaskPage*>(currentPage())->WaitUntilRunning();
        PostMessageA(hwnd(), WM_COMMAND, IDCANCEL, 0);
        return result;
    }
};

// Answers the message boxes of this process in turn from a helper thread, recording each. Boxes
// beyond the expected answers are recorded and answered Yes, so that a wrong count fails the
// test instead of hanging it.
class Answerer {
public:
    struct Seen {
        std::string text;
        DWORD atMs;
    };

    // before(i) runs while box i is shown, just before it is answered.
    explicit Answerer(std::vector<int> answers, std::function<void(size_t)> before = nullptr)
        : m_start(GetTickCount()), m_thread([this, answers, before] {
              while (!m_stop) {
                  drive::MessageBoxSeen box = drive::WaitForMessageBox(GetCurrentProcessId(), 100);
                  if (!box.window) continue;
                  const DWORD atMs = GetTickCount() - m_start;
                  // Read the text once the box handles messages: its thread may not have for a while.
                  Sleep(100);
                  const size_t index = m_seen.size();
                  m_seen.push_back({drive::Text(GetDlgItem(box.window, 0xFFFF)), atMs});
                  if (before && index < answers.size()) before(index);
                  drive::AnswerMessageBox(box, index < answers.size() ? answers[index] : IDYES);
                  drive::WaitFor([&]() -> HWND { return IsWindow(box.window) ? nullptr : GetDesktopWindow(); }, 5000);
              }
          }) {}
    // Call once the boxes' owner is done.
    std::vector<Seen> Finish() {
        m_stop = true;
        m_thread.join();
        return m_seen;
    }
    ~Answerer() {
        if (m_thread.joinable()) Finish();
    }

private:
    std::vector<Seen> m_seen;
    DWORD m_start;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

TEST_F(BackgroundTaskTest, CancelStopsATaskThatPollsWithoutAskingMore) {
    CancellingWizard wizard;
    auto owned = std::make_unique<TaskPage>(Job::StopWhenAsked);
    TaskPage* page = owned.get();
    wizard.AddPage(std::move(owned));
    Answerer answerer({IDYES});
    const DWORD start = GetTickCount();
    const INT_PTR result = wizard.DoModal(nullptr);
    // The task's last act, its end notice to the wizard, is handled while the stop waits for it.
    EXPECT_LT(GetTickCount() - start, 3000u);
    pumpFor(200);
    const std::vector<Answerer::Seen> seen = answerer.Finish();
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("If you quit now the current session will not be saved.\r\nAre you sure you want to continue?",
              seen[0].text);
    EXPECT_GT(page->turns, 0);
    EXPECT_EQ(0, page->taskDone) << "a stopped task closes the wizard instead of telling the page";
    EXPECT_FALSE(BackgroundTaskRunning());
    EXPECT_TRUE(ZKShouldTerminate());
}

TEST_F(BackgroundTaskTest, ATaskThatIgnoresTheStopIsSuspendedAndTheUserDecides) {
    CancellingWizard wizard;
    auto owned = std::make_unique<TaskPage>(Job::IgnoreStopRequests);
    TaskPage* page = owned.get();
    wizard.AddPage(std::move(owned));
    int turnsWhileAsked[2] = {};
    int turnsAfterAWhile[2] = {};
    // Yes to quitting; No to killing (the task goes on); Yes to killing.
    Answerer answerer({IDYES, IDNO, IDYES}, [&](size_t box) {
        if (box == 0) return;
        turnsWhileAsked[box - 1] = page->turns;
        Sleep(300);
        turnsAfterAWhile[box - 1] = page->turns;
    });
    const INT_PTR result = wizard.DoModal(nullptr);
    pumpFor(200);
    const std::vector<Answerer::Seen> seen = answerer.Finish();
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(3u, seen.size());
    const std::string abort =
        "Zelkor was unable to abort the current task. Do you want to quit anyway?\nSelect Yes to kill the task and "
        "exit or No to try again";
    EXPECT_EQ(abort, seen[1].text);
    EXPECT_EQ(abort, seen[2].text);
    // Asked after each 5-second wait; the answers to the question itself take little time.
    EXPECT_GE(seen[1].atMs - seen[0].atMs, 4900u);
    EXPECT_GE(seen[2].atMs - seen[1].atMs, 4900u);
    EXPECT_LT(seen[2].atMs - seen[1].atMs, 7000u);
    // Suspended while the user decides, running again after No.
    EXPECT_EQ(turnsWhileAsked[0], turnsAfterAWhile[0]);
    EXPECT_EQ(turnsWhileAsked[1], turnsAfterAWhile[1]);
    EXPECT_GT(turnsWhileAsked[1], turnsAfterAWhile[0]);
    // Killed: no more turns, no task, and the stop request stays.
    const int turnsAtEnd = page->turns;
    Sleep(100);
    EXPECT_EQ(turnsAtEnd, page->turns);
    EXPECT_FALSE(BackgroundTaskRunning());
    EXPECT_TRUE(ZKShouldTerminate());
}

}  // namespace
