// One resource found, loaded and locked by id and type in a module, released when destroyed.
// The data stays in the module's image: it is read in place and never copied.
#pragma once
#include <windows.h>

class CResourceBlock {
public:
    CResourceBlock() = default;
    // A null module means the program's own file. type is a type name or MAKEINTRESOURCE number.
    CResourceBlock(HMODULE module, UINT id, LPCSTR type);
    ~CResourceBlock();

    CResourceBlock(CResourceBlock&& other) noexcept;
    CResourceBlock& operator=(CResourceBlock&& other) noexcept;
    CResourceBlock(const CResourceBlock&) = delete;
    CResourceBlock& operator=(const CResourceBlock&) = delete;

    bool valid() const { return m_data != nullptr; }
    const BYTE* data() const { return m_data; }
    DWORD size() const { return m_size; }
    HMODULE module() const { return m_module; }

private:
    void release();

    HMODULE m_module = nullptr;
    HGLOBAL m_loaded = nullptr;
    const BYTE* m_data = nullptr;
    DWORD m_size = 0;
};
