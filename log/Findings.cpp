#include "log/Findings.h"

#include <algorithm>
#include <utility>

#include "framework/StringTable.h"
#include "log/LogFile.h"
#include "log/LogLayout.h"
#include "resources/resource.h"

namespace {

FindingSeverity severityOf(int severity) {
    switch (severity) {
    case 2:
        return FindingSeverity::Warning;
    case 3:
        return FindingSeverity::Note;
    default:
        return FindingSeverity::Problem;
    }
}

UINT wordOf(FindingSeverity severity) {
    switch (severity) {
    case FindingSeverity::Warning:
        return IDS_FINDING_WARNING;
    case FindingSeverity::Note:
        return IDS_FINDING_NOTE;
    default:
        return IDS_FINDING_PROBLEM;
    }
}

// "1 problem" or "3 problems"; empty for none.
std::string counted(size_t count, UINT one, UINT many) {
    if (count == 0) return "";
    return count == 1 ? fw::LoadedString(one) : fw::FormattedString(many, static_cast<unsigned>(count));
}

// `text` as written, then spaces to the next column: at least one.
void appendColumn(std::string& out, std::string_view text, size_t width) {
    const size_t start = out.size();
    AppendEscaped(out, text);
    const size_t written = out.size() - start;
    out.append(written < width ? width - written + 1 : 1, ' ');
}

}  // namespace

void CFindings::Report(int severity, std::string_view library, std::string_view text) {
    if (text.empty()) return;
    Finding finding{severityOf(severity), std::string(library), std::string(text.substr(0, kLongestText))};
    const std::lock_guard<std::mutex> hold(m_lock);
    for (const Finding& kept : m_kept)
        if (kept.severity == finding.severity && kept.library == finding.library && kept.text == finding.text) return;
    if (m_kept.size() < kMostKept)
        m_kept.push_back(std::move(finding));
    else
        ++m_dropped;
}

std::vector<Finding> CFindings::Sorted() const {
    std::vector<Finding> sorted;
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        sorted = m_kept;
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Finding& a, const Finding& b) { return a.severity < b.severity; });
    return sorted;
}

FindingCounts CFindings::Counts() const {
    FindingCounts counts;
    const std::lock_guard<std::mutex> hold(m_lock);
    for (const Finding& finding : m_kept) {
        switch (finding.severity) {
        case FindingSeverity::Problem:
            ++counts.problems;
            break;
        case FindingSeverity::Warning:
            ++counts.warnings;
            break;
        case FindingSeverity::Note:
            ++counts.notes;
            break;
        }
    }
    return counts;
}

size_t CFindings::Dropped() const {
    const std::lock_guard<std::mutex> hold(m_lock);
    return m_dropped;
}

CFindings& SessionFindings() {
    static CFindings findings;
    return findings;
}

// Laid out as the registry dump's lines are: a word column, a name column, then the text.
std::string FindingsSection(const std::vector<Finding>& findings, size_t dropped) {
    std::string section;
    if (findings.empty() && dropped == 0) return section;
    AppendSectionBanner(section, fw::LoadedString(IDS_FINDINGS_TITLE));
    for (const Finding& finding : findings) {
        appendColumn(section, fw::LoadedString(wordOf(finding.severity)), 9);
        appendColumn(section, finding.library, 20);
        AppendEscaped(section, finding.text);
        section += "\r\n";
    }
    if (dropped == 1) section += "\r\n" + fw::LoadedString(IDS_FINDINGS_DROPPED_ONE) + "\r\n";
    if (dropped > 1)
        section += "\r\n" + fw::FormattedString(IDS_FINDINGS_DROPPED, static_cast<unsigned>(dropped)) + "\r\n";
    section += "\r\n";
    return section;
}

std::string FindingsCountLine(const FindingCounts& counts) {
    std::vector<std::string> parts;
    for (auto part : {counted(counts.problems, IDS_FINDINGS_PROBLEM_ONE, IDS_FINDINGS_PROBLEMS),
                      counted(counts.warnings, IDS_FINDINGS_WARNING_ONE, IDS_FINDINGS_WARNINGS),
                      counted(counts.notes, IDS_FINDINGS_NOTE_ONE, IDS_FINDINGS_NOTES)})
        if (!part.empty()) parts.push_back(part);
    if (parts.empty()) return "";
    std::string list = parts[0];
    for (size_t at = 1; at < parts.size(); ++at)
        list += fw::LoadedString(at + 1 == parts.size() ? IDS_FINDINGS_AND : IDS_FINDINGS_COMMA) + parts[at];
    return fw::FormattedString(counts.total() == 1 ? IDS_FINDINGS_FOUND_ONE : IDS_FINDINGS_FOUND, list.c_str());
}

void LogSessionFindings() {
    const CFindings& findings = SessionFindings();
    InsertAtLogFront(FindingsSection(findings.Sorted(), findings.Dropped()));
}
