// Findings: their order and limits, the log's first section and the last page's count, the
// insertion after the header, and reports from several threads at once.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "ScratchDirectory.h"
#include "log/Findings.h"
#include "log/LogFile.h"
#include "zelkor.h"

namespace {

const std::string kBanner = std::string(60, '*') + "\r\n* Findings\r\n" + std::string(60, '*') + "\r\n\r\n";

std::string sectionOf(const CFindings& findings) { return FindingsSection(findings.Sorted(), findings.Dropped()); }

}  // namespace

TEST(Findings, ProblemsThenWarningsThenNotesEachInTheOrderReported) {
    CFindings findings;
    findings.Report(1, "Modem", "");  // nothing to say
    EXPECT_EQ("", sectionOf(findings)) << "none write nothing";
    findings.Report(3, "Modem", "note 1");
    findings.Report(2, "Ravelin", "warning 1");
    findings.Report(1, "System", "problem 1");
    findings.Report(0, "Modem", "problem 2");      // unknown severities are problems
    findings.Report(2, "Modem", "warning 2");
    findings.Report(7, "Ravelin", "problem 3");
    findings.Report(-1, "A library with a long name", "problem 4\r\nsecond line");
    findings.Report(1, "System", "problem 1");      // a repeat is kept once
    findings.Report(2, "System", "problem 1");      // but not the same text as another severity

    EXPECT_EQ(kBanner +
                  "PROBLEM   System               problem 1\r\n"
                  "PROBLEM   Modem                problem 2\r\n"
                  "PROBLEM   Ravelin              problem 3\r\n"
                  "PROBLEM   A library with a long name problem 4\\r\\nsecond line\r\n"
                  "WARNING   Ravelin              warning 1\r\n"
                  "WARNING   Modem                warning 2\r\n"
                  "WARNING   System               problem 1\r\n"
                  "NOTE      Modem                note 1\r\n"
                  "\r\n",
              sectionOf(findings));
    const FindingCounts counts = findings.Counts();
    EXPECT_EQ(4u, counts.problems);
    EXPECT_EQ(3u, counts.warnings);
    EXPECT_EQ(1u, counts.notes);
}

TEST(Findings, TextsAreCutAndAThousandAreKeptTheRestCounted) {
    CFindings findings;
    findings.Report(1, "Modem", std::string(1024, 'x') + "y");
    EXPECT_EQ(std::string(1023, 'x'), findings.Sorted().at(0).text);

    for (int at = 1; at < 1000; ++at) findings.Report(3, "Modem", "note " + std::to_string(at));
    findings.Report(3, "Modem", "note 1");  // a repeat of a kept one is not dropped
    findings.Report(1, "Modem", "one too many");
    EXPECT_EQ(1000u, findings.Sorted().size());
    EXPECT_EQ(1u, findings.Dropped());
    const std::string section = sectionOf(findings);
    const std::string tail = "note 999\r\n\r\n(1 more finding was reported and left out)\r\n\r\n";
    EXPECT_EQ(tail, section.substr(section.size() - tail.size()));
    findings.Report(2, "Modem", "two too many");
    EXPECT_NE(std::string::npos, sectionOf(findings).find("\r\n(2 more findings were reported and left out)\r\n"));
    EXPECT_EQ(1000u, findings.Counts().total());
}

// Three kinds in one line are counted by the session (FindingsTest of the end-to-end tests).
TEST(Findings, TheLastPageCountsThemInWords) {
    const struct {
        FindingCounts counts;
        const char* line;
    } cases[] = {
        {{1, 0, 0}, "1 problem was found; it is listed at the top of the log."},
        {{0, 0, 1}, "1 note was found; it is listed at the top of the log."},
        {{0, 2, 0}, "2 warnings were found; they are listed at the top of the log."},
        {{1, 0, 1}, "1 problem and 1 note were found; they are listed at the top of the log."},
        {{0, 0, 0}, ""},
    };
    for (const auto& expected : cases) EXPECT_EQ(expected.line, FindingsCountLine(expected.counts));
}

// The tail is moved in blocks of a megabyte from the end; a log of several blocks and an odd
// size shows a block moved over itself or out of order. (Without room for the move, see LogFile.)
TEST(Findings, InsertedAfterTheHeaderAheadOfEverythingElse) {
    ScratchDirectory directory;
    const std::string path = directory / "inserted.log";
    std::string body;
    for (int line = 0; body.size() < 2'500'000; ++line) body += "line " + std::to_string(line) + "\r\n";
    CLogFile log(path);
    ASSERT_TRUE(log.Create());
    log.Write("header\r\n", 8);
    log.MarkFront();
    log.Write(body.data(), static_cast<DWORD>(body.size()));
    log.InsertAtFront("findings\r\n");
    log.InsertAtFront("changes\r\n");  // a second section goes after the first
    log.Write("end\r\n", 5);
    ASSERT_TRUE(log.Commit());
    EXPECT_TRUE(ReadTextFile(path) == "header\r\nfindings\r\nchanges\r\n" + body + "end\r\n");

    ASSERT_TRUE(log.Create());  // a new log starts without a mark
    log.Write("body\r\n", 6);
    log.InsertAtFront("first\r\n");
    ASSERT_TRUE(log.Commit());
    EXPECT_EQ("first\r\nbody\r\n", ReadTextFile(path));
}

// Libraries report from background threads while the wizard's thread reports too. A caller that
// is no test library is named after its module.
TEST(Findings, ReportsFromManyThreadsAreAllKept) {
    const size_t before = SessionFindings().Sorted().size();
    std::vector<std::thread> threads;
    for (int thread = 0; thread < 4; ++thread)
        threads.emplace_back([thread] {
            for (int at = 0; at < 50; ++at)
                ZKReportFinding(ZK_FINDING_NOTE, ("thread " + std::to_string(thread) + " #" + std::to_string(at)).c_str());
        });
    ZKReportFinding(ZK_FINDING_WARNING, nullptr);
    ZKReportFinding(ZK_FINDING_WARNING, "");
    for (auto& thread : threads) thread.join();
    const std::vector<Finding> all = SessionFindings().Sorted();
    ASSERT_EQ(before + 200, all.size());
    for (const Finding& finding : all)
        if (finding.text.compare(0, 7, "thread ") == 0) {
            EXPECT_EQ("zelkor_unit", finding.library);
        }
}
