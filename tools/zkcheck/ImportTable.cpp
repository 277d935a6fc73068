#include "tools/zkcheck/ImportTable.h"

#include <cstring>

namespace {

// The image's bytes, with every relative address checked against its size.
class MappedImage {
public:
    explicit MappedImage(HMODULE module) : m_base(reinterpret_cast<const BYTE*>(module)) {
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(m_base);
        if (dos->e_magic != IMAGE_DOS_SIGNATURE) return;
        m_nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(m_base + dos->e_lfanew);
        if (m_nt->Signature != IMAGE_NT_SIGNATURE) m_nt = nullptr;
    }

    // What lies at the relative address, when `size` bytes fit there; null otherwise.
    template <class T>
    const T* at(DWORD rva, size_t size = sizeof(T)) const {
        if (!m_nt || rva == 0 || rva >= m_nt->OptionalHeader.SizeOfImage ||
            size > m_nt->OptionalHeader.SizeOfImage - rva)
            return nullptr;
        return reinterpret_cast<const T*>(m_base + rva);
    }
    // A NUL-terminated name inside the image; null when it runs past its end.
    const char* name(DWORD rva) const {
        const char* text = at<char>(rva);
        if (!text) return nullptr;
        const size_t room = m_nt->OptionalHeader.SizeOfImage - rva;
        return strnlen(text, room) < room ? text : nullptr;
    }
    const IMAGE_DATA_DIRECTORY* imports() const {
        return m_nt ? &m_nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT] : nullptr;
    }

private:
    const BYTE* m_base;
    const IMAGE_NT_HEADERS* m_nt = nullptr;
};

}  // namespace

bool ImportsFunction(HMODULE module, const char* fromModule, const char* function) {
    const MappedImage image(module);
    const IMAGE_DATA_DIRECTORY* directory = image.imports();
    if (!directory) return false;
    for (DWORD offset = directory->VirtualAddress;; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto* descriptor = image.at<IMAGE_IMPORT_DESCRIPTOR>(offset);
        if (!descriptor || descriptor->Name == 0) return false;
        const char* dll = image.name(descriptor->Name);
        if (!dll || lstrcmpiA(dll, fromModule) != 0) continue;
        // Unresolved, both thunk lists name the functions; the first may be absent.
        DWORD thunks = descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk : descriptor->FirstThunk;
        for (;; thunks += sizeof(IMAGE_THUNK_DATA)) {
            const auto* thunk = image.at<IMAGE_THUNK_DATA>(thunks);
            if (!thunk || thunk->u1.AddressOfData == 0) break;
            if (IMAGE_SNAP_BY_ORDINAL(thunk->u1.Ordinal)) continue;
            const char* name = image.name(static_cast<DWORD>(thunk->u1.AddressOfData) + 2);  // after the hint
            if (name && std::strstr(name, function)) return true;
        }
    }
}
