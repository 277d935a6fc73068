#include "framework/TreeCtrl.h"

#include "framework/Window.h"

namespace fw {

bool CTreeCtrl::Create(HWND parent, UINT id, DWORD style, DWORD exStyle) {
    m_window.reset(CreateChildControl(WC_TREEVIEWA, parent, id, style, exStyle));
    return m_window.valid();
}

void CTreeCtrl::SetImageList(HIMAGELIST images) const { TreeView_SetImageList(hwnd(), images, TVSIL_NORMAL); }

HTREEITEM CTreeCtrl::InsertItem(HTREEITEM parent, const std::string& text, int image, LPARAM data) const {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    insert.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(hwnd(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

std::string CTreeCtrl::Text(HTREEITEM item) const {
    char text[0x200] = {};  // key names are at most 255 characters; display names are short
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = sizeof text;
    SendMessageA(hwnd(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    return text;
}

LPARAM CTreeCtrl::Data(HTREEITEM item) const {
    TVITEMA query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    SendMessageA(hwnd(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    return query.lParam;
}

void CTreeCtrl::SetImage(HTREEITEM item, int image) const {
    TVITEMA change{};
    change.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    change.hItem = item;
    change.iImage = image;
    change.iSelectedImage = image;
    SendMessageA(hwnd(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

bool CTreeCtrl::IsExpanded(HTREEITEM item) const {
    return (TreeView_GetItemState(hwnd(), item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

HTREEITEM CTreeCtrl::HitTest(POINT point) const {
    TVHITTESTINFO test{};
    test.pt = point;
    const HTREEITEM item = TreeView_HitTest(hwnd(), &test);
    return (test.flags & TVHT_ONITEM) ? item : nullptr;
}

void CTreeCtrl::SetRedraw(bool on) const {
    SendMessageA(hwnd(), WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on) InvalidateRect(hwnd(), nullptr, TRUE);
}

}  // namespace fw
