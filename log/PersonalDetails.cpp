#include "log/PersonalDetails.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <cstring>

#include "framework/AsciiCase.h"
#include "log/DetailHider.h"

namespace {

const char kMapHeader[] = "Zelkor placeholders 1";
const std::string_view kKindNames[] = {"user", "computer", "email", "ipv4", "ipv6"};

// A map of thousands is read back in every session: no formatting by format string.
std::string numbered(std::string_view before, unsigned number, std::string_view after = {}, int base = 10) {
    char digits[16];
    char* const end = std::to_chars(digits, digits + sizeof digits, number, base).ptr;
    std::string text;
    text.reserve(before.size() + 16 + after.size());
    return text.append(before).append(digits, static_cast<size_t>(end - digits)).append(after);
}

std::string placeholder(DetailKind kind, unsigned number) {
    // The three IPv4 networks kept for documentation, one after the other.
    static const char* const networks[] = {"192.0.2.", "198.51.100.", "203.0.113."};
    switch (kind) {
    case DetailKind::User:
        return numbered("user", number);
    case DetailKind::Computer:
        return numbered("computer", number);
    case DetailKind::Email:
        return numbered("name", number, "@example.invalid");
    case DetailKind::Ipv4:
        return number <= 3 * 254 ? numbered(networks[(number - 1) / 254], (number - 1) % 254 + 1)
                                 : numbered("ipv4-", number);
    case DetailKind::Ipv6:
        return numbered("2001:db8::", number, {}, 16);
    }
    return {};
}

// Four bytes at a time, each letter's case bit set: the same for originals that differ only in
// the case of their letters.
uint32_t hashOf(DetailKind kind, std::string_view original) {
    uint32_t hash = 0x9E3779B9u * (static_cast<uint32_t>(kind) + 1);
    size_t at = 0;
    for (uint32_t word; at + 4 <= original.size(); at += 4) {
        memcpy(&word, original.data() + at, 4);
        hash = ((hash ^ (word | 0x20202020u)) * 0x01000193u);
        hash ^= hash >> 15;
    }
    for (; at < original.size(); ++at) hash = (hash ^ (static_cast<unsigned char>(original[at]) | 0x20u)) * 0x01000193u;
    // Every bit of the original reaches the low bits, which pick the slot.
    hash = (hash ^ (hash >> 16)) * 0x85EBCA6Bu;
    hash = (hash ^ (hash >> 13)) * 0xC2B2AE35u;
    return hash ^ (hash >> 16);
}

}  // namespace

bool CPlaceholderMap::Load(std::string_view text) {
    CPlaceholderMap loaded;
    const size_t headerEnd = text.find("\r\n");
    if (headerEnd == std::string_view::npos || text.substr(0, headerEnd) != kMapHeader) return false;
    text.remove_prefix(headerEnd + 2);
    // A line for each entry: room for them all at once, not moved again and again.
    loaded.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
    while (!text.empty()) {
        const size_t lineEnd = text.find("\r\n");
        if (lineEnd == std::string_view::npos) return false;
        const std::string_view line = text.substr(0, lineEnd);
        text.remove_prefix(lineEnd + 2);
        const size_t first = line.find('\t'), second = line.find('\t', first + 1);
        if (first == std::string_view::npos || second == std::string_view::npos) return false;
        const std::string_view kindName = line.substr(0, first), original = line.substr(second + 1);
        const auto kind = std::find(std::begin(kKindNames), std::end(kKindNames), kindName);
        if (kind == std::end(kKindNames) || original.empty() || original.find('\t') != std::string_view::npos)
            return false;
        // Each kind's placeholders are numbered in order: any other is a file changed by hand.
        const auto detail = static_cast<DetailKind>(kind - std::begin(kKindNames));
        const size_t count = loaded.size();
        if (loaded.PlaceholderFor(detail, original) != line.substr(first + 1, second - first - 1) ||
            loaded.size() == count)
            return false;
    }
    *this = std::move(loaded);
    return true;
}

std::string CPlaceholderMap::Text() const {
    std::string text = std::string(kMapHeader) + "\r\n";
    for (const Entry& entry : m_entries)
        text.append(kKindNames[static_cast<int>(entry.kind)]).append(1, '\t').append(entry.placeholder).append(1, '\t')
            .append(entry.original).append("\r\n");
    return text;
}

const std::string& CPlaceholderMap::PlaceholderFor(DetailKind kind, std::string_view original) {
    const uint32_t hash = hashOf(kind, original);
    const size_t mask = m_slots.size() - 1;
    size_t slot = hash & mask;
    for (; !m_slots.empty() && m_slots[slot]; slot = (slot + 1) & mask) {
        const Entry& entry = m_entries[m_slots[slot] - 1];
        if (entry.hash == hash && entry.kind == kind && fw::EqualIgnoringCase(entry.original, original))
            return entry.placeholder;
    }
    m_entries.push_back({kind, placeholder(kind, ++m_counts[static_cast<int>(kind)]), std::string(original), hash});
    if (m_entries.size() * 2 > m_slots.size())
        reserve(m_entries.size());
    else
        m_slots[slot] = static_cast<uint32_t>(m_entries.size());
    return m_entries.back().placeholder;
}

void CPlaceholderMap::reserve(size_t entries) {
    m_entries.reserve(entries);
    size_t slots = 64;
    while (slots < 2 * entries) slots *= 2;
    if (slots <= m_slots.size()) return;
    m_slots.assign(slots, 0);
    for (size_t entry = 0; entry < m_entries.size(); ++entry) index(entry);
}

void CPlaceholderMap::index(size_t entry) {
    const size_t mask = m_slots.size() - 1;
    size_t slot = m_entries[entry].hash & mask;
    while (m_slots[slot]) slot = (slot + 1) & mask;
    m_slots[slot] = static_cast<uint32_t>(entry + 1);
}

MachineNames CurrentMachineNames() {
    char user[256 + 1] = {}, computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD userSize = sizeof user, computerSize = sizeof computer;
    MachineNames names;
    if (GetUserNameA(user, &userSize)) names.user = user;
    if (GetComputerNameA(computer, &computerSize)) names.computer = computer;
    return names;
}

size_t LogHeaderLength(std::string_view log) {
    const size_t end = log.find("\r\n\r\n");
    return end == std::string_view::npos ? 0 : end + 4;
}

std::string HidePersonalDetails(std::string_view text, size_t keep, const MachineNames& names, CPlaceholderMap& map) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    const auto put = [&out](std::string_view part) { out.append(part); };
    detail_hiding::hideDetails(text, keep, names, map, put);
    return out;
}
