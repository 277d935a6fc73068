#include "gallery/Remote.h"

#include <cstring>

namespace gallery {

namespace {
// A block of memory in the process that owns a window, freed when it goes out of scope.
class RemoteBlock {
public:
    RemoteBlock(HWND window, size_t size) : m_size(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process) m_address = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBlock() {
        if (m_address) VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        if (m_process) CloseHandle(m_process);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool valid() const { return m_address != nullptr; }
    char* address() const { return static_cast<char*>(m_address); }
    bool write(const void* data, size_t size) const {
        return size <= m_size && WriteProcessMemory(m_process, m_address, data, size, nullptr);
    }
    bool read(void* data, size_t size) const {
        return size <= m_size && ReadProcessMemory(m_process, m_address, data, size, nullptr);
    }

private:
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
    size_t m_size;
};

HTREEITEM Next(HWND tree, HTREEITEM item, UINT relation) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// A rectangle asked of a control with its first field carrying the question (an item or a code).
bool RemoteRect(HWND control, UINT message, WPARAM wParam, const void* question, size_t size, POINT& centre) {
    RemoteBlock block(control, sizeof(RECT));
    RECT rect{};
    std::memcpy(&rect, question, size);
    if (!block.valid() || !block.write(&rect, sizeof rect) ||
        !SendMessageA(control, message, wParam, reinterpret_cast<LPARAM>(block.address())) || !block.read(&rect, sizeof rect))
        return false;
    centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    return ClientToScreen(control, &centre) != FALSE;
}
}  // namespace

std::string TreeItemText(HWND tree, HTREEITEM item) {
    constexpr size_t kTextSize = 260;
    RemoteBlock block(tree, sizeof(TVITEMA) + kTextSize);
    TVITEMA record{};
    record.mask = TVIF_TEXT;
    record.hItem = item;
    record.pszText = block.address() + sizeof record;
    record.cchTextMax = kTextSize;
    std::vector<char> all(sizeof record + kTextSize);
    if (!block.valid() || !block.write(&record, sizeof record) ||
        !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(block.address())) ||
        !block.read(all.data(), all.size()))
        return std::string();
    all.back() = '\0';
    return all.data() + sizeof record;
}

HTREEITEM TreeItemByPath(HWND tree, const std::vector<std::string>& labels) {
    HTREEITEM item = nullptr;
    for (const std::string& label : labels) {
        // A tree may fill a branch only when it is first opened, as it does for the user.
        if (item) SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        HTREEITEM child = item ? Next(tree, item, TVGN_CHILD) : Next(tree, nullptr, TVGN_ROOT);
        while (child && TreeItemText(tree, child) != label) child = Next(tree, child, TVGN_NEXT);
        if (!child) return nullptr;
        item = child;
    }
    return item;
}

bool TreeItemCentre(HWND tree, HTREEITEM item, POINT& screen) {
    return RemoteRect(tree, TVM_GETITEMRECT, TRUE, &item, sizeof item, screen);
}

bool TreeCheckBoxPoint(HWND tree, HTREEITEM item, POINT& client) {
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    POINT centre{};
    if (!TreeItemCentre(tree, item, centre) || !ScreenToClient(tree, &centre)) return false;
    // Left of the text lie the item's image and, further left, its state image.
    RemoteBlock block(tree, sizeof(TVHITTESTINFO));
    for (int x = centre.x; x >= 0 && block.valid(); x -= 2) {
        TVHITTESTINFO hit{};
        hit.pt = {x, centre.y};
        if (!block.write(&hit, sizeof hit)) return false;
        SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(block.address()));
        if (!block.read(&hit, sizeof hit)) return false;
        if (hit.hItem == item && (hit.flags & TVHT_ONITEMSTATEICON)) {
            client = hit.pt;
            return true;
        }
    }
    return false;
}

std::vector<HTREEITEM> TreeRoots(HWND tree) {
    std::vector<HTREEITEM> roots;
    for (HTREEITEM root = Next(tree, nullptr, TVGN_ROOT); root; root = Next(tree, root, TVGN_NEXT)) roots.push_back(root);
    return roots;
}

bool ListItemCentre(HWND list, int row, POINT& screen) {
    const LONG code = LVIR_LABEL;
    return RemoteRect(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), &code, sizeof code, screen);
}

}  // namespace gallery
