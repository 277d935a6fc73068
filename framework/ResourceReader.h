// A bounded reader over resource data: packed little-endian numbers and zero-terminated texts.
// Resource data can come from any file, so every read checks the end first; a read that would
// pass it fails and leaves the position where it was. Portable, no Windows headers: the
// parsers built on it also build natively for fuzzing.
#pragma once
#include <cstddef>
#include <cstdint>

namespace fw {

class ResourceReader {
public:
    ResourceReader(const void* data, size_t size)
        : m_pos(static_cast<const uint8_t*>(data)), m_end(m_pos + (data ? size : 0)) {}

    bool readWord(uint16_t& value);
    bool readDword(uint32_t& value);
    // The text stays in the resource; fails when no zero byte comes before the end.
    bool readText(const char*& text);
    // Steps over count bytes and hands back where they start.
    bool readBytes(uint32_t count, const uint8_t*& bytes);
    // The next 16 bits without moving on: lists end with a 16-bit zero.
    bool peekWord(uint16_t& value) const;

    size_t remaining() const { return static_cast<size_t>(m_end - m_pos); }

private:
    const uint8_t* m_pos;
    const uint8_t* m_end;
};

}  // namespace fw
