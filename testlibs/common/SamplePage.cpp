#include "SamplePage.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "zelkor.h"

namespace sample {

std::string Format(const char* format, ...) {
    char buffer[1024];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    return buffer;
}

std::string Grouped(unsigned long long number) {
    // The user's separator and grouping, without the decimals that the default format adds.
    char separator[8] = ",", decimal[8] = ".", grouping[16] = "3;0";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, sizeof decimal);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SGROUPING, grouping, sizeof grouping);
    // "3;2;0" is written 32 in NUMBERFMT; a last 0 repeats the group before it.
    UINT groups = 0;
    for (const char* at = grouping; *at; ++at)
        if (*at >= '1' && *at <= '9') groups = groups * 10 + static_cast<UINT>(*at - '0');
    if (std::strlen(grouping) < 2 || std::strcmp(grouping + std::strlen(grouping) - 2, ";0") != 0) groups *= 10;
    NUMBERFMTA format{0, 1, groups, decimal, separator, 1};  // a leading zero keeps 0 from vanishing
    const std::string digits = std::to_string(number);
    char text[64];
    if (!GetNumberFormatA(LOCALE_USER_DEFAULT, 0, digits.c_str(), &format, text, sizeof text)) return digits;
    return text;
}

std::string Megabytes(unsigned long long bytes) { return Grouped(bytes / (1024 * 1024)) + " MB"; }

std::string RegistryString(HKEY root, const char* path, const char* name) {
    char buffer[1024] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueA(root, path, name, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, buffer, &size))
        return "";
    return buffer;
}

bool RegistryDword(HKEY root, const char* path, const char* name, DWORD& value) {
    DWORD size = sizeof value;
    return RegGetValueA(root, path, name, RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS;
}

std::vector<std::string> RegistrySubkeys(HKEY root, const char* path) {
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}

HMODULE Module() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&Module), &module);
    return module;
}

void InitReportPage(HWND page, const Report& report, const std::vector<int>& widths) {
    // Drawn by Zelkor itself on Windows versions whose buttons cannot show an icon.
    ZKInitIconButton(page, IDC_PAGE_REFRESH, IDI_PAGE_REFRESH, Module());
    HWND list = GetDlgItem(page, IDC_PAGE_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    auto width = widths.begin();
    for (size_t column = 0; column < report.columns.size(); ++column, ++width) {
        RECT units{0, 0, width == widths.end() ? 60 : *width, 0};
        MapDialogRect(page, &units);
        LVCOLUMNA info{};
        info.mask = LVCF_TEXT | LVCF_WIDTH;
        info.cx = units.right;
        info.pszText = const_cast<char*>(report.columns[column].c_str());
        ListView_InsertColumn(list, static_cast<int>(column), &info);
    }
}

void ShowReport(HWND page, const Report& report) {
    HWND list = GetDlgItem(page, IDC_PAGE_LIST);
    ListView_DeleteAllItems(list);
    for (size_t row = 0; row < report.rows.size(); ++row) {
        const auto& cells = report.rows[row];
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(row);
        item.pszText = const_cast<char*>(cells[0].c_str());
        ListView_InsertItem(list, &item);
        for (size_t column = 1; column < cells.size(); ++column)
            ListView_SetItemText(list, static_cast<int>(row), static_cast<int>(column),
                                 const_cast<char*>(cells[column].c_str()));
    }
    SetDlgItemTextA(page, IDC_PAGE_SUMMARY, report.summary.c_str());
}

void LogReport(const char* title, const Report& report) {
    ZKLogSubsection(title);
    std::vector<size_t> widths;
    for (const auto& column : report.columns) widths.push_back(column.size());
    for (const auto& cells : report.rows) {
        for (size_t column = 0; column < cells.size() && column < widths.size(); ++column)
            widths[column] = std::max(widths[column], cells[column].size());
    }
    auto line = [&widths](const std::vector<std::string>& cells) {
        std::string text;
        for (size_t column = 0; column < cells.size(); ++column) {
            text += cells[column];
            if (column + 1 < cells.size()) text.append(widths[column] + 2 - cells[column].size(), ' ');
        }
        ZKLogFormat("%s\r\n", text.c_str());
    };
    line(report.columns);
    for (const auto& cells : report.rows) line(cells);
    ZKLogFormat("\r\n%s\r\n\r\n", report.summary.c_str());
    for (const auto& finding : report.findings) ZKReportFinding(finding.first, finding.second.c_str());
}

INT_PTR Answer(HWND page, LONG_PTR result) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR HandleReportPage(const ReportPage& definition, HWND page, UINT message, WPARAM wParam) {
    if (IsRefreshClick(message, wParam)) message = ZKPM_ACTIVATE;  // look again, as on arrival
    switch (message) {
    case WM_INITDIALOG:
        InitReportPage(page, definition.report, definition.widths);
        return TRUE;
    case ZKPM_ACTIVATE:
        definition.fill();
        ShowReport(page, definition.report);
        return TRUE;
    case ZKPM_NEXT:
        return Answer(page, 1);
    case ZKPM_WRITELOG:
        ZKLogSection(definition.section);
        LogReport(definition.subsection, definition.report);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace sample
