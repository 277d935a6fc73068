// View Log when the platform's text editor cannot be started: the program's own editor opens on
// the log, padded to 20 MB, over the disabled wizard within four times its size in added memory,
// and what the user adds and saves is in the log on disk.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>
#include <richedit.h>

#include <string>

#include "Session.h"
#include "resources/resource.h"

namespace {

using e2e::kLog;
constexpr size_t kLargeLog = 20000000;

SIZE_T MemoryOf(DWORD pid, bool peak) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, &counters, sizeof counters);
    CloseHandle(process);
    return peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize;
}

// The log padded with lines as the registry dump writes them, up to the size.
std::string Padded(std::string log, size_t size) {
    for (unsigned line = 0; log.size() < size; ++line)
        log += "HKEY_LOCAL_MACHINE\\Software\\Corvane\\Product\\Key" + std::to_string(line) + "  Value = \"1\"\r\n";
    return log;
}

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
    const std::string generated = Padded(e2e::ReadWholeFile(kLog), kLargeLog);
    e2e::WriteWholeFile(kLog, generated);

    const SIZE_T before = MemoryOf(session.pid(), false);
    ASSERT_TRUE(drive::Click(drive::VisibleChildDialog(wizard), IDC_COMPLETE_VIEW));
    HWND editor = drive::WaitForTopLevel(session.pid(), "ZKFRAME", "Zelkor Log", 180000);
    ASSERT_NE(nullptr, editor) << "the text editor did not open";
    const SIZE_T peak = MemoryOf(session.pid(), true);
    EXPECT_GT(peak, before + kLargeLog);  // the text is there, and so is the measure
    EXPECT_LE(peak - before, 4 * kLargeLog);
    EXPECT_FALSE(IsWindowEnabled(wizard));
    HWND text = GetDlgItem(editor, IDC_EDITOR_TEXT);
    const auto end = SendMessageA(text, WM_GETTEXTLENGTH, 0, 0);
    SendMessageA(text, EM_SETSEL, end, end);
    const std::string note = "Called support on Monday.";
    for (char c : note) SendMessageA(text, WM_CHAR, static_cast<unsigned char>(c), 1);
    EXPECT_EQ("Zelkor Log [modified]", drive::Text(editor));
    PostMessageA(editor, WM_COMMAND, ID_EDITOR_SAVE, 0);
    EXPECT_TRUE(drive::WaitFor([&] { return drive::Text(editor) == "Zelkor Log" ? editor : nullptr; }, 60000));
    PostMessageA(editor, WM_CLOSE, 0, 0);
    EXPECT_TRUE(drive::WaitFor([&] { return IsWindow(editor) ? nullptr : wizard; }, 10000));
    EXPECT_TRUE(drive::WaitFor([&] { return IsWindowEnabled(wizard) ? wizard : nullptr; }, 10000));

    EXPECT_TRUE(generated + note == e2e::ReadWholeFile(kLog));
    EXPECT_EQ(0u, session.Finish());
    DeleteFileA(kLog);
}

// The 32-bit program may use the address space above 2 GB where the system offers it.
TEST(ViewLogTest, TheProgramIsLargeAddressAware) {
    char home[MAX_PATH] = {};
    ASSERT_NE(0u, GetEnvironmentVariableA("ZELKOR_HOME", home, MAX_PATH));
    const std::string image = e2e::ReadWholeFile((std::string(home) + "\\Zelkor.exe").c_str());
    ASSERT_GT(image.size(), 0x40u);
    const auto header = *reinterpret_cast<const LONG*>(&image[0x3C]);
    ASSERT_GT(image.size(), header + sizeof(IMAGE_NT_HEADERS32));
    const auto* file = reinterpret_cast<const IMAGE_FILE_HEADER*>(&image[header + 4]);
    EXPECT_TRUE(file->Characteristics & IMAGE_FILE_LARGE_ADDRESS_AWARE);
}

}  // namespace
