#include "app/CommandLine.h"

#include <cwchar>

#include "framework/AnsiText.h"
#include "framework/StringTable.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kLongestTimeoutSeconds = 86400;

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "/name" or "/name:value", the name without regard to case; value receives what follows.
bool IsSwitch(const std::wstring& argument, const wchar_t* name, std::wstring& value, bool& hasValue) {
    const size_t length = std::wcslen(name);
    if (argument.size() < length + 1 || argument[0] != L'/' || _wcsnicmp(argument.c_str() + 1, name, length) != 0)
        return false;
    const wchar_t next = argument.c_str()[length + 1];
    if (next != L'\0' && next != L':') return false;
    hasValue = next == L':';
    value = hasValue ? argument.substr(length + 2) : std::wstring();
    return true;
}

std::vector<std::string> SplitTests(const std::string& list) {
    std::vector<std::string> tests;
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        const std::string name = Trimmed(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!name.empty()) tests.push_back(name);
        if (comma == std::string::npos) return tests;
        start = comma + 1;
    }
}

bool ParseSeconds(const std::wstring& text, DWORD& seconds) {
    if (text.empty() || text.size() > 6) return false;
    DWORD value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return false;
        value = value * 10 + static_cast<DWORD>(c - L'0');
    }
    if (value < 1 || value > kLongestTimeoutSeconds) return false;
    seconds = value;
    return true;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::wstring>& arguments) {
    CommandLine line;
    bool timeoutGiven = false;
    std::string modeName;  // as typed after "/auto:"
    for (const std::wstring& argument : arguments) {
        std::wstring value;
        bool hasValue = false;
        if (argument == L"/?") {
            line.help = true;
        } else if (IsSwitch(argument, L"auto", value, hasValue)) {
            modeName = fw::Narrowed(value);
            if (!hasValue || _wcsicmp(value.c_str(), L"typical") == 0) {
                line.mode = CommandLine::Mode::Typical;
            } else if (_wcsicmp(value.c_str(), L"full") == 0) {
                line.mode = CommandLine::Mode::Full;
            } else {
                line.error = fw::FormattedString(IDS_CMD_BAD_MODE, modeName.c_str());
                return line;
            }
        } else if (IsSwitch(argument, L"tests", value, hasValue)) {
            line.tests = SplitTests(fw::Narrowed(value));
            if (line.tests.empty()) {
                line.error = fw::LoadedString(IDS_CMD_NO_TESTS);
                return line;
            }
        } else if (IsSwitch(argument, L"timeout", value, hasValue)) {
            timeoutGiven = true;
            if (!ParseSeconds(value, line.pageTimeoutSeconds)) {
                line.error = fw::FormattedString(IDS_CMD_BAD_TIMEOUT, fw::Narrowed(value).c_str());
                return line;
            }
        } else if (IsSwitch(argument, L"log", value, hasValue)) {
            line.logPath = value;
            if (value.empty()) {
                line.error = fw::LoadedString(IDS_CMD_EMPTY_LOG);
                return line;
            }
        } else {
            line.error = fw::FormattedString(IDS_CMD_NOT_UNDERSTOOD, fw::Narrowed(argument).c_str());
            return line;
        }
    }
    if (!line.tests.empty()) {
        // A plain /auto may stand beside the list; a mode of its own would contradict it.
        if (!modeName.empty()) {
            line.error = fw::FormattedString(IDS_CMD_TESTS_WITH_MODE, modeName.c_str());
            return line;
        }
        line.mode = CommandLine::Mode::Custom;
    }
    if (!line.unattended() && timeoutGiven) line.error = fw::LoadedString(IDS_CMD_TIMEOUT_ALONE);
    return line;
}

// No argument of ours holds a double quote, so a backslash is always itself: the system's rules
// would take the one that ends a quoted folder ("/log:C:\My Logs\") as an escaped quote.
std::vector<std::wstring> SplitCommandLine(const std::wstring& line) {
    std::vector<std::wstring> arguments;
    std::wstring argument;
    bool quoted = false, started = false;
    for (wchar_t c : line) {
        if (c == L'"') {
            quoted = !quoted;
            started = true;
        } else if ((c == L' ' || c == L'\t') && !quoted) {
            if (started) arguments.push_back(argument);
            argument.clear();
            started = false;
        } else {
            argument += c;
            started = true;
        }
    }
    if (started) arguments.push_back(argument);
    return arguments;
}

CommandLine ParseProcessCommandLine() {
    std::vector<std::wstring> arguments = SplitCommandLine(GetCommandLineW());
    if (!arguments.empty()) arguments.erase(arguments.begin());  // the program
    return ParseCommandLine(arguments);
}

std::wstring FleetLogName(const std::wstring& computer, const SYSTEMTIME& time) {
    wchar_t stamp[32];
    swprintf(stamp, 32, L"-%04u%02u%02u-%02u%02u%02u.log", time.wYear, time.wMonth, time.wDay, time.wHour,
             time.wMinute, time.wSecond);
    return computer + stamp;
}

std::wstring ResolveLogPath(const std::wstring& path) {
    if (path.empty() || path.back() != L'\\') return path;
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    GetComputerNameW(computer, &length);
    SYSTEMTIME now;
    GetLocalTime(&now);
    return path + FleetLogName(computer, now);
}
