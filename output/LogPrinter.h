// Prints the session log on a device context: 10-point fixed-pitch lines cut at the width of the
// text area, which keeps three quarters of an inch from every edge of the paper; every page carries
// a header (the log's name, when it was written, the computer's name) and "Page N of M" at its foot.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "framework/Handles.h"

// Cuts the log's text into printed lines. A line runs to the next CR, or to the end of the text;
// a longer line than the page holds continues on the next printed line. A CR and the character
// after it (its LF) are skipped.
class CPrintedLines {
public:
    CPrintedLines(const char* begin, const char* end, int charsPerLine);
    // True until a line that reached the end of the text has been taken: an empty text still
    // gives one (empty) line, a text ending with CR LF gives an empty last line.
    bool remain() const { return m_remain; }
    // The next line's length; it starts at the returned pointer.
    const char* take(int& length);

private:
    const char* m_next;
    const char* m_end;
    int m_charsPerLine;
    bool m_remain = true;
};

// A printed line points into the text: nothing is copied.
struct PrintedLine {
    const char* text;
    int length;
};
using PrintedPage = std::vector<PrintedLine>;

// The whole text laid out before the first page is printed, so that every page can name the
// number of pages: pages of at most linesPerPage lines (at least one), at least one page.
std::vector<PrintedPage> LayOutPages(const char* begin, const char* end, int charsPerLine, int linesPerPage);

// A device's page as GetDeviceCaps tells it, in device units.
struct PrinterPage {
    int dpiX, dpiY;                // LOGPIXELSX, LOGPIXELSY
    int width, height;             // HORZRES, VERTRES: the printable area
    int paperWidth, paperHeight;   // PHYSICALWIDTH, PHYSICALHEIGHT
    int offsetX, offsetY;          // PHYSICALOFFSETX, PHYSICALOFFSETY: the unprintable left and top
};

// Where text goes, in the printable area's coordinates: three quarters of an inch from each edge
// of the paper, or the edge of the printable area where the device cannot print that far in. A
// device that reports no paper size gets the margins inside its printable area.
RECT TextArea(const PrinterPage& page);

enum class PrintOutcome { Printed, Cancelled, Refused, Unreadable };
struct PrintResult {
    PrintOutcome outcome;
    DWORD error;  // the system's reason when refused or unreadable
};

class CLogPrinter {
public:
    // Told before each page is printed (counting from 1); false cancels the job.
    using Progress = std::function<bool(unsigned page, unsigned pages)>;

    CLogPrinter() = default;
    ~CLogPrinter() { EndLogDocument(); }
    CLogPrinter(const CLogPrinter&) = delete;
    CLogPrinter& operator=(const CLogPrinter&) = delete;

    // Takes the device context (released by EndLogDocument), selects the printing font, measures
    // the page and starts the document. False when the device context is null or the document
    // cannot start: everything is released and the system's reason is the last error.
    bool StartLogDocument(HDC dc);
    // Renders the file to the started document and ends it (or abandons it when cancelled or
    // refused), then EndLogDocument.
    PrintResult PrintLog(const char* path, const Progress& progress = nullptr);
    void EndLogDocument();

private:
    void measurePage();
    // False when the device refused the page.
    bool printPage(const PrintedPage& lines, const char* const header[3], unsigned number, unsigned pages);

    using UniqueDC = fw::UniqueHandle<fw::NullHandleTraits<HDC, DeleteDC>>;
    UniqueDC m_dc;
    fw::UniqueFont m_font;
    HGDIOBJ m_previousFont = nullptr;
    RECT m_area{};
    int m_lineHeight = 1;
    int m_bodyLines = 1;
    int m_charsPerLine = 1;
    int m_charWidth = 1;
};
