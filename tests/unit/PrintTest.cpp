// Printing the log, read back from the PostScript that Wine's driver hands to the queues of the
// CUPS scheduler that scripts/with-cups.sh runs for these tests ("ZelkorTest"). A cancelled or
// refused job is left to the whole session (PrintSessionTest).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ScratchDirectory.h"
#include "driver/Driver.h"
#include "output/LogPrinter.h"
#include "tests/printing/PrintedPages.h"

namespace {

using printing::PlacedText;
using printing::PostScriptJob;

std::string NumberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "Line " + std::to_string(i) + (i < count ? "\r\n" : "");
    return text;
}

constexpr double kMargin = 54;      // three quarters of an inch, in points
constexpr double kAdvance = 0.6;    // a fixed-pitch font's advance, in ems
constexpr double kTolerance = 1.5;  // points: the driver's rounding to whole dots

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("ZELKOR_NO_CUPSD")) GTEST_SKIP() << "this machine has no cupsd: printing is not tested";
        if (!std::getenv("ZELKOR_PRINT_SPOOL")) GTEST_SKIP() << "needs scripts/with-cups.sh (CTest runs it)";
    }

    // Prints text as the log; the job that the queue received, if any.
    PrintResult Print(const std::string& text, PostScriptJob& job) {
        EXPECT_TRUE(WriteTextFile(m_log, text));
        const size_t before = printing::SpooledJobs().size();
        CLogPrinter printer;
        EXPECT_TRUE(printer.StartLogDocument(CreateDCA("WINSPOOL", "ZelkorTest", nullptr, nullptr)));
        const PrintResult result = printer.PrintLog(m_log.c_str());
        // A job is in the spool once the document has ended.
        drive::WaitFor([&] { return printing::SpooledJobs().size() > before ? GetDesktopWindow() : nullptr; }, 10000);
        const auto jobs = printing::SpooledJobs();
        job = jobs.size() > before ? printing::ReadPlacedTexts(jobs.back()) : PostScriptJob{};
        return result;
    }

    // The header's texts (the log's name, when it was written, the computer's name), then the
    // lines, then "Page N of M".
    void ExpectFrame(const printing::PlacedPage& page, size_t number, size_t pages) {
        ASSERT_GE(page.size(), 4u);
        EXPECT_EQ(printing::Printable(m_log), page[0].text);
        SYSTEMTIME now{};
        GetLocalTime(&now);
        EXPECT_NE(std::string::npos, page[1].text.find(std::to_string(now.wYear))) << page[1].text;
        char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
        DWORD size = sizeof computer;
        GetComputerNameA(computer, &size);
        EXPECT_EQ(printing::Printable(computer), page[2].text);
        for (size_t i = 0; i < 2; ++i)
            EXPECT_LT(page[i].x + page[i].text.size() * kAdvance * page[i].points, page[i + 1].x)
                << "the header's texts stand apart: " << page[i].text;
        EXPECT_EQ("Page " + std::to_string(number) + " of " + std::to_string(pages), page.back().text);
    }

    ScratchDirectory m_scratch;
    const std::string m_log = m_scratch / "Zelkor.log";
};

// A log that cannot be read is told with the system's reason, and nothing reaches the printer.
TEST_F(PrintTest, AnUnreadableLogIsToldAndNothingIsPrinted) {
    const size_t before = printing::SpooledJobs().size();
    CLogPrinter printer;
    ASSERT_TRUE(printer.StartLogDocument(CreateDCA("WINSPOOL", "ZelkorTest", nullptr, nullptr)));
    const PrintResult result = printer.PrintLog((m_scratch / "missing.log").c_str());
    EXPECT_EQ(PrintOutcome::Unreadable, result.outcome);
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), result.error);
    Sleep(500);  // what a job would take to reach the spool
    EXPECT_EQ(before, printing::SpooledJobs().size());
}

TEST_F(PrintTest, TenPointLinesInsideTheMarginsUnderAHeaderAndOverPageNOfM) {
    std::string digits;
    for (int i = 0; i < 100; ++i) digits += "0123456789";
    PostScriptJob job;
    ASSERT_EQ(PrintOutcome::Printed, Print(digits + "\r\n" + NumberedLines(400), job).outcome);
    ASSERT_GE(job.pages.size(), 2u);
    ASSERT_GT(job.paperWidth, 0);
    const printing::PlacedPage& first = job.pages[0];
    ExpectFrame(first, 1, job.pages.size());
    const size_t perLine = first[3].text.size();
    ASSERT_LT(perLine, digits.size());
    size_t at = 3;
    for (std::string joined; joined.size() < digits.size(); joined += first[at++].text)
        ASSERT_EQ(first[at].text, digits.substr(joined.size(), perLine)) << "cut exactly at the width";
    // The cut line reaches the right margin and stays inside it.
    const double rightEdge = first[3].x + perLine * kAdvance * first[3].points;
    EXPECT_LE(rightEdge, job.paperWidth - kMargin + kTolerance);
    EXPECT_GE(rightEdge, job.paperWidth - kMargin - kAdvance * first[3].points - kTolerance);
    int line = 1;
    for (size_t p = 0; p < job.pages.size(); ++p) {
        ExpectFrame(job.pages[p], p + 1, job.pages.size());
        for (size_t i = (p == 0 ? at : 3); i + 1 < job.pages[p].size(); ++i)
            EXPECT_EQ("Line " + std::to_string(line++), job.pages[p][i].text);
    }
    EXPECT_EQ(401, line);

    // Three pages, each with its header and footer within the margins, every text in 10 points.
    const int body = static_cast<int>(first.size()) - 4;
    ASSERT_EQ(PrintOutcome::Printed, Print(NumberedLines(2 * body + 1), job).outcome);
    ASSERT_EQ(3u, job.pages.size());
    for (size_t p = 0; p < 3; ++p) {
        const printing::PlacedPage& page = job.pages[p];
        ExpectFrame(page, p + 1, 3);
        for (const PlacedText& text : page) {
            EXPECT_NEAR(10, text.points, 0.25) << text.text;
            EXPECT_GE(text.x, kMargin - kTolerance) << text.text;
            EXPECT_LE(text.x + text.text.size() * kAdvance * text.points, job.paperWidth - kMargin + kTolerance);
            EXPECT_GE(text.y - text.points, kMargin - kTolerance) << "the top of " << text.text;
            EXPECT_LE(text.y, job.paperHeight - kMargin + kTolerance) << text.text;
        }
        EXPECT_NEAR(kMargin, page[3].x, kTolerance) << "the lines start at the left margin";
        EXPECT_LE(page[0].y, kMargin + 1.2 * page[0].points) << "the header is on the top margin";
        EXPECT_GE(page.back().y, job.paperHeight - kMargin - page.back().points) << "the footer on the bottom one";
        const double footerMiddle = page.back().x + page.back().text.size() * kAdvance * page.back().points / 2;
        EXPECT_NEAR(job.paperWidth / 2, footerMiddle, 2 * kTolerance) << "the footer is centred";
    }
    EXPECT_EQ("Line " + std::to_string(2 * body + 1), job.pages[2][3].text);
}

}  // namespace
