// Findings: what the test libraries report as wrong on this computer, kept for the session and
// put at the top of the log, where a reader looks first.
#pragma once
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

enum class FindingSeverity { Problem = 1, Warning = 2, Note = 3 };

struct Finding {
    FindingSeverity severity;
    std::string library;
    std::string text;
};

struct FindingCounts {
    size_t problems = 0, warnings = 0, notes = 0;
    size_t total() const { return problems + warnings + notes; }
};

// The findings of one session. Libraries report from their pages, their log parts and their
// background threads, so every member may be called from any thread.
class CFindings {
public:
    static constexpr size_t kMostKept = 1000;
    static constexpr size_t kLongestText = 1023;

    // Keeps a finding: a severity other than 2 or 3 is a problem, the text is cut at
    // kLongestText characters. An empty text is ignored, and so is a repeat of a kept finding
    // (a page reports what it sees each time it is shown). Past kMostKept only counted.
    void Report(int severity, std::string_view library, std::string_view text);
    // Problems first, then warnings, then notes, each in the order reported.
    std::vector<Finding> Sorted() const;
    FindingCounts Counts() const;
    size_t Dropped() const;

private:
    mutable std::mutex m_lock;
    std::vector<Finding> m_kept;
    size_t m_dropped = 0;
};

// The program's one store of findings.
CFindings& SessionFindings();

// The log's "Findings" section: its banner and a line per finding, then how many were dropped;
// empty when nothing was found, so that such a log is as it always was.
std::string FindingsSection(const std::vector<Finding>& findings, size_t dropped);
// The last page's line that counts them ("2 problems and 1 warning were found; ..."); empty
// when there are none.
std::string FindingsCountLine(const FindingCounts& counts);
// Puts the session's findings section at the top of the open log, after its header.
void LogSessionFindings();
