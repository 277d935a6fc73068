#include "output/LogPrinter.h"

#include <algorithm>
#include <string>

#include "framework/StringTable.h"
#include "log/LogCopy.h"
#include "log/PersonalDetails.h"
#include "resources/resource.h"

CPrintedLines::CPrintedLines(const char* begin, const char* end, int charsPerLine)
    : m_next(begin), m_end(end), m_charsPerLine(std::max(charsPerLine, 1)) {}

const char* CPrintedLines::take(int& length) {
    const char* line = m_next;
    const char* lineEnd = std::find(line, m_end, '\r');
    if (lineEnd - line > m_charsPerLine) {
        length = m_charsPerLine;
        m_next = line + m_charsPerLine;
        return line;
    }
    length = static_cast<int>(lineEnd - line);
    if (lineEnd == m_end) {
        m_next = m_end;
        m_remain = false;
    } else {
        m_next = std::min(lineEnd + 2, m_end);  // the CR and its LF
    }
    return line;
}

std::vector<PrintedPage> LayOutPages(const char* begin, const char* end, int charsPerLine, int linesPerPage) {
    const size_t perPage = static_cast<size_t>(std::max(linesPerPage, 1));
    std::vector<PrintedPage> pages;
    CPrintedLines lines(begin, end, charsPerLine);
    do {
        if (pages.empty() || pages.back().size() == perPage) pages.emplace_back();
        int length = 0;
        const char* line = lines.take(length);
        pages.back().push_back({line, length});
    } while (lines.remain());
    return pages;
}

RECT TextArea(const PrinterPage& page) {
    const int marginX = MulDiv(page.dpiX, 3, 4);
    const int marginY = MulDiv(page.dpiY, 3, 4);
    // What the device cannot print on the right and at the bottom; nothing when it does not say.
    const int right = std::max(page.paperWidth - page.width - page.offsetX, 0);
    const int bottom = std::max(page.paperHeight - page.height - page.offsetY, 0);
    const bool paperKnown = page.paperWidth >= page.width && page.paperHeight >= page.height;
    const int offsetX = paperKnown ? page.offsetX : 0;
    const int offsetY = paperKnown ? page.offsetY : 0;
    RECT area{std::max(marginX - offsetX, 0), std::max(marginY - offsetY, 0),
              page.width - std::max(marginX - right, 0), page.height - std::max(marginY - bottom, 0)};
    // A page too small for its margins is printed edge to edge rather than not at all.
    if (area.right <= area.left || area.bottom <= area.top) area = {0, 0, page.width, page.height};
    return area;
}

namespace {

// 10 points at the device's vertical resolution; weight and pitch as the log's fixed layout needs.
HFONT CreatePrintingFont(HDC dc) {
    return CreateFontA(-MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       ANSI_CHARSET, 0, 0, 0, FIXED_PITCH | FF_MODERN, nullptr);
}

std::string LocalTimeText(const FILETIME& time) {
    FILETIME local{};
    SYSTEMTIME parts{};
    if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &parts)) return {};
    char date[64] = {}, clock[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &parts, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &parts, nullptr, clock, sizeof clock);
    return std::string(date) + ' ' + clock;
}

// When the file was last written, in local time; empty when that cannot be known.
std::string LastWrittenText(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    return GetFileAttributesExA(path, GetFileExInfoStandard, &attributes) ? LocalTimeText(attributes.ftLastWriteTime)
                                                                           : std::string();
}

// GDI rounds each character's width to whole device units, while a driver that draws with the
// font's own outlines advances by the exact width: 25.2 dots where GDI says 25 at 10 points and
// 300 dpi, which would run a full line into the right margin. The font's pitch measured at its
// design size is exact.
int CharsPerLine(HDC dc, HFONT font, const TEXTMETRICA& metrics, int width) {
    const int em = metrics.tmHeight - metrics.tmInternalLeading;
    OUTLINETEXTMETRICA outline{};
    outline.otmSize = sizeof outline;
    LOGFONTA design{};
    if (em > 0 && GetOutlineTextMetricsA(dc, sizeof outline, &outline) && outline.otmEMSquare &&
        GetObjectA(font, sizeof design, &design)) {
        design.lfHeight = -static_cast<LONG>(outline.otmEMSquare);
        design.lfWidth = 0;
        fw::UniqueFont large(CreateFontIndirectA(&design));
        HGDIOBJ previous = SelectObject(dc, large.get());
        INT advance = 0;
        const BOOL measured = GetCharWidth32A(dc, '0', '0', &advance);
        SelectObject(dc, previous);
        if (measured && advance > 0)  // rounded down: a line never runs past the width
            return static_cast<int>(static_cast<long long>(width) * outline.otmEMSquare /
                                    (static_cast<long long>(advance) * em));
    }
    return metrics.tmAveCharWidth > 0 ? width / metrics.tmAveCharWidth : width;
}

}  // namespace

