#include "framework/ResourceBlock.h"

#include <utility>

CResourceBlock::CResourceBlock(HMODULE module, UINT id, LPCSTR type)
    : m_module(module ? module : GetModuleHandleA(nullptr)) {
    HRSRC info = FindResourceA(m_module, MAKEINTRESOURCEA(id), type);
    if (!info) return;
    m_loaded = LoadResource(m_module, info);
    if (!m_loaded) return;
    m_data = static_cast<const BYTE*>(LockResource(m_loaded));
    m_size = m_data ? SizeofResource(m_module, info) : 0;
}

CResourceBlock::~CResourceBlock() { release(); }

CResourceBlock::CResourceBlock(CResourceBlock&& other) noexcept
    : m_module(std::exchange(other.m_module, nullptr)),
      m_loaded(std::exchange(other.m_loaded, nullptr)),
      m_data(std::exchange(other.m_data, nullptr)),
      m_size(std::exchange(other.m_size, 0)) {}

CResourceBlock& CResourceBlock::operator=(CResourceBlock&& other) noexcept {
    if (this != &other) {
        release();
        m_module = std::exchange(other.m_module, nullptr);
        m_loaded = std::exchange(other.m_loaded, nullptr);
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

void CResourceBlock::release() {
    if (m_loaded) FreeResource(m_loaded);
    m_loaded = nullptr;
    m_data = nullptr;
    m_size = 0;
}
