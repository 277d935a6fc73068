// Personal details in a saved log replaced by placeholders: the Windows user name (also as a
// folder under \Users\), the computer name, e-mail addresses and IPv4 and IPv6 addresses. The
// same original always gets the same placeholder; the map from one to the other stays on this
// machine, in a file beside the log, so that the user can read support's answers.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
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
        uint32_t hash;
    };
    void index(size_t entry);
    // Room for that many entries, their slots at most half full.
    void reserve(size_t entries);

    std::vector<Entry> m_entries;
    // Entry numbers plus one by the hash of their kind and original, 0 where free; a power of
    // two long and at most half full. A log has many details, mostly the same few: the look-up
    // reads the original once and builds nothing.
    std::vector<uint32_t> m_slots;
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
