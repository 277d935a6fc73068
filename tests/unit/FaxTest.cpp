// Finding the fax product and talking to it over DDE, against the fax-product simulator
// (tools/ravelin) built beside the tests. The simulator records what it gets in a file.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "ScratchDirectory.h"
#include "driver/Driver.h"
#include "output/FaxProgram.h"
#include "resources/resource.h"
#include "tools/ravelin/RavelinSimulator.h"

namespace {

constexpr char kWizardKey[] = "Software\\Halvard\\Ravelin\\7.0\\SendFax Wizard";

// Its folder, with the final backslash that the fax product's "Exepath" carries.
std::string SimulatorDirectory() {
    char path[MAX_PATH] = {}, full[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    GetFullPathNameA((std::string(path) + "\\..\\..\\tools\\ravelin\\").c_str(), MAX_PATH, full, nullptr);
    return full;
}

class FaxTest : public ::testing::Test {
protected:
    void SetUp() override { SetEnvironmentVariableA("RAVELIN_SIM_RECORD", m_record.c_str()); }
    void TearDown() override {
        CloseSimulators();
        RemoveKeys();
        for (const char* name : {"RAVELIN_SIM_RECORD", "RAVELIN_SIM_MODE", "RAVELIN_SIM_DELAY_MS"})
            SetEnvironmentVariableA(name, nullptr);
    }
    static void CloseSimulators() {
        while (HWND simulator = FindWindowA(kRavelinSimulatorClass, nullptr)) {
            PostMessageA(simulator, WM_CLOSE, 0, 0);
            drive::WaitFor([&] { return IsWindow(simulator) ? nullptr : GetDesktopWindow(); }, 5000);
        }
    }
    static void RemoveKeys() {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) RegDeleteTreeA(root, "Software\\Halvard\\Ravelin");
    }
    static void Install(DWORD major, DWORD minor, bool programKey = true) {
        RemoveKeys();
        const char* key = "Software\\Halvard\\Ravelin\\CurrentVersion";
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, key, "MajorVersion", REG_DWORD, &major, sizeof major);
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, key, "MinorVersion", REG_DWORD, &minor, sizeof minor);
        const std::string directory = SimulatorDirectory();
        if (programKey)
            RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Halvard\\Ravelin\\7.0\\Ravelin", "Exepath", REG_SZ,
                            directory.c_str(), static_cast<DWORD>(directory.size() + 1));
    }
    static DWORD WizardSetting() {
        DWORD value = 0xDEAD, size = sizeof value;
        RegGetValueA(HKEY_CURRENT_USER, kWizardKey, "DoNotUseWizard", RRF_RT_REG_DWORD, nullptr, &value, &size);
        return value;
    }
    static void SetWizardSetting(DWORD value) {
        RegSetKeyValueA(HKEY_CURRENT_USER, kWizardKey, "DoNotUseWizard", REG_DWORD, &value, sizeof value);
    }
    // The record once it ends with the tail (pokes arrive after the call that sent them).
    std::string RecordEndingWith(const std::string& tail) {
        std::string record;
        drive::WaitFor([&] {
            record = ReadTextFile(m_record);
            return record.size() >= tail.size() && record.compare(record.size() - tail.size(), tail.size(), tail) == 0
                       ? GetDesktopWindow()
                       : nullptr;
        }, 10000);
        return record;
    }
    static std::string Poke(const std::string& data) {
        return "POKE Sendfax " + std::to_string(data.size()) + "\r\n" + data + "\r\n";
    }

    ScratchDirectory m_scratch;
    const std::string m_record = m_scratch / "received.txt";
};

TEST_F(FaxTest, VersionsFromSevenFiftyAreFoundAndCappedAtEight) {
    struct Case {
        DWORD major, minor;
        bool programKey;
        DWORD version;  // 0: not found
        const char* command;
    } const cases[] = {
        {7, MAKELONG(0, 5), true, 0x70032, "rvlsnd32.exe -q"},
        {7, MAKELONG(9, 4), true, 0, ""},
        {7, MAKELONG(5, 6), true, 0x70041, ""},  // 7.65, between the two: the folder alone
        {9, 0, true, 0x80000, "rvlctl32.exe -q"},
        {8, 0, false, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.major << " " << std::hex << c.minor);
        Install(c.major, c.minor, c.programKey);
        CFaxProgram program;
        EXPECT_EQ(c.version != 0, program.Find());
        EXPECT_EQ(c.version, program.version());
        if (c.version) {
            EXPECT_EQ(SimulatorDirectory() + c.command, program.StartCommand());
        }
    }
}

