// What ships, as a user and an author meet it: the SDK's example library (built from the SDK
// folder alone) runs in a session, and an installed Zelkor starts on its Welcome page.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Session.h"
#include "resources/resource.h"

TEST(Shipping, TheSdkExampleLibraryRunsItsPageAndWritesItsLogSection) {
    e2e::Session session({"e2e\\Hello.ZKL"});
    const e2e::Details nobody;
    ASSERT_FALSE(session.Run(IDC_WELCOME_TYPICAL, &nobody).empty());
    const std::string log = e2e::ReadWholeFile(e2e::kLog);
    EXPECT_NE(std::string::npos, log.find("Computer name: ")) << log;
    EXPECT_EQ(0u, session.Finish());
}

// Run by the installer round trip (tests/install/RoundTrip.sh), which names the folder that the
// installer filled; skipped otherwise.
TEST(Shipping, TheInstalledProgramStartsOnItsWelcomePage) {
    const char* installed = std::getenv("ZELKOR_INSTALLED");
    if (!installed || !*installed) GTEST_SKIP() << "run by the installer round trip only";
    drive::Process program;
    ASSERT_TRUE(program.Start("\"" + std::string(installed) + "\\Zelkor.exe\"", installed));
    HWND wizard = drive::WaitForTopLevel(program.pid(), "#32770", "Zelkor", 20000);
    ASSERT_NE(nullptr, wizard) << "no wizard: " << drive::WaitForMessageBox(program.pid(), 0).text;
    HWND welcome = drive::VisibleChildDialog(wizard);
    EXPECT_TRUE(drive::IsVisible(welcome, IDC_WELCOME_TYPICAL)) << "not the Welcome page";
    const char* shots = std::getenv("ZELKOR_SCREENSHOT");
    if (shots && *shots) {
        Sleep(500);  // the page's controls paint after the frame
        drive::SaveScreenshot(wizard, shots);
    }
    program.Kill();
}
