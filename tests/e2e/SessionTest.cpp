// Whole sessions: the user walks the wizard and C:\Zelkor.log holds what support expects.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

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

void writeFile(const char* path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string readFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string golden(const char* name) {
    HRSRC info = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));
    if (!info) return "<no golden file " + std::string(name) + ">";
    const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, info)));
    return std::string(data, SizeofResource(nullptr, info));
}

struct Details {
    std::string name, company, phone, fax;
};

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
        writeFile("C:\\windows\\zke2e.ini",
                  "; fixture\r\n[Boot]\r\nshell=explorer.exe\r\ndevice = himem.sys\r\n\r\n[Fax]\r\nPort=COM1\r\n");
        writeFile("C:\\windows\\zke2e.txt", "plain text file\r\nsecond line\r\n");
        RemoveDirectoryA(kLog);
        DeleteFileA(kLog);
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
        DeleteFileA("C:\\windows\\zke2e.ini");
        DeleteFileA("C:\\windows\\zke2e.txt");
        RemoveDirectoryA(kLog);
    }

    HWND start() {
        EXPECT_TRUE(session.Start());
        HWND wizard = session.WaitForWizard();
        EXPECT_NE(nullptr, wizard) << "the wizard did not appear";
        return wizard;
    }

    // Presses Next until the User Info dialog asks for details, then answers it.
    HWND walkToUserInfo(HWND wizard) {
        for (int step = 0; step < 20; ++step) {
            if (HWND info = drive::WaitForTopLevel(session.pid(), "#32770", "User Info", 300)) return info;
            drive::Click(wizard, IDC_WIZARD_NEXT);
        }
        return nullptr;
    }
    void answerUserInfo(HWND info, const Details* details) {
        ASSERT_NE(nullptr, info) << "User Info never appeared";
        if (!details) {  // Escape: close without taking the fields
            PostMessageA(info, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        drive::SetText(GetDlgItem(info, IDC_USER_NAME), details->name);
        drive::SetText(GetDlgItem(info, IDC_USER_COMPANY), details->company);
        drive::SetText(GetDlgItem(info, IDC_USER_PHONE), details->phone);
        drive::SetText(GetDlgItem(info, IDC_USER_FAX), details->fax);
        drive::Click(info, IDOK);
    }
    // Waits until the page reports where the log was saved; returns that text.
    std::string waitForResult(HWND wizard) {
        std::string result;
        drive::WaitFor(
            [&]() -> HWND {
                HWND page = drive::VisibleChildDialog(wizard);
                if (!page || !IsWindowEnabled(wizard)) return nullptr;
                result = drive::Text(GetDlgItem(page, IDC_COMPLETE_RESULT));
                return result.empty() ? nullptr : page;
            },
            60000);
        return result;
    }
    void finish(HWND wizard) {
        drive::Click(wizard, IDC_WIZARD_FINISH);
        DWORD exitCode = 1;
        ASSERT_TRUE(session.WaitForExit(20000, exitCode));
        EXPECT_EQ(0u, exitCode);
    }
    std::string runSession(int mode, const Details* details) {
        HWND wizard = start();
        if (!wizard) return {};
        drive::Click(drive::VisibleChildDialog(wizard), mode);
        answerUserInfo(walkToUserInfo(wizard), details);
        EXPECT_EQ("The log file for this session has been saved as \"C:\\Zelkor.log\"", waitForResult(wizard));
        finish(wizard);
        return readFile(kLog);
    }
    void expectGolden(const char* name, const std::string& log) {
        const std::string expected = golden(name);
        if (log != expected) {
            const std::string actual = std::string("C:\\") + name + ".actual";
            writeFile(actual.c_str(), log);
            ADD_FAILURE() << "the log differs from " << name << "; it was saved as " << actual;
        }
    }

    e2e::Session session{{"e2e\\Alpha.ZKL", "e2e\\Beta.ZKL"}};
};

TEST_F(SessionTest, TypicalSessionWithEmptyDetailsWritesTheExpectedLog) {
    const Details empty;
    expectGolden("TYPICAL_LOG", runSession(IDC_WELCOME_TYPICAL, &empty));
}

TEST_F(SessionTest, FullSessionWritesTheExpectedLogAndKeepsTheDetails) {
    const Details details{"Ada Lovelace", "Analytical Engines Ltd", "+44 20 7946 0000", "+44 20 7946 0001"};
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
    HWND wizard = start();
    ASSERT_NE(nullptr, wizard);
    const Details first{"First", "", "", ""};
    answerUserInfo(walkToUserInfo(wizard), &first);
    waitForResult(wizard);
    drive::Click(wizard, IDC_WIZARD_PREVIOUS);
    const Details second{"Second", "", "", ""};
    answerUserInfo(walkToUserInfo(wizard), &second);
    waitForResult(wizard);
    finish(wizard);
    const std::string log = readFile(kLog);
    EXPECT_EQ(0u, log.find("Name:               Second\r\n"));
    EXPECT_EQ(std::string::npos, log.find("First"));
    EXPECT_EQ(log.find("Name:"), log.rfind("Name:"));
}

TEST_F(SessionTest, AnUnwritableLogLocationLeavesTheSessionWhole) {
    // A folder in the log's place: nothing can create the file (file permissions would not
    // stop the tests, which run as root).
    ASSERT_TRUE(CreateDirectoryA(kLog, nullptr));
    const Details details{"Ada", "", "", ""};
    runSession(IDC_WELCOME_TYPICAL, &details);  // the result text still names the log; the exit code is 0
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA(kLog) & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
