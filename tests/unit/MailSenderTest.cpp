// The log handed to the mail-client simulator through MAPI32, as the program does it: a cancel
// told apart, and a client that never returns left behind in time. What a sent mail holds and a
// refusal's code are shown whole by MailTest.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ScratchDirectory.h"
#include "output/MailSender.h"

namespace {

constexpr char kClients[] = "Software\\Clients\\Mail";
constexpr char kClient[] = "Zelkor Mail Simulator";

// The simulator built beside this test, as a path Wine's Windows side can open.
std::string SimulatorPath() {
    std::string path = "Z:" ZK_MAILSIM_DLL;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

}  // namespace

TEST(MailSenderTest, ACancelIsToldAndASilentClientIsLeftInTime) {
    ScratchDirectory scratch;
    const std::string log = scratch / "Zelkor.log";
    ASSERT_TRUE(WriteTextFile(log, "the log\r\n"));
    const std::string client = std::string(kClients) + "\\" + kClient, dll = SimulatorPath();
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, client.c_str(), "DLLPath", REG_SZ, dll.c_str(), static_cast<DWORD>(dll.size() + 1));
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, kClients, nullptr, REG_SZ, kClient, sizeof kClient);
    EXPECT_TRUE(HasMailClient());

    const MailRequest request{"support@corvane.example", "Zelkor Log - Jo", "body", log, "Zelkor.log"};
    SetEnvironmentVariableA("MAILSIM_MODE", "cancel");
    EXPECT_EQ(MailOutcome::Cancelled, SendLogByMail(request, nullptr, 500).outcome);

    SetEnvironmentVariableA("MAILSIM_MODE", "never");
    const DWORD start = GetTickCount();
    EXPECT_EQ(MailOutcome::NoAnswer, SendLogByMail(request, nullptr, 500).outcome);
    const DWORD waited = GetTickCount() - start;
    EXPECT_GE(waited, 500u);
    EXPECT_LT(waited, 3000u);

    SetEnvironmentVariableA("MAILSIM_MODE", nullptr);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kClients);
    EXPECT_FALSE(HasMailClient());
}
