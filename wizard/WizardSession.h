// What one session shares between the application, which owns it, the wizard and its pages, and
// the test libraries (through ZKAutoRun and ZKShouldTerminate).
#pragma once
#include <atomic>
#include <memory>

class CWizardPage;

struct WizardSession {
    using PageFactory = std::unique_ptr<CWizardPage> (*)();

    // True while an unattended (Full or Typical) session runs; set by the Welcome page.
    std::atomic<bool> autoRun{false};
    // Set once the user asks the running task to stop; never cleared.
    std::atomic<bool> terminate{false};
    // The optional pages behind the Select Diagnostics page's editor boxes. They live in rooms
    // above the wizard, so the application hands them down; a box without its page stays off.
    PageFactory createRegistryPage = nullptr;
    PageFactory createSystemEditorPage = nullptr;
};
