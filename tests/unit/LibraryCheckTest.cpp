// zkcheck's verdicts: every problem of the malformed fixture libraries named with its place, and
// the sample libraries sound. Which fixtures the wizard lists is TestLibraryTest's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FixtureLibraries.h"
#include "ScratchDirectory.h"
#include "framework/Handles.h"
#include "testlib/TestLibrary.h"
#include "tools/zkcheck/LibraryCheck.h"

namespace {

std::string BuildDirectory() { return FixtureDirectory() + "..\\..\\"; }

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

// Runs zkcheck.exe with the arguments in the fixture directory; its exit status and output.
DWORD RunZkcheck(const std::string& arguments, std::string& output) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!CreatePipe(&read, &write, &inherit, 0)) return ~0u;
    fw::UniqueKernelHandle reader(read), writer(write);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write;
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + BuildDirectory() + "tools\\zkcheck.exe\" " + arguments;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        FixtureDirectory().c_str(), &startup, &process))
        return ~0u;
    fw::UniqueKernelHandle thread(process.hThread), child(process.hProcess);
    writer.reset();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got) output.append(buffer, got);
    DWORD status = ~0u;
    WaitForSingleObject(child.get(), 30000);
    GetExitCodeProcess(child.get(), &status);
    return status;
}

}  // namespace

TEST(LibraryCheck, NamesEveryProblemWithItsPlace) {
    const std::string kNoIcon = "the library's icon: icon id 1 names no icon in the library";
    const struct {
        const char* file;
        std::vector<std::string> problems;
    } cases[] = {
        {"NotADll.ZKL", {"not a DLL: it has no Windows executable header"}},
        {"NoDescription.ZKL", {"it has no ZKRC_LIBRARY resource with id 1: Zelkor does not list it"}},
        {"Truncated.ZKL",
         {"ZKRC_LIBRARY: the system-file list has no end marker (ZK_END): the data ends at byte 26; Zelkor "
          "skips the library"}},
        {"TruncatedString.ZKL",
         {"ZKRC_LIBRARY: the system-file list has a string without its terminating \\0 at byte 33; Zelkor skips "
          "the library"}},
        {"BadTable.ZKL",
         {kNoIcon, "ZKRC_REGEDIT 300: the value list is cut short at byte 42, inside a number; Zelkor skips the library"}},
        {"BadSections.ZKL",
         {kNoIcon, "ZKRC_INI 400: the section list has no end marker (ZK_END): the data ends at byte 14; Zelkor skips the "
          "library"}},
        {"IncompletePages.ZKL",
         {"test \"No template\": no dialog template with id 201, so Zelkor shows no page for it",
          "test \"No procedure\": no page procedure exported by ordinal 205, so Zelkor shows no page for it"}},
        {"Refusing.ZKL", {kNoIcon}},
        {"AbsurdTables.ZKL",
         {"ZKRC_REGEDIT 300: the value \"Retries\" at byte 0 has the range 100 to 0, whose minimum is above its "
          "maximum; Zelkor skips the library",
          "ZKRC_REGEDIT 301: the value \"Speaker\" at byte 27 has kind 15, not one of 0, 1, 2, 3, 4, 8 and 12; Zelkor "
          "skips the library",
          "ZKRC_REGEDIT 302: the value \"Volume\" at byte 0 offers 20000 choices, not 1 to 256; Zelkor skips the "
          "library"}},
    };
    for (const auto& expected : cases) {
        const LibraryCheck check = CheckLibrary(FixtureDirectory() + expected.file);
        EXPECT_EQ(Joined(expected.problems), Joined(check.problems)) << expected.file;
        EXPECT_TRUE(check.summary.empty()) << expected.file;
    }
}

TEST(LibraryCheck, SoundLibrariesAreSummarisedAsTheWizardShowsThem) {
    const LibraryCheck bare = CheckLibrary(FixtureDirectory() + "Bare.ZKL");
    EXPECT_EQ("library  \"Bare fixture\"\nfindings none reported (it does not import ZKReportFinding)\n",
              Joined(bare.problems) + Joined(bare.summary));

    const LibraryCheck modem = CheckLibrary(BuildDirectory() + "testlibs\\Modem.ZKL");
    EXPECT_EQ("", Joined(modem.problems));
    const std::string summary = Joined(modem.summary);
    EXPECT_NE(std::string::npos, summary.find("test     \"Serial ports\", page 201: Full, Typical and Custom\n"))
        << summary;
    EXPECT_NE(std::string::npos, summary.find(": listed only, no page\n")) << summary;
    EXPECT_NE(std::string::npos,
              summary.find("findings reported to the top of the log (it imports ZKReportFinding)\n"))
        << summary;
    EXPECT_NE(std::string::npos, summary.find("editor   \"Keelson\" HKEY_LOCAL_MACHINE\\Software\\Halvard\\Keelson\n"))
        << summary;
}

TEST(LibraryCheck, ALibraryForTheOtherProcessorBesideTheProgram) {
    const std::string built = FixtureDirectory() + "OtherArch.bin";
    if (!FileExists(built)) GTEST_SKIP() << "no compiler for the other processor: OtherArch.bin was not built";
    ScratchDirectory beside;
    ASSERT_TRUE(CopyFileA(built.c_str(), (beside / "Other.ZKL").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((BuildDirectory() + "Zelkor.exe").c_str(), (beside / "Zelkor.exe").c_str(), FALSE));

    const std::string problems = Joined(CheckLibrary(beside / "Other.ZKL").problems);
    const std::string own = sizeof(void*) == 8 ? "64-bit (x64)" : "32-bit (x86)";
    const std::string other = sizeof(void*) == 8 ? "32-bit (x86)" : "64-bit (x64)";
    EXPECT_EQ("built for " + other + " Windows, but Zelkor.exe beside it is " + own + ": Zelkor cannot load it\n",
              problems);
    EXPECT_FALSE(FindTestLibrariesIn(beside.path() + "\\"));
}

TEST(LibraryCheck, ExitStatusIsZeroOnlyWhenEveryFileIsSound) {
    std::string output;
    EXPECT_EQ(0u, RunZkcheck("Bare.ZKL ..\\..\\testlibs\\System.ZKL", output)) << output;
    EXPECT_EQ(0u, output.find("Bare.ZKL: sound\r\n  library  \"Bare fixture\"\r\n")) << output;

    output.clear();
    EXPECT_EQ(1u, RunZkcheck("Bare.ZKL NotADll.ZKL", output)) << output;
    EXPECT_NE(std::string::npos, output.find("NotADll.ZKL: 1 problem\r\n  not a DLL")) << output;
    output.clear();
    EXPECT_EQ(2u, RunZkcheck("", output));
}
