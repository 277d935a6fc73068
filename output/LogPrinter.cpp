#include "output/LogPrinter.h"

#include <algorithm>
#include <string>

#include "framework/StringTable.h"
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

namespace {

HFONT CreatePrintingFont(int height) {
    return CreateFontA(height, 0, 0, 0, 100, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, FIXED_PITCH, nullptr);
}

std::string ReadFile(const char* path) {
    std::string text;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char chunk[65536];
    DWORD read = 0;
    while (::ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read) text.append(chunk, read);
    CloseHandle(file);
    return text;
}

}  // namespace

bool CLogPrinter::StartLogDocument(HDC dc) {
    EndLogDocument();
    m_dc = dc;
    // Height 0 is the device's default size. Wine's PostScript driver prints such a font at size
    // zero (blank pages), so the size the device chose is asked for again, explicitly.
    m_font = CreatePrintingFont(0);
    m_previousFont = SelectObject(m_dc, m_font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(m_dc, &metrics);
    if (metrics.tmHeight > 0) {
        HFONT sized = CreatePrintingFont(metrics.tmHeight);
        SelectObject(m_dc, sized);
        DeleteObject(m_font);
        m_font = sized;
    }
    measurePage();
    const std::string name = fw::LoadedString(IDS_PRINT_DOC_NAME);
    DOCINFOA document{sizeof(DOCINFOA), name.c_str(), nullptr, nullptr, 0};
    if (StartDocA(m_dc, &document) > 0) return true;
    EndLogDocument();
    return false;
}

void CLogPrinter::measurePage() {
    TEXTMETRICA metrics{};
    GetTextMetricsA(m_dc, &metrics);
    // A device that reports nonsense still gets pages with at least one line of one character.
    m_lineHeight = std::max<int>(metrics.tmHeight + metrics.tmExternalLeading, 1);
    m_linesPerPage = GetDeviceCaps(m_dc, VERTRES) / m_lineHeight;
    m_pageWidth = GetDeviceCaps(m_dc, HORZRES);
    m_charsPerLine = metrics.tmAveCharWidth > 0 ? m_pageWidth / metrics.tmAveCharWidth : m_pageWidth;
}

void CLogPrinter::PrintLog(const char* path) {
    if (!m_dc) return;
    const std::string text = ReadFile(path);
    // Two line slots are kept for the footer: an empty one, then the page number. A page too short
    // for that still prints one line a page, so the document always comes to an end.
    const int body = std::max(m_linesPerPage - 2, 1);
    RECT footer{0, (body + 1) * m_lineHeight, m_pageWidth, (body + 2) * m_lineHeight};
    const std::string format = fw::LoadedString(IDS_PAGE_FOOTER);
    unsigned long page = 1;
    CPrintedLines lines(text.data(), text.data() + text.size(), m_charsPerLine);
    do {
        StartPage(m_dc);
        for (int slot = 0; slot < body && lines.remain(); ++slot) {
            int length = 0;
            const char* line = lines.take(length);
            TextOutA(m_dc, 0, slot * m_lineHeight, line, length);
        }
        char number[64];
        wsprintfA(number, format.c_str(), page++);
        DrawTextA(m_dc, number, -1, &footer, DT_CENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
        EndPage(m_dc);
    } while (lines.remain());
    EndDoc(m_dc);
    EndLogDocument();
}

void CLogPrinter::EndLogDocument() {
    if (!m_dc) return;
    SelectObject(m_dc, m_previousFont);
    DeleteDC(m_dc);
    DeleteObject(m_font);
    m_dc = nullptr;
    m_font = nullptr;
    m_previousFont = nullptr;
}
