// Print on a machine without printers: the platform says so, and the wizard stays usable.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include "Session.h"
#include "resources/resource.h"

namespace {

TEST(NoPrinterTest, PrintTellsThatThereIsNoPrinterAndTheWizardGoesOn) {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed) GTEST_SKIP() << "this machine has a printer";
    e2e::Session session({"e2e\\Alpha.ZKL"});
    ASSERT_FALSE(session.Run(IDC_WELCOME_TYPICAL, nullptr).empty());
    HWND wizard = session.wizard();
    ASSERT_TRUE(drive::Click(drive::VisibleChildDialog(wizard), IDC_COMPLETE_PRINT));
    const drive::MessageBoxSeen box = drive::WaitForMessageBox(session.pid(), 20000);
    ASSERT_NE(nullptr, box.window) << "no word that there is no printer";
    EXPECT_NE(std::string::npos, box.text.find("printer")) << box.text;
    drive::AnswerMessageBox(box, IDOK);
    EXPECT_TRUE(drive::WaitFor([&] { return IsWindowEnabled(wizard) ? wizard : nullptr; }, 10000));
    EXPECT_EQ(nullptr, drive::WaitForTopLevel(session.pid(), "#32770", "Print", 500));
    EXPECT_EQ(0u, session.Finish());
}

}  // namespace
