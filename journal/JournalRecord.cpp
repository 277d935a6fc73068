#include "journal/JournalRecord.h"

#include <array>
#include <cstdio>
#include <sstream>

#include "framework/StringTable.h"
#include "log/LogLayout.h"
#include "registry/RegistryDataText.h"
#include "registry/RegistryKey.h"
#include "registry/SettingsStore.h"
#include "resources/resource.h"

const char kJournalHeader[] = "ZELKOR JOURNAL 1";
const char kJournalClosed[] = "E";

namespace {
// A byte at a time from a table: a record of a large value is a long line.
uint32_t Crc32(const std::string& text) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> entries{};
        for (uint32_t byte = 0; byte < 256; ++byte) {
            uint32_t crc = byte;
            for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
            entries[byte] = crc;
        }
        return entries;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (const unsigned char byte : text) crc = (crc >> 8) ^ table[(crc ^ byte) & 0xFF];
    return ~crc;
}

std::string Sealed(std::string text) {
    char seal[16];
    std::snprintf(seal, sizeof seal, " #%08lx\r\n", static_cast<unsigned long>(Crc32(text)));
    text += seal;
    return text;
}

// A text field: ':' and the text, every byte outside printable ASCII (and space, '%') as %XX.
void PutText(std::string& out, const std::string& text) {
    out += " :";
    for (const unsigned char c : text) {
        if (c > ' ' && c < 0x7F && c != '%') {
            out += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            out += escaped;
        }
    }
}

void PutNumber(std::string& out, unsigned long number) {
    char text[16];
    std::snprintf(text, sizeof text, " %lx", number);
    out += text;
}

void PutData(std::string& out, DWORD type, const std::string& data) {
    PutNumber(out, type);
    out += '=';
    static const char digits[] = "0123456789abcdef";
    size_t at = out.size();
    out.resize(at + 2 * data.size());
    for (const unsigned char c : data) {
        out[at++] = digits[c >> 4];
        out[at++] = digits[c & 15];
    }
}

void PutState(std::string& out, const ValueState& state) {
    if (state.exists)
        PutData(out, state.type, state.data);
    else
        out += " -";
}

// Reads the fields back; any malformed field makes the whole line fail.
class Fields {
public:
    explicit Fields(const std::string& text) : m_in(text) {}
    bool ok() const { return m_ok; }
    bool atEnd() { return m_ok && (m_in >> std::ws).eof(); }

    std::string token() {
        std::string word;
        if (!(m_in >> word)) m_ok = false;
        return word;
    }
    unsigned long number() {
        const std::string word = token();
        char* end = nullptr;
        const unsigned long value = std::strtoul(word.c_str(), &end, 16);
        if (word.empty() || *end) m_ok = false;
        return value;
    }
    std::string text() {
        const std::string word = token();
        if (word.empty() || word[0] != ':') m_ok = false;
        std::string out;
        for (size_t i = 1; m_ok && i < word.size(); ++i) {
            if (word[i] != '%') {
                out += word[i];
                continue;
            }
            out += static_cast<char>(hexByte(word, i + 1));
            i += 2;
        }
        return out;
    }
    // "TYPE=HEX": the type and the bytes.
    void data(DWORD& type, std::string& bytes) {
        const std::string word = token();
        const size_t equals = word.find('=');
        if (equals == std::string::npos || equals == 0 || (word.size() - equals - 1) % 2) {
            m_ok = false;
            return;
        }
        char* end = nullptr;
        type = std::strtoul(word.substr(0, equals).c_str(), &end, 16);
        if (*end) m_ok = false;
        bytes.clear();
        for (size_t i = equals + 1; m_ok && i < word.size(); i += 2) bytes += static_cast<char>(hexByte(word, i));
    }
    ValueState state() {
        ValueState state;
        if (m_in >> std::ws && m_in.peek() == '-') {
            token();
            return state;
        }
        state.exists = true;
        data(state.type, state.data);
        return state;
    }

private:
    int hexByte(const std::string& word, size_t at) {
        int value = 0;
        for (size_t i = at; i < at + 2; ++i) {
            const char c = i < word.size() ? word[i] : '?';
            const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (digit < 0) m_ok = false;
            value = value * 16 + (digit < 0 ? 0 : digit);
        }
        return value;
    }

    std::istringstream m_in;
    bool m_ok = true;
};

