// What one session shares between the application, which owns it, the wizard and its pages, and
// the test libraries (through ZKAutoRun and ZKShouldTerminate).
#pragma once
#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CWizardPage;

// A run without a person, as the command line asked for it.
struct UnattendedPlan {
    int choice = -1;  // the Welcome page's choice (CWelcomePage::Choice); -1: a person drives
    std::vector<std::string> tests;  // a Custom run's tests, "Library.Test"
    DWORD pageTimeoutMs = 300000;
};

// Whether "Library.Test" names this library's test, letter case ignored.
bool NamesTest(const std::string& name, const char* library, const char* test);

struct WizardSession {
    using PageFactory = std::unique_ptr<CWizardPage> (*)();

    // True while an unattended (Full or Typical, or a run without a person) session runs; set by
    // the Welcome page.
    std::atomic<bool> autoRun{false};
    // Set once the user asks the running task to stop; cleared only when an unattended run has
    // stopped a page that outlived its time and goes on with the next.
    std::atomic<bool> terminate{false};
    // The optional pages behind the Select Diagnostics page's editor boxes. They live in rooms
    // above the wizard, so the application hands them down; a box without its page stays off.
    PageFactory createRegistryPage = nullptr;
    PageFactory createSystemEditorPage = nullptr;

    UnattendedPlan unattended;
    bool unattendedRun() const { return unattended.choice >= 0; }
    // Set by the last page once the log is in place.
    bool logSaved = false;

    // What message boxes would have said in an unattended run, for the end of the log. Any
    // thread may add.
    void AddMessage(const std::string& text);
    std::vector<std::string> TakeMessages();

private:
    std::mutex m_messagesLock;
    std::vector<std::string> m_messages;
};
