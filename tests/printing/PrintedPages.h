// What a printed job says: the texts on each page of the PostScript that Wine's driver spooled
// to the scheduler of scripts/with-cups.sh (its spool folder is ZELKOR_PRINT_SPOOL).
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace printing {

using Page = std::vector<std::string>;  // the texts drawn, in order; the footer last

// The driver names each glyph: letters stand for themselves, digits, space and full stop are
// spelt out; anything else reads as '?', as Printable makes it.
inline std::string Printable(std::string text) {
    for (char& c : text)
        if (!isalnum(static_cast<unsigned char>(c)) && c != ' ' && c != '.') c = '?';
    return text;
}

inline std::vector<Page> ReadPostScript(const std::filesystem::path& job) {
    static const std::map<std::string, char> names = {
        {"space", ' '}, {"zero", '0'}, {"one", '1'},   {"two", '2'},   {"three", '3'}, {"four", '4'},
        {"five", '5'},  {"six", '6'},  {"seven", '7'}, {"eight", '8'}, {"nine", '9'},  {"period", '.'}};
    std::ifstream file(job, std::ios::binary);
    std::vector<Page> pages;
    bool moved = false;  // a "moveto" before glyphs starts a new text
    for (std::string line; std::getline(file, line);) {
        const size_t space = line.rfind(' ');
        const std::string op = space == std::string::npos ? line : line.substr(space + 1);
        if (line.rfind("%%Page:", 0) == 0) pages.emplace_back();
        if (op == "moveto") moved = true;
        if (op != "glyphshow" || line[0] != '/' || pages.empty()) continue;
        if (moved || pages.back().empty()) pages.back().emplace_back();
        moved = false;
        const std::string name = line.substr(1, space - 1);
        const auto known = names.find(name);
        pages.back().back() += name.size() == 1 && isalpha(static_cast<unsigned char>(name[0])) ? name[0]
                               : known != names.end()                                            ? known->second
                                                                                                 : '?';
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
