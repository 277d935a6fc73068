// Printing the log, read back from the PostScript that Wine's driver hands to the default queue
// of the CUPS scheduler that scripts/with-cups.sh runs for these tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ScratchDirectory.h"
#include "driver/Driver.h"
#include "output/LogPrinter.h"
#include "tests/printing/PrintedPages.h"

namespace {

using printing::Page;

std::string NumberedLines(int count, const char* end = "") {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "Line " + std::to_string(i) + (i < count ? "\r\n" : end);
    return text;
}

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("ZELKOR_NO_CUPSD")) GTEST_SKIP() << "this machine has no cupsd: printing is not tested";
        if (!std::getenv("ZELKOR_PRINT_SPOOL")) GTEST_SKIP() << "needs scripts/with-cups.sh (CTest runs it)";
    }

    // Prints text as the log; the pages that the queue received.
    std::vector<Page> Print(const std::string& text) {
        const std::string log = m_scratch / "Zelkor.log";
        EXPECT_TRUE(WriteTextFile(log, text));
        const size_t before = printing::SpooledJobs().size();
        CLogPrinter printer;
        EXPECT_TRUE(printer.StartLogDocument(CreateDCA("WINSPOOL", "ZelkorTest", nullptr, nullptr)));
        printer.PrintLog(log.c_str());
        drive::WaitFor([&] { return printing::SpooledJobs().size() > before ? GetDesktopWindow() : nullptr; }, 10000);
        const auto jobs = printing::SpooledJobs();
        return jobs.size() > before ? printing::ReadPostScript(jobs.back()) : std::vector<Page>{};
    }

    ScratchDirectory m_scratch;
};

TEST_F(PrintTest, LinesAreCutAtThePageWidthAndPagesEndWhereTheTextEnds) {
    std::string digits;
    for (int i = 0; i < 100; ++i) digits += "0123456789";
    const std::vector<Page> pages = Print(digits + "\r\n" + NumberedLines(400));
    ASSERT_GE(pages.size(), 2u);
    const size_t perLine = pages[0][0].size();
    ASSERT_LT(perLine, digits.size());
    size_t at = 0;
    for (std::string joined; joined.size() < digits.size(); joined += pages[0][at++])
        ASSERT_EQ(pages[0][at], digits.substr(joined.size(), perLine)) << "cut exactly at the width";
    int line = 1;
    for (size_t p = 0; p < pages.size(); ++p) {
        EXPECT_EQ("Page " + std::to_string(p + 1), pages[p].back());
        for (size_t i = (p == 0 ? at : 0); i + 1 < pages[p].size(); ++i)
            EXPECT_EQ("Line " + std::to_string(line++), pages[p][i]);
    }
    EXPECT_EQ(401, line);

    const int body = static_cast<int>(pages[0].size()) - 1;  // the footer aside
    ASSERT_EQ(1u, Print(NumberedLines(body)).size()) << "a full page and nothing more";
    const std::vector<Page> withLineEnd = Print(NumberedLines(body, "\r\n"));
    ASSERT_EQ(2u, withLineEnd.size()) << "the empty line after the last line end starts page 2";
    EXPECT_EQ(Page{"Page 2"}, withLineEnd[1]);
    EXPECT_EQ(std::vector<Page>{{"Page 1"}}, Print("")) << "an empty log prints its footer alone";
}

}  // namespace
