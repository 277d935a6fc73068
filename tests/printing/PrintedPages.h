// What a printed job says: the texts on each page of the PostScript that Wine's driver spooled
// to the scheduler of scripts/with-cups.sh (its spool folder is ZELKOR_PRINT_SPOOL).
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace printing {

using Page = std::vector<std::string>;  // the texts drawn, in order: the header first, the footer last

// The driver names each glyph: letters stand for themselves, digits, space and full stop are
// spelt out; anything else reads as '?', as Printable makes it.
inline std::string Printable(std::string text) {
    for (char& c : text)
        if (!isalnum(static_cast<unsigned char>(c)) && c != ' ' && c != '.') c = '?';
    return text;
}

// A text as it lies on the paper, in points: x from the paper's left edge, y (the baseline) from
// its top edge, and the size of its font.
struct PlacedText {
    std::string text;
    double x = 0, y = 0, points = 0;
};
using PlacedPage = std::vector<PlacedText>;

struct PostScriptJob {
    double paperWidth = 0, paperHeight = 0;  // points, from the page size the job asks for
    std::vector<PlacedPage> pages;
};

// Reads what Wine's driver writes: "72 R div 72 R div scale" and "X Y translate" with "1 -1 scale"
// set device units of R dots an inch from the printable area's corner; "[S 0 0 -S 0 0]" before
// "makefont" is the font's size in device units; "X Y moveto" places the glyphs that follow.
inline PostScriptJob ReadPlacedTexts(const std::filesystem::path& job) {
    static const std::map<std::string, char> names = {
        {"space", ' '}, {"zero", '0'}, {"one", '1'},   {"two", '2'},   {"three", '3'}, {"four", '4'},
        {"five", '5'},  {"six", '6'},  {"seven", '7'}, {"eight", '8'}, {"nine", '9'},  {"period", '.'}};
    std::ifstream file(job, std::ios::binary);
    PostScriptJob read;
    double resolution = 72, originX = 0, originY = 0, matrix = 0, size = 0, atX = 0, atY = 0;
    bool moved = false;  // a "moveto" before glyphs starts a new text
    for (std::string line; std::getline(file, line);) {
        const size_t space = line.rfind(' ');
        const std::string op = space == std::string::npos ? line : line.substr(space + 1);
        double a = 0, b = 0;
        int whole = 0;  // the characters matched, when the whole pattern was
        if (line.rfind("%%Page:", 0) == 0) read.pages.emplace_back();
        if (sscanf(line.c_str(), "<</PageSize[%lf %lf]", &a, &b) == 2) read.paperWidth = a, read.paperHeight = b;
        if (sscanf(line.c_str(), "72 %lf div 72 %*f div scale%n", &a, &whole) == 1 && whole) resolution = a;
        if (op == "translate" && sscanf(line.c_str(), "%lf %lf", &a, &b) == 2) originX = a, originY = b;
        if (sscanf(line.c_str(), "[%lf 0 0 -%*f 0 0]%n", &a, &whole) == 1 && whole) matrix = a;
        if (line == "makefont setfont") size = matrix;
        if (op == "moveto" && sscanf(line.c_str(), "%lf %lf", &a, &b) == 2) moved = true, atX = a, atY = b;
        if (op != "glyphshow" || line[0] != '/' || read.pages.empty()) continue;
        PlacedPage& page = read.pages.back();
        if (moved || page.empty())
            page.push_back({"", (originX + atX) * 72 / resolution,
                            read.paperHeight - (originY - atY) * 72 / resolution, size * 72 / resolution});
        moved = false;
        const std::string name = line.substr(1, space - 1);
        const auto known = names.find(name);
        page.back().text += name.size() == 1 && isalpha(static_cast<unsigned char>(name[0])) ? name[0]
                            : known != names.end()                                            ? known->second
                                                                                              : '?';
    }
    return read;
}

inline std::vector<Page> ReadPostScript(const std::filesystem::path& job) {
    std::vector<Page> pages;
    for (const PlacedPage& placed : ReadPlacedTexts(job).pages) {
        pages.emplace_back();
        for (const PlacedText& text : placed) pages.back().push_back(text.text);
    }
    return pages;
}

// The spooled jobs, oldest first.
inline std::vector<std::filesystem::path> SpooledJobs() {
    std::vector<std::filesystem::path> jobs;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(std::getenv("ZELKOR_PRINT_SPOOL"), ignored))
        if (entry.path().filename().string()[0] == 'd') jobs.push_back(entry.path());
    std::sort(jobs.begin(), jobs.end());
    return jobs;
}

// Whether the job went to that queue: its control file (c plus the job's number) names it.
inline bool JobWentTo(const std::filesystem::path& job, const std::string& queue) {
    const std::string name = job.filename().string();
    std::ifstream file(job.parent_path() / ("c" + name.substr(1, name.find('-') - 1)), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return bytes.find("/printers/" + queue) != std::string::npos;
}

}  // namespace printing
