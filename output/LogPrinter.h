// Prints the session log on a device context: fixed-pitch lines cut at the page's width, a
// centred page number at the foot of every page.
#pragma once
#include <windows.h>

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

class CLogPrinter {
public:
    CLogPrinter() = default;
    ~CLogPrinter() { EndLogDocument(); }
    CLogPrinter(const CLogPrinter&) = delete;
    CLogPrinter& operator=(const CLogPrinter&) = delete;

    // Takes the device context (released by EndLogDocument), selects the printing font, measures
    // the page and starts the document. False, everything released, when the document cannot start.
    bool StartLogDocument(HDC dc);
    // Renders the file to the started document, then ends the document and EndLogDocument.
    void PrintLog(const char* path);
    void EndLogDocument();

private:
    void measurePage();

    HDC m_dc = nullptr;
    HFONT m_font = nullptr;
    HGDIOBJ m_previousFont = nullptr;
    int m_lineHeight = 1;
    int m_linesPerPage = 0;
    int m_pageWidth = 0;
    int m_charsPerLine = 1;
};