bool ParseRecord(const std::string& text, JournalRecord& record) {
    Fields fields(text);
    const std::string kind = fields.token();
    if (kind.size() != 1 || std::string("VCDF").find(kind[0]) == std::string::npos) return false;
    record.kind = static_cast<JournalRecord::Kind>(kind[0]);
    record.root = static_cast<uint32_t>(fields.number());
    record.key = fields.text();
    record.name = fields.text();
    record.before = fields.state();
    record.after = fields.state();
    const unsigned long keys = fields.number();
    for (unsigned long k = 0; k < keys && fields.ok(); ++k) {
        SnapshotKey key;
        key.path = fields.text();
        const unsigned long values = fields.number();
        for (unsigned long v = 0; v < values && fields.ok(); ++v) {
            SnapshotKey::Value value;
            value.name = fields.text();
            fields.data(value.type, value.data);
            key.values.push_back(std::move(value));
        }
        record.subtree.push_back(std::move(key));
    }
    return fields.atEnd();
}

// The line without its seal, or false when the seal is missing or does not match.
bool Unseal(const std::string& line, std::string& text) {
    const size_t mark = line.rfind(" #");
    if (mark == std::string::npos || line.size() - mark != 10) return false;
    text = line.substr(0, mark);
    char expected[16];
    std::snprintf(expected, sizeof expected, "%08lx", static_cast<unsigned long>(Crc32(text)));
    return line.compare(mark + 2, 8, expected) == 0;
}

std::string KeyText(uint32_t root, const std::string& key) { return RootKeyName(SettingsRootKey(root)) + key; }

std::string Escaped(const std::string& text) {
    std::string out;
    AppendEscaped(out, text);
    return out;
}

std::string StateText(const ValueState& state) { return Escaped(ValueDataText(state.type, state.data)); }
}  // namespace

std::string EncodeRecord(const JournalRecord& record) {
    std::string text(1, static_cast<char>(record.kind));
    PutNumber(text, record.root);
    PutText(text, record.key);
    PutText(text, record.name);
    PutState(text, record.before);
    PutState(text, record.after);
    PutNumber(text, static_cast<unsigned long>(record.subtree.size()));
    for (const SnapshotKey& key : record.subtree) {
        PutText(text, key.path);
        PutNumber(text, static_cast<unsigned long>(key.values.size()));
        for (const SnapshotKey::Value& value : key.values) {
            PutText(text, value.name);
            PutData(text, value.type, value.data);
        }
    }
    return Sealed(std::move(text));
}

std::string ClosingLine() { return Sealed(kJournalClosed); }

JournalContent ParseJournal(const std::string& text) {
    JournalContent content;
    const std::string header = std::string(kJournalHeader) + "\r\n";
    if (text.compare(0, header.size(), header) != 0) return content;
    std::vector<JournalRecord> records;
    for (size_t at = header.size(); at < text.size();) {
        const size_t end = text.find("\r\n", at);
        std::string line;
        if (end == std::string::npos || !Unseal(text.substr(at, end - at), line)) return content;
        at = end + 2;
        if (line == kJournalClosed) {
            content.closed = true;
            continue;
        }
        JournalRecord record;
        if (content.closed || !ParseRecord(line, record)) return content;
        records.push_back(std::move(record));
    }
    content.complete = true;
    content.records = std::move(records);
    return content;
}

std::string DescribeChange(const JournalRecord& record) {
    const std::string key = Escaped(KeyText(record.root, record.key));
    const std::string name = Escaped(record.name);
    switch (record.kind) {
    case JournalRecord::Value:
        if (!record.before.exists)
            return fw::FormattedString(IDS_CHANGE_VALUE_CREATED, name.c_str(), key.c_str(), StateText(record.after).c_str());
        if (!record.after.exists)
            return fw::FormattedString(IDS_CHANGE_VALUE_DELETED, name.c_str(), key.c_str(), StateText(record.before).c_str());
        return fw::FormattedString(IDS_CHANGE_VALUE_SET, name.c_str(), key.c_str(), StateText(record.before).c_str(),
                                   StateText(record.after).c_str());
    case JournalRecord::KeyCreated: return fw::FormattedString(IDS_CHANGE_KEY_CREATED, key.c_str());
    case JournalRecord::KeyDeleted: {
        unsigned values = 0;
        for (const SnapshotKey& snapshot : record.subtree) values += static_cast<unsigned>(snapshot.values.size());
        return fw::FormattedString(IDS_CHANGE_KEY_DELETED, key.c_str(), static_cast<unsigned>(record.subtree.size()),
                                   values);
    }
    case JournalRecord::File:
        return fw::FormattedString(IDS_CHANGE_FILE_SAVED, Escaped(record.key).c_str(), Escaped(record.name).c_str());
    }
    return {};
}
