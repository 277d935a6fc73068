// Start-up as a user sees it.
#include <gtest/gtest.h>

#include "Session.h"

TEST(Startup, WithoutAnyTestLibraryOnlyTheStopMessageShowsAndTheExitCodeIsZero) {
    e2e::Session session({});
    ASSERT_TRUE(session.Start());
    drive::MessageBoxSeen box = drive::WaitForMessageBox(session.pid(), 30000);
    ASSERT_NE(nullptr, box.window) << "no message box appeared";
    EXPECT_EQ("Zelkor", box.caption);
    EXPECT_EQ("Zelkor was unable to locate any valid test libraries", box.text);
    EXPECT_NE(nullptr, GetDlgItem(box.window, IDOK));
    EXPECT_EQ(nullptr, GetDlgItem(box.window, IDCANCEL));
    EXPECT_EQ(nullptr, GetWindow(box.window, GW_OWNER)) << "the message has no owner";
    // Nothing else: the box is the process's only visible window.
    EXPECT_EQ(1u, drive::TopLevelWindows(session.pid(), nullptr, nullptr).size());

    ASSERT_TRUE(drive::AnswerMessageBox(box, IDOK));
    DWORD exitCode = 1;
    ASSERT_TRUE(session.WaitForExit(20000, exitCode));
    EXPECT_EQ(0u, exitCode);
}

namespace {
// Makes Zelkor.exe see an older Windows (3.51) for the life of the object.
class OldWindowsVersion {
public:
    OldWindowsVersion() {
        RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
        RegSetValueExA(m_key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("nt351"), 6);
    }
    ~OldWindowsVersion() {
        RegDeleteKeyA(m_key, "DllOverrides");
        RegDeleteValueA(m_key, "Version");
        RegCloseKey(m_key);
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    }
    // Wine's per-program switch: an empty override disables the library.
    void withoutThreeDControls() {
        HKEY overrides = nullptr;
        RegCreateKeyExA(m_key, "DllOverrides", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &overrides, nullptr);
        RegSetValueExA(overrides, "ctl3d32", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
        RegCloseKey(overrides);
    }

private:
    static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\Zelkor.exe";
    HKEY m_key = nullptr;
};
}  // namespace

TEST(Startup, BeforeWindowsFourTheThreeDControlsAreNeededAndTheirAbsenceEndsSilently) {
    OldWindowsVersion oldWindows;
    {
        // The 3-D controls load: start-up goes on to the library search.
        e2e::Session session({});
        ASSERT_TRUE(session.Start());
        drive::MessageBoxSeen box = drive::WaitForMessageBox(session.pid(), 30000);
        ASSERT_NE(nullptr, box.window);
        EXPECT_EQ("Zelkor was unable to locate any valid test libraries", box.text);
        drive::AnswerMessageBox(box, IDOK);
        DWORD exitCode = 1;
        ASSERT_TRUE(session.WaitForExit(20000, exitCode));
        EXPECT_EQ(0u, exitCode);
    }
    {
        // Without them the program ends at once, showing nothing, still with exit code 0.
        oldWindows.withoutThreeDControls();
        e2e::Session session({});
        ASSERT_TRUE(session.Start());
        DWORD exitCode = 1;
        ASSERT_TRUE(session.WaitForExit(20000, exitCode));
        EXPECT_EQ(0u, exitCode);
    }
}
