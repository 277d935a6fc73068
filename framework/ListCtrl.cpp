#include "framework/ListCtrl.h"

#include <vector>

#include "framework/Window.h"

namespace fw {

bool CListCtrl::Create(HWND parent, UINT id, DWORD style, DWORD exStyle) {
    m_window.reset(CreateChildControl(WC_LISTVIEWA, parent, id, style, exStyle));
    return m_window.valid();
}

void CListCtrl::InsertColumn(int column, const std::string& heading, int width) const {
    LVCOLUMNA insert{};
    insert.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    insert.pszText = const_cast<char*>(heading.c_str());
    insert.cx = width;
    insert.iSubItem = column;
    SendMessageA(hwnd(), LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&insert));
}

int CListCtrl::InsertRow(int row, const std::string& text, int image) const {
    LVITEMA insert{};
    insert.mask = LVIF_TEXT | LVIF_IMAGE;
    insert.iItem = row;
    insert.pszText = const_cast<char*>(text.c_str());
    insert.iImage = image;
    return static_cast<int>(SendMessageA(hwnd(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void CListCtrl::SetText(int row, int column, const std::string& text) const {
    LVITEMA change{};
    change.iSubItem = column;
    change.pszText = const_cast<char*>(text.c_str());
    SendMessageA(hwnd(), LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&change));
}

std::string CListCtrl::Text(int row, int column) const {
    // Doubling until the text fits: value names may be long.
    for (size_t capacity = 0x200;; capacity *= 2) {
        std::vector<char> text(capacity);
        LVITEMA query{};
        query.iSubItem = column;
        query.pszText = text.data();
        query.cchTextMax = static_cast<int>(capacity);
        const LRESULT length = SendMessageA(hwnd(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&query));
        if (static_cast<size_t>(length) + 1 < capacity || capacity >= 0x10000) return std::string(text.data());
    }
}

int CListCtrl::HitTest(POINT point) const {
    LVHITTESTINFO test{};
    test.pt = point;
    const int row = ListView_HitTest(hwnd(), &test);
    return (test.flags & LVHT_ONITEM) ? row : -1;
}

}  // namespace fw
