// Findings: the libraries' reports open the log, right after the user details, and the last page
// counts them. Sessions whose libraries report nothing keep their golden logs (SessionTest).
#include <gtest/gtest.h>

#include "Session.h"
#include "resources/resource.h"

namespace {

using e2e::kLog;
constexpr char kSaved[] = "The log file for this session has been saved as \"C:\\Zelkor.log\"";
const std::string kHeader = "Name:               \r\nCompany:            \r\nPhone Number:       \r\n"
                            "Fax Number:         \r\n\r\n";
const std::string kBanner = std::string(60, '*') + "\r\n* Findings\r\n" + std::string(60, '*') + "\r\n\r\n";

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// Delta reports from its page, a background thread of its own and its log part; Epsilon from
// its log part. Going back and generating the log again with other details reports them all
// again, in a log that replaces the first.
TEST(FindingsTest, TheyOpenTheLogInOrderAndTheLastPageCountsThem) {
    DeleteFileA(kLog);
    e2e::Session session({"e2e\\Delta.ZKL", "e2e\\Epsilon.ZKL"});
    const e2e::Details empty;
    const std::string counted =
        std::string(kSaved) + "\r\n2 problems, 1 warning and 2 notes were found; they are listed at the top of the log.";
    const std::string findings = kBanner +
                                 "PROBLEM   Delta Findings       found by a background thread\r\n"
                                 "PROBLEM   Delta Findings       failed in the log part\r\n"
                                 "WARNING   Delta Findings       warned in the log part\r\n"
                                 "NOTE      Delta Findings       noted on the page\r\n"
                                 "NOTE      Epsilon Notes        noted in the log part\r\n"
                                 "\r\n";
    EXPECT_EQ(counted, session.Run(IDC_WELCOME_TYPICAL, &empty));
    std::string log = e2e::ReadWholeFile(kLog);
    EXPECT_EQ(0u, log.find(kHeader + findings)) << log;
    // The libraries' parts follow as they always did, starting with a page's heading.
    const size_t parts = kHeader.size() + findings.size();
    EXPECT_EQ(log.find("\r\n", parts), log.find("\r\n=====", parts)) << log;

    drive::Click(session.wizard(), IDC_WIZARD_PREVIOUS);
    const e2e::Details second{"Second", "", "", ""};
    ASSERT_TRUE(session.EnterUserInfo(&second));
    EXPECT_EQ(counted, session.WaitForResult());
    EXPECT_EQ(0u, session.Finish());
    log = e2e::ReadWholeFile(kLog);
    EXPECT_EQ(0u, log.find("Name:               Second" + kHeader.substr(kHeader.find("\r\n")) + findings)) << log;
    EXPECT_EQ(1u, occurrences(log, "* Findings\r\n"));
    EXPECT_EQ(1u, occurrences(log, "Name:"));
}

// What the demo machine's seeding leaves out: two of Ravelin's files and the port of a Keelson line.
class SampleFindingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        HKEY existing = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRavelin, 0, KEY_READ, &existing) == ERROR_SUCCESS ||
            RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeelson, 0, KEY_READ, &existing) == ERROR_SUCCESS) {
            RegCloseKey(existing);
            GTEST_SKIP() << "this prefix has Ravelin or Keelson installed; the test leaves them alone";
        }
        m_seeded = true;
        setString(std::string(kRavelin) + "\\CurrentVersion", "Version", "8.00");
        setString(std::string(kRavelin) + "\\CurrentVersion", "InstallPath", "C:\\zke2e-ravelin");
        CreateDirectoryA("C:\\zke2e-ravelin", nullptr);
        CreateDirectoryA("C:\\zke2e-ravelin\\Cover Pages", nullptr);
        e2e::WriteWholeFile("C:\\zke2e-ravelin\\ravelin.ini", "[Ravelin]\r\n");
        setString(std::string(kKeelson) + "\\Lines\\Line1", "Port", "COM97");
        DeleteFileA(kLog);
    }
    void TearDown() override {
        if (!m_seeded) return;
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kRavelin);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKeelson);
        DeleteFileA("C:\\zke2e-ravelin\\ravelin.ini");
        RemoveDirectoryA("C:\\zke2e-ravelin\\Cover Pages");
        RemoveDirectoryA("C:\\zke2e-ravelin");
    }

    static void setString(const std::string& key, const char* name, const std::string& value) {
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_SZ, value.c_str(),
                        static_cast<DWORD>(value.size() + 1));
    }

    static constexpr char kRavelin[] = "Software\\Halvard\\Ravelin";
    static constexpr char kKeelson[] = "Software\\Halvard\\Keelson";
    bool m_seeded = false;
};

TEST_F(SampleFindingsTest, TheSampleLibrariesReportWhatTheyKnowIsWrong) {
    e2e::Session session({"Ravelin.ZKL", "Modem.ZKL"});
    const e2e::Details empty;
    const std::string result = session.Run(IDC_WELCOME_FULL, &empty);
    EXPECT_EQ(0u, session.Finish());
    const std::string log = e2e::ReadWholeFile(kLog);
    ASSERT_EQ(0u, log.find(kHeader + kBanner)) << log;
    const std::string section = log.substr(0, log.find("\r\n\r\n", kHeader.size() + kBanner.size()) + 2);
    EXPECT_NE(std::string::npos,
              section.find("\r\nPROBLEM   Ravelin Fax          Ravelin 8.00 is missing files in C:\\zke2e-ravelin\\: "
                           "rvlsnd32.exe, rvlctl32.exe. Reinstall Ravelin.\r\n"))
        << section;
    EXPECT_NE(std::string::npos, section.find("\r\nPROBLEM   Keelson Modems and Ports Keelson's Line1 uses COM97, a "
                                              "port that this computer does not have.\r\n"))
        << section;
    // The page counts what the log lists; this machine may lack serial ports as well.
    const size_t problems = occurrences(section, "\r\nPROBLEM "), warnings = occurrences(section, "\r\nWARNING ");
    EXPECT_EQ(2u, problems) << section;
    EXPECT_EQ(std::string(kSaved) + "\r\n2 problems" +
                  (warnings == 1 ? " and 1 warning were found" : " were found") +
                  "; they are listed at the top of the log.",
              result);
}

}  // namespace
