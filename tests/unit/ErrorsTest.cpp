#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "FixtureLibraries.h"
#include "framework/App.h"
#include "zelkor.h"

namespace {

template <typename Function>
Function Export(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The library (fixtures/exceptions) imports the error classes from this executable as a test
// library imports them from Zelkor.exe. On i686 this holds only while every module shares the
// compiler's runtime DLLs, and with them one unwinder.
TEST(Errors, CrossTheBoundaryToATestLibraryBothWays) {
    const std::string libraryPath = FixtureDirectory() + "exceptions\\Exceptions.ZKL";
    HMODULE library = LoadLibraryA(libraryPath.c_str());
    ASSERT_NE(nullptr, library) << libraryPath;
    auto catchHostError = Export<int (*)()>(library, "CatchHostError");
    auto catchHostWinError = Export<unsigned long (*)(unsigned long)>(library, "CatchHostWinError");
    auto throwWinError = Export<void (*)(unsigned long)>(library, "ThrowWinError");
    ASSERT_TRUE(catchHostError && catchHostWinError && throwWinError);

    // Thrown by the host's exports, caught in the library; what is no failure passes through.
    EXPECT_EQ(1, catchHostError());
    EXPECT_EQ(5u, catchHostWinError(5));
    EXPECT_EQ(0u, catchHostWinError(0));
    EXPECT_EQ(-1, XError::Check(-1));
    EXPECT_EQ(1, XOleError::Check(1)) << "S_FALSE is no failure";
    EXPECT_THROW(XOleError::Check(-2147467259L), XOleError);

    // Thrown in the library, caught here as the base class; the thrown type and code survive.
    unsigned long code = 0;
    try {
        throwWinError(ERROR_ACCESS_DENIED);
    } catch (XError&) {
        try {
            throw;
        } catch (const XWinError& error) {
            code = error.m_error;
        }
    }
    EXPECT_EQ(static_cast<unsigned long>(ERROR_ACCESS_DENIED), code);
    FreeLibrary(library);
}

class FailingStartup : public fw::CApp {
public:
    void InitInstance() override { throw std::runtime_error("no settings"); }
    int ExitInstance() override {
        exited = true;
        return 0;
    }
    void ReportStartupFailure(const std::string& description) override { reported = description; }
    bool exited = false;
    std::string reported;
};

}  // namespace

// A start-up that throws is told, still exits, and does not pass for a clean end.
TEST(Errors, AFailedStartupEndsNonZeroWithItsReason) {
    FailingStartup app;
    EXPECT_EQ(fw::CApp::kStartupFailedExitCode, app.Run());
    EXPECT_TRUE(app.exited);
    EXPECT_EQ("std::runtime_error (no settings)", app.reported);
}
