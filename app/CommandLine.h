// What the command line asks for: an interactive session, or an unattended one with its tests,
// its time bound per page and the log's place. Parsed apart from any window, so that the rules
// are tested without running a session.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct CommandLine {
    enum class Mode { Interactive, Typical, Full, Custom };

    Mode mode = Mode::Interactive;
    // The tests of a Custom run, "Library.Test" as typed.
    std::vector<std::string> tests;
    DWORD pageTimeoutSeconds = 300;
    // Where the log goes; empty: the usual place. A path ending in a backslash is a folder.
    std::wstring logPath;
    bool help = false;
    // Not empty: the command line is bad; the text names what is wrong.
    std::string error;

    bool unattended() const { return mode != Mode::Interactive; }
};

// The arguments after the program's name, as the system splits them.
CommandLine ParseCommandLine(const std::vector<std::wstring>& arguments);
// A command line split at spaces outside double quotes; the quotes go, backslashes stay.
std::vector<std::wstring> SplitCommandLine(const std::wstring& line);
// The process's own command line.
CommandLine ParseProcessCommandLine();

// The file name of a log written into a folder shared by many machines:
// "<COMPUTERNAME>-<yyyymmdd-hhmmss>.log".
std::wstring FleetLogName(const std::wstring& computer, const SYSTEMTIME& time);
// The log's full path: the folder's own name for the machine, or the path itself.
std::wstring ResolveLogPath(const std::wstring& path);
