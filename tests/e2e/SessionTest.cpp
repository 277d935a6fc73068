// Whole sessions: the user walks the wizard and C:\Zelkor.log holds what support expects.
#include <gtest/gtest.h>


#include "Session.h"
#include "resources/resource.h"

namespace {

constexpr char kLog[] = "C:\\Zelkor.log";
constexpr char kScratchKey[] = "Software\\ZelkorE2E";
constexpr char kGeneralKey[] = "Software\\Halvard\\Zelkor\\General";

void setString(const std::string& path, const char* name, const std::string& value, DWORD type = REG_SZ) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(value.data()), static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

void setDword(const std::string& path, const char* name, DWORD value) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

std::string getString(const std::string& path, const char* name) {
    char value[256] = {};
    DWORD size = sizeof value - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "<absent>";
    return value;
}

std::string golden(const char* name) {
    HRSRC info = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));
    if (!info) return "<no golden file " + std::string(name) + ">";
    const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, info)));
    return std::string(data, SizeofResource(nullptr, info));
}

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
        RegDeleteTreeA(HKEY_CURRENT_USER, kGeneralKey);
        const std::string alpha = std::string(kScratchKey) + "\\Alpha";
        setString(alpha, "", "default value");
        setString(alpha, "Init", "ATZ&F&C1&D2");
        setDword(alpha, "Speed", 57600);
        setString(alpha, "Long Init String Name", std::string(45, 'x'));
        setDword(std::string(kScratchKey) + "\\Beta", "Retries", 3);
        for (const char* port : {"COM1", "com2", "LPT1"})
            setString(std::string(kScratchKey) + "\\Ports\\" + port + "\\Settings", "Baud", "9600,n,8,1");
        e2e::WriteWholeFile("C:\\windows\\zke2e.ini",
                  "; fixture\r\n[Boot]\r\nshell=explorer.exe\r\ndevice = himem.sys\r\n\r\n[Fax]\r\nPort=COM1\r\n");
        e2e::WriteWholeFile("C:\\windows\\zke2e.txt", "plain text file\r\nsecond line\r\n");
        DeleteFileA(kLog);
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
        DeleteFileA("C:\\windows\\zke2e.ini");
        DeleteFileA("C:\\windows\\zke2e.txt");
    }

    std::string runSession(int mode, const e2e::Details* details) {
        HWND wizard = session.StartWizard();
        if (!wizard) return {};
        drive::Click(drive::VisibleChildDialog(wizard), mode);
        session.EnterUserInfo(wizard, details);
        EXPECT_EQ("The log file for this session has been saved as \"C:\\Zelkor.log\"", session.WaitForResult(wizard));
        for (int action : {IDC_COMPLETE_VIEW, IDC_COMPLETE_PRINT})  // Fax needs Ravelin, absent here
            EXPECT_TRUE(drive::IsEnabled(drive::VisibleChildDialog(wizard), action)) << "action " << action;
        session.Finish(wizard);
        return e2e::ReadWholeFile(kLog);
    }
    void expectGolden(const char* name, const std::string& log) {
        const std::string expected = golden(name);
        if (log != expected) {
            const std::string actual = std::string("C:\\") + name + ".actual";
            e2e::WriteWholeFile(actual.c_str(), log);
            ADD_FAILURE() << "the log differs from " << name << "; it was saved as " << actual;
        }
    }

    e2e::Session session{{"e2e\\Alpha.ZKL", "e2e\\Beta.ZKL"}};
};

TEST_F(SessionTest, TypicalSessionWithEmptyDetailsWritesTheExpectedLog) {
    const e2e::Details empty;
    expectGolden("TYPICAL_LOG", runSession(IDC_WELCOME_TYPICAL, &empty));
}

TEST_F(SessionTest, FullSessionWritesTheExpectedLogAndKeepsTheDetails) {
    const e2e::Details details{"Ada Lovelace", "Analytical Engines Ltd", "+44 20 7946 0000", "+44 20 7946 0001"};
    expectGolden("FULL_LOG", runSession(IDC_WELCOME_FULL, &details));
    EXPECT_EQ("Ada Lovelace", getString(kGeneralKey, "User Name"));
    EXPECT_EQ("+44 20 7946 0001", getString(kGeneralKey, "User Fax"));
}

TEST_F(SessionTest, EscapeInUserInfoWritesTheStoredDetailsAndSavesNothing) {
    setString(kGeneralKey, "User Name", "Stored Name");
    setString(kGeneralKey, "User Company", "Stored Company");
    const std::string log = runSession(IDC_WELCOME_TYPICAL, nullptr);
    EXPECT_EQ(0u, log.find("Name:               Stored Name\r\nCompany:            Stored Company\r\n"
                           "Phone Number:       \r\nFax Number:         \r\n\r\n"));
    EXPECT_EQ("Stored Name", getString(kGeneralKey, "User Name"));
    EXPECT_EQ("<absent>", getString(kGeneralKey, "User Phone"));
}

TEST_F(SessionTest, ShowingTheLastPageTwiceLeavesOnlyTheSecondLog) {
    HWND wizard = session.StartWizard();
    ASSERT_NE(nullptr, wizard);
    const e2e::Details first{"First", "", "", ""};
    session.EnterUserInfo(wizard, &first);
    session.WaitForResult(wizard);
    drive::Click(wizard, IDC_WIZARD_PREVIOUS);
    const e2e::Details second{"Second", "", "", ""};
    session.EnterUserInfo(wizard, &second);
    session.WaitForResult(wizard);
    session.Finish(wizard);
    const std::string log = e2e::ReadWholeFile(kLog);
    EXPECT_EQ(0u, log.find("Name:               Second\r\n"));
    EXPECT_EQ(std::string::npos, log.find("First"));
    EXPECT_EQ(log.find("Name:"), log.rfind("Name:"));
}

}  // namespace
