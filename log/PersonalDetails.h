// Personal details in a saved log replaced by placeholders: the Windows user name (also as a
// folder under \Users\), the computer name, e-mail addresses and IPv4 and IPv6 addresses. The
// same original always gets the same placeholder; the map from one to the other stays on this
// machine, in a file beside the log, so that the user can read support's answers.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

enum class DetailKind { User, Computer, Email, Ipv4, Ipv6 };

class CPlaceholderMap {
public:
    // The text of a map file. A text that is not a map as this program writes it is not
    // trusted: false, and the map stays empty.
    bool Load(std::string_view text);
    std::string Text() const;
    // The original's placeholder; a new one when it has none yet. Letter case does not matter.
    const std::string& PlaceholderFor(DetailKind kind, std::string_view original);
    size_t size() const { return m_entries.size(); }

private:
    struct Entry {
        DetailKind kind;
        std::string placeholder, original;
    };
    std::vector<Entry> m_entries;
    std::unordered_map<std::string, size_t> m_byOriginal;  // kind and folded original
    std::string m_key;  // reused: a log has many details, mostly the same few
    unsigned m_counts[5] = {};
};

struct MachineNames {
    std::string user, computer;
};

// This machine's user and computer names.
MachineNames CurrentMachineNames();
// Where the user's own details at the head of a log end: after its first empty line. They stay
// as typed, since support needs them to call back.
size_t LogHeaderLength(std::string_view log);
// The text with every personal detail after its first `keep` bytes replaced.
std::string HidePersonalDetails(std::string_view text, size_t keep, const MachineNames& names, CPlaceholderMap& map);

// The map's file, beside the log.
std::string PlaceholderMapFileName(const std::string& logPath);
// Rewrites the saved log with its details hidden, the map kept first; the log as it was goes to
// `original`. The system's error code, 0 when done; on failure the log is as it was.
DWORD HideDetailsInLog(const std::string& logPath, std::string& original);
