// What the sample libraries' pages share: a report list with a summary line under it, and the
// answers to the wizard's page messages.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "SampleIds.h"

namespace sample {

// printf into a std::string.
std::string Format(const char* format, ...);
// A count in the user's digit grouping ("372,969").
std::string Grouped(unsigned long long number);
// "1,234 MB" from a byte count, grouped the same way.
std::string Megabytes(unsigned long long bytes);

// A value under root\\path, or nothing ("" or false) when it is missing.
std::string RegistryString(HKEY root, const char* path, const char* name);
bool RegistryDword(HKEY root, const char* path, const char* name, DWORD& value);
// The names of the subkeys of root\\path, in the registry's order.
std::vector<std::string> RegistrySubkeys(HKEY root, const char* path);

// The rows a page found, kept for the log after the page has shown them, and what is wrong,
// reported as findings when the log is written: by then the user has seen the page as it is.
struct Report {
    Report(std::initializer_list<std::string> headings) : columns(headings) {}

    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
    std::string summary;
    std::vector<std::pair<int, std::string>> findings;  // ZK_FINDING_* and the text

    void Clear() {
        rows.clear();
        summary.clear();
        findings.clear();
    }
    void Add(std::initializer_list<std::string> cells) { rows.emplace_back(cells); }
    void Find(int severity, std::string text) { findings.emplace_back(severity, std::move(text)); }
};

// This library's module handle.
HMODULE Module();

// Sets up the page's list view with the report's columns (widths in dialog units) and gives the
// look-again button its icon.
void InitReportPage(HWND page, const Report& report, const std::vector<int>& widths);
// Whether a WM_COMMAND is the click of the page's look-again button.
inline bool IsRefreshClick(UINT message, WPARAM wParam) {
    return message == WM_COMMAND && LOWORD(wParam) == IDC_PAGE_REFRESH && HIWORD(wParam) == BN_CLICKED;
}
// Shows the report in the page's list and summary line.
void ShowReport(HWND page, const Report& report);
// Writes the report to the session log as one subsection (a line per row, columns aligned) and
// reports its findings.
void LogReport(const char* title, const Report& report);

// Answers a page message under the dialog rules.
INT_PTR Answer(HWND page, LONG_PTR result);

// A page that shows one report: filled each time the page is shown, written to the log under
// its own section.
struct ReportPage {
    Report& report;
    std::vector<int> widths;  // of the list's columns, in dialog units
    void (*fill)();
    const char* section;
    const char* subsection;
};
// The dialog procedure's work for such a page; FALSE for messages it leaves to the dialog.
INT_PTR HandleReportPage(const ReportPage& definition, HWND page, UINT message, WPARAM wParam);

}  // namespace sample