TEST_F(FaxTest, ASilentProgramIsStartedOnceAndGetsBothCommandsExactly) {
    Install(8, 0);
    CFaxProgram program;
    ASSERT_TRUE(program.Find());
    SetEnvironmentVariableA("RAVELIN_SIM_MODE", "delay");  // refuses the first attempts
    SetEnvironmentVariableA("RAVELIN_SIM_DELAY_MS", "1200");
    EXPECT_TRUE(ConnectFaxProgram(program, {"+1 555 \"0199\"", "Modem \"hangs\"\r\nsince Monday"}));
    DisconnectFaxProgram(program);
    const std::string expected =
        "START " + SimulatorDirectory() + "rvlctl32.exe -q\r\n" +
        Poke("recipient(\"+1 555 '0199'\",\"\",\"\",\"Technical Support\",\"Corvane\",\"Zelkor Log\",\"\",\"\",\"Fax\")") +
        Poke("fillcoverpage(\"Modem 'hangs'\r\nsince Monday\")");
    EXPECT_EQ(expected, RecordEndingWith(expected));
}

TEST_F(FaxTest, ARunningProgramIsNotStartedAgainAndTheWizardSettingComesBack) {
    Install(7, MAKELONG(0, 5));
    CFaxProgram program;
    ASSERT_TRUE(program.Find());
    SetWizardSetting(0);
    // Started as the program starts it: it serves once it waits for input.
    std::string command = SimulatorDirectory() + "rvlsnd32.exe";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION running{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &running));
    WaitForInputIdle(running.hProcess, 10000);
    CloseHandle(running.hThread);
    CloseHandle(running.hProcess);
    EXPECT_TRUE(ConnectFaxProgram(program, {"555", "details"}));
    EXPECT_EQ(1u, WizardSetting());
    DisconnectFaxProgram(program);
    EXPECT_EQ(0u, WizardSetting());
    const std::string pokes = Poke("recipient(\"555\",\"\",\"\",\"Technical Support\",\"Corvane\",\"Zelkor Log\",\"\",\"\",\"Fax\")") +
                              Poke("fillcoverpage(\"details\")");
    const std::string record = RecordEndingWith(pokes);
    EXPECT_EQ(0u, record.rfind("START")) << "only the test's own start\n" << record;
    EXPECT_EQ(record.size(), record.find("\r\n") + 2 + pokes.size()) << record;

    // One that never accepts is given up within the bound; the setting comes back, and a setting
    // of 1 stays as it was.
    CloseSimulators();
    SetEnvironmentVariableA("RAVELIN_SIM_MODE", "never");
    for (DWORD before : {0u, 1u}) {
        SetWizardSetting(before);
        const DWORD start = GetTickCount();
        EXPECT_FALSE(ConnectFaxProgram(program, {"555", "details"}, 1500));
        EXPECT_LT(GetTickCount() - start, 5000u);
        DisconnectFaxProgram(program);
        EXPECT_EQ(before, WizardSetting());
    }
}

// The fax dialog as the user sees it: every line of the help texts above its box, and the details
// wrapped at the box's width.
INT_PTR CALLBACK TemplateOnly(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Every text of a dialog fits its box, above the fields it explains, in the font that stands in.
void ExpectTextsFit(HWND dialog, std::initializer_list<int> fields, int expectedTexts) {
    auto rectOf = [&](HWND control) {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    int texts = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = {};
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") != 0) continue;
        ++texts;
        const std::string text = drive::Text(child);
        RECT needed = rectOf(child);
        const LONG height = needed.bottom - needed.top;
        HDC dc = GetDC(child);
        HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0)));
        DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK);
        SelectObject(dc, font);
        ReleaseDC(child, dc);
        EXPECT_LE(needed.bottom - needed.top, height) << text;
        RECT overlap{};
        for (int box : fields) {
            const RECT boxRect = rectOf(GetDlgItem(dialog, box));
            EXPECT_FALSE(IntersectRect(&overlap, &needed, &boxRect)) << text;
        }
    }
    EXPECT_EQ(expectedTexts, texts);
}

TEST(SupportDialogsTest, HelpTextsFitAndTheFaxDetailsWrap) {
    HWND mail = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIL), nullptr, TemplateOnly, 0);
    ASSERT_NE(nullptr, mail);
    ExpectTextsFit(mail, {IDC_MAIL_ADDRESS}, 2);
    DestroyWindow(mail);
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FAX), nullptr, TemplateOnly, 0);
    ASSERT_NE(nullptr, dialog);
    ExpectTextsFit(dialog, {IDC_FAX_NUMBER, IDC_FAX_DETAILS}, 4);

    HWND details = GetDlgItem(dialog, IDC_FAX_DETAILS);
    std::string sentence;
    for (int i = 0; i < 12; ++i) sentence += "The modem hangs up after a minute. ";
    SetWindowTextA(details, sentence.c_str());
    EXPECT_GT(SendMessageA(details, EM_GETLINECOUNT, 0, 0), 3) << "a long line wraps";
    DestroyWindow(dialog);
}

}  // namespace
