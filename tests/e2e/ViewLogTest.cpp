// View Log when the platform's text editor cannot be started: the program's own editor opens on
// the log over the disabled wizard, and what the user adds and saves is in the log on disk.
#include <gtest/gtest.h>

#include <richedit.h>

#include <string>

#include "Session.h"
#include "resources/resource.h"

namespace {

constexpr char kLog[] = "C:\\Zelkor.log";

TEST(ViewLogTest, TheBuiltInEditorSavesTheUsersNoteIntoTheLog) {
    // CTest starts the tests with the platform's editor disabled; a process cannot do it later.
    char overrides[1024] = {};
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    if (std::string(overrides).find("notepad.exe=d") == std::string::npos)
        GTEST_SKIP() << "needs WINEDLLOVERRIDES=notepad.exe=d";
    DeleteFileA(kLog);
    e2e::Session session({"e2e\\Alpha.ZKL"});
    const e2e::Details details{"Ada", "", "", ""};
    ASSERT_FALSE(session.Run(IDC_WELCOME_TYPICAL, &details).empty());
    HWND wizard = session.wizard();
    const std::string generated = e2e::ReadWholeFile(kLog);
    ASSERT_FALSE(generated.empty());

    ASSERT_TRUE(drive::Click(drive::VisibleChildDialog(wizard), IDC_COMPLETE_VIEW));
    HWND editor = drive::WaitForTopLevel(session.pid(), "ZKFRAME", "Zelkor Log", 20000);
    ASSERT_NE(nullptr, editor) << "the text editor did not open";
    EXPECT_FALSE(IsWindowEnabled(wizard));
    HWND text = GetDlgItem(editor, IDC_EDITOR_TEXT);
    SendMessageA(text, EM_SETSEL, -1, -1);  // the caret to the end
    const std::string note = "Called support on Monday.";
    for (char c : note) SendMessageA(text, WM_CHAR, static_cast<unsigned char>(c), 1);
    EXPECT_EQ("Zelkor Log [modified]", drive::Text(editor));
    PostMessageA(editor, WM_COMMAND, ID_EDITOR_SAVE, 0);
    EXPECT_TRUE(drive::WaitFor([&] { return drive::Text(editor) == "Zelkor Log" ? editor : nullptr; }, 10000));
    PostMessageA(editor, WM_CLOSE, 0, 0);
    EXPECT_TRUE(drive::WaitFor([&] { return IsWindow(editor) ? nullptr : wizard; }, 10000));
    EXPECT_TRUE(drive::WaitFor([&] { return IsWindowEnabled(wizard) ? wizard : nullptr; }, 10000));

    EXPECT_EQ(generated + note, e2e::ReadWholeFile(kLog));
    EXPECT_EQ(0u, session.Finish());
    DeleteFileA(kLog);
}

}  // namespace
