#include "framework/ResourceReader.h"

#include <cstring>

namespace fw {

bool ResourceReader::peekWord(uint16_t& value) const {
    if (remaining() < 2) return false;
    value = static_cast<uint16_t>(m_pos[0] | m_pos[1] << 8);
    return true;
}

bool ResourceReader::readWord(uint16_t& value) {
    if (!peekWord(value)) return false;
    m_pos += 2;
    return true;
}

bool ResourceReader::readDword(uint32_t& value) {
    if (remaining() < 4) return false;
    value = static_cast<uint32_t>(m_pos[0]) | static_cast<uint32_t>(m_pos[1]) << 8 |
            static_cast<uint32_t>(m_pos[2]) << 16 | static_cast<uint32_t>(m_pos[3]) << 24;
    m_pos += 4;
    return true;
}

bool ResourceReader::readText(const char*& text) {
    if (remaining() == 0) return false;
    const void* terminator = std::memchr(m_pos, 0, remaining());
    if (!terminator) return false;
    text = reinterpret_cast<const char*>(m_pos);
    m_pos = static_cast<const uint8_t*>(terminator) + 1;
    return true;
}

bool ResourceReader::readBytes(uint32_t count, const uint8_t*& bytes) {
    if (remaining() < count) return false;
    bytes = m_pos;
    m_pos += count;
    return true;
}

}  // namespace fw
