// E-mail to support through the system's mail client, played by the mail-client simulator: what
// the client is given, and a wizard that stays usable when there is no client or it refuses.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "Session.h"
#include "resources/resource.h"

namespace {

using e2e::kLog;
constexpr char kClients[] = "Software\\Clients\\Mail";
constexpr char kClient[] = "Zelkor Mail Simulator";
constexpr char kRecord[] = "C:\\zke2e-mail.txt";
constexpr char kAddress[] = "support@corvane.example";

class MailTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kClients);
        RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Halvard\\Zelkor\\General", "Support E-mail");
        DeleteFileA(kRecord);
        SetEnvironmentVariableA("MAILSIM_RECORD", kRecord);
        SetEnvironmentVariableA("MAILSIM_MODE", nullptr);
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kClients);
        DeleteFileA(kRecord);
    }

    // The simulator as the default mail client, where MAPI looks for it (the test runs in the
    // program's registry view).
    static void registerClient() {
        const char* home = std::getenv("ZELKOR_HOME");
        const std::string dll = std::string(home && *home ? home : "C:\\Zelkor") + "\\mailsim\\mailsim.dll";
        const std::string client = std::string(kClients) + "\\" + kClient;
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, client.c_str(), "DLLPath", REG_SZ, dll.c_str(), static_cast<DWORD>(dll.size() + 1));
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, kClients, nullptr, REG_SZ, kClient, sizeof kClient);
    }

    HWND lastPage() {
        const e2e::Details details{"Jo Smith", "Corp", "555 0100", ""};
        EXPECT_FALSE(session.Run(IDC_WELCOME_TYPICAL, &details).empty());
        return drive::VisibleChildDialog(session.wizard());
    }
    // Clicks E-mail until `seen` comes: a click that comes while the status window of the log's
    // generation hands the focus back can be lost.
    template <class Seen>
    auto clickMail(HWND page, Seen seen) {
        for (int tries = 0; tries < 3; ++tries) {
            drive::Click(page, IDC_COMPLETE_MAIL);
            if (auto found = seen()) return found;
        }
        return seen();
    }
    HWND askAddress(HWND page) {
        return clickMail(page, [&] { return drive::WaitForTopLevel(session.pid(), "#32770", "E-mail to Corvane", 5000); });
    }

    e2e::Session session{{"e2e\\Alpha.ZKL"}};
};

}  // namespace

TEST_F(MailTest, TheClientGetsTheLogAsShownAddressedToSupport) {
    registerClient();
    HWND page = lastPage();
    ASSERT_TRUE(page);
    // The fourth row makes the page taller than the first: the frame grew to show it whole.
    RECT row{}, separator{};
    GetWindowRect(GetDlgItem(page, IDC_COMPLETE_MAIL_TEXT), &row);
    GetWindowRect(GetDlgItem(session.wizard(), IDC_WIZARD_SEPARATOR), &separator);
    EXPECT_LE(row.bottom, separator.top);
    const std::string log = e2e::ReadWholeFile(kLog);
    HWND dialog = askAddress(page);
    ASSERT_TRUE(dialog);
    drive::SetText(GetDlgItem(dialog, IDC_MAIL_ADDRESS), kAddress);
    drive::Click(dialog, IDOK);
    drive::WaitFor([&]() -> HWND { return e2e::ReadWholeFile(kRecord).empty() ? nullptr : page; }, 20000);
    const std::string expected = std::string("FLAGS 9\r\n") + "TO " + kAddress + "|SMTP:" + kAddress + "\r\n" +
                                 "SUBJECT Zelkor Log - Jo Smith\r\n" +
                                 "BODY 51\r\nThe Zelkor log file of this computer is attached.\r\n\r\n" +
                                 "ATTACHMENT Zelkor.log|" + kLog + " " + std::to_string(log.size()) + "\r\n" + log +
                                 "\r\n";
    EXPECT_EQ(expected, e2e::ReadWholeFile(kRecord));
    drive::WaitFor([&]() -> HWND { return IsWindowEnabled(session.wizard()) ? page : nullptr; }, 10000);
    EXPECT_EQ(0u, drive::Text(GetDlgItem(page, IDC_COMPLETE_RESULT))
                      .find("The log file has been handed to your e-mail program for \"support@corvane.example\""));

    // The address is remembered for the next time.
    dialog = askAddress(page);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(kAddress, drive::Text(GetDlgItem(dialog, IDC_MAIL_ADDRESS)));
    drive::Click(dialog, IDCANCEL);
    EXPECT_EQ(std::vector<std::string>(), session.messages());
    EXPECT_EQ(0u, session.Finish());
}

TEST_F(MailTest, NoClientOrARefusingClientIsToldAndTheLogStays) {
    SetEnvironmentVariableA("MAILSIM_MODE", "refuse");
    HWND page = lastPage();
    ASSERT_TRUE(page);
    const std::string log = e2e::ReadWholeFile(kLog);
    drive::MessageBoxSeen box;
    clickMail(page, [&] { return (box = drive::WaitForMessageBox(session.pid(), 5000)).window; });
    EXPECT_EQ(0u, box.text.find("No e-mail program is set up on this computer")) << box.text;
    drive::AnswerMessageBox(box, IDOK);

    registerClient();
    HWND dialog = askAddress(page);
    ASSERT_TRUE(dialog);
    drive::SetText(GetDlgItem(dialog, IDC_MAIL_ADDRESS), kAddress);
    drive::Click(dialog, IDOK);
    box = drive::WaitForMessageBox(session.pid(), 20000);
    EXPECT_EQ(0u, box.text.find("Your e-mail program did not send the log file (MAPI error 2).")) << box.text;
    drive::AnswerMessageBox(box, IDOK);
    drive::WaitFor([&]() -> HWND { return IsWindowEnabled(session.wizard()) ? page : nullptr; }, 10000);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_COMPLETE_MAIL)));
    EXPECT_EQ(log, e2e::ReadWholeFile(kLog));
    EXPECT_EQ("", e2e::ReadWholeFile(kRecord));
    EXPECT_EQ(0u, session.Finish());
}