bool CLogPrinter::StartLogDocument(HDC dc) {
    EndLogDocument();
    if (!dc) return false;
    m_dc.reset(dc);
    m_font.reset(CreatePrintingFont(dc));
    m_previousFont = SelectObject(dc, m_font.get());
    SetBkMode(dc, TRANSPARENT);  // the paper is white already: no box behind each text
    measurePage();
    const std::string name = fw::LoadedString(IDS_PRINT_DOC_NAME);
    DOCINFOA document{sizeof(DOCINFOA), name.c_str(), nullptr, nullptr, 0};
    SetLastError(ERROR_SUCCESS);
    if (StartDocA(dc, &document) > 0) return true;
    const DWORD reason = GetLastError();
    EndLogDocument();
    SetLastError(reason);
    return false;
}

void CLogPrinter::measurePage() {
    HDC dc = m_dc.get();
    m_area = TextArea({GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY), GetDeviceCaps(dc, HORZRES),
                       GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT),
                       GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY)});
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    // A device that reports nonsense still gets pages with at least one line of one character.
    m_lineHeight = std::max<int>(metrics.tmHeight + metrics.tmExternalLeading, 1);
    // Four line slots are not the log's: the header, an empty line under it, an empty line over
    // the footer, and the footer.
    m_bodyLines = std::max<int>((m_area.bottom - m_area.top) / m_lineHeight - 4, 1);
    const int width = m_area.right - m_area.left;
    m_charsPerLine = CharsPerLine(dc, m_font.get(), metrics, width);
    m_charWidth = std::max<int>(metrics.tmAveCharWidth, 1);
}

PrintResult CLogPrinter::PrintLog(const char* path, const Progress& progress) {
    if (!m_dc) return {PrintOutcome::Refused, ERROR_INVALID_HANDLE};
    // A log that cannot be read is told with the system's reason, not printed as a blank page.
    std::string text;
    PrintResult result{PrintOutcome::Printed, ERROR_SUCCESS};
    if (const DWORD error = ReadWholeLog(path, text)) result = {PrintOutcome::Unreadable, error};
    const std::string written = LastWrittenText(path);
    const std::string computer = CurrentMachineNames().computer;
    const char* const header[3] = {path, written.c_str(), computer.c_str()};
    const std::vector<PrintedPage> pages =
        LayOutPages(text.data(), text.data() + text.size(), m_charsPerLine, m_bodyLines);
    const auto count = static_cast<unsigned>(pages.size());
    for (unsigned number = 1; number <= count && result.outcome == PrintOutcome::Printed; ++number) {
        SetLastError(ERROR_SUCCESS);
        if (progress && !progress(number, count))
            result.outcome = PrintOutcome::Cancelled;
        else if (!printPage(pages[number - 1], header, number, count))
            result = {PrintOutcome::Refused, GetLastError()};
    }
    SetLastError(ERROR_SUCCESS);
    if (result.outcome != PrintOutcome::Printed)
        AbortDoc(m_dc.get());  // nothing of the job reaches the printer
    else if (EndDoc(m_dc.get()) <= 0)
        result = {PrintOutcome::Refused, GetLastError()};
    EndLogDocument();
    return result;
}

bool CLogPrinter::printPage(const PrintedPage& lines, const char* const header[3], unsigned number, unsigned pages) {
    HDC dc = m_dc.get();
    if (StartPage(dc) <= 0) return false;
    const UINT flags = DT_SINGLELINE | DT_NOPREFIX;
    // Placed from the right: the computer's name, the time the log was written, then the log's
    // name in what is left, shortened in the middle of its path rather than run into the others.
    // Drawn from the left, in reading order.
    RECT place[3];
    place[2] = {m_area.left, m_area.top, m_area.right, m_area.top + m_lineHeight};
    for (int part = 2; part > 0; --part) {
        SIZE extent{};
        GetTextExtentPoint32A(dc, header[part], lstrlenA(header[part]), &extent);
        place[part - 1] = place[part];
        place[part - 1].right = place[part].right - extent.cx - 3 * m_charWidth;
    }
    DrawTextA(dc, header[0], -1, &place[0], flags | DT_PATH_ELLIPSIS | DT_LEFT);
    DrawTextA(dc, header[1], -1, &place[1], flags | DT_NOCLIP | DT_RIGHT);
    DrawTextA(dc, header[2], -1, &place[2], flags | DT_NOCLIP | DT_RIGHT);
    int y = m_area.top + 2 * m_lineHeight;
    for (const PrintedLine& text : lines) {
        TextOutA(dc, m_area.left, y, text.text, text.length);
        y += m_lineHeight;
    }
    const std::string footer = fw::FormattedString(IDS_PAGE_FOOTER, static_cast<unsigned long>(number),
                                                   static_cast<unsigned long>(pages));
    RECT line{m_area.left, m_area.bottom - m_lineHeight, m_area.right, m_area.bottom};
    DrawTextA(dc, footer.c_str(), -1, &line, flags | DT_NOCLIP | DT_CENTER);
    return EndPage(dc) > 0;
}

void CLogPrinter::EndLogDocument() {
    if (!m_dc) return;
    SelectObject(m_dc.get(), m_previousFont);
    m_dc.reset();
    m_font.reset();
    m_previousFont = nullptr;
}
