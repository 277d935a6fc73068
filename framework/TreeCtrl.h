// A tree-view child window the program creates and owns, with typed helpers for its items.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Handles.h"

namespace fw {

class CTreeCtrl {
public:
    bool Create(HWND parent, UINT id, DWORD style, DWORD exStyle);
    HWND hwnd() const { return m_window.get(); }
    void SetImageList(HIMAGELIST images) const;

    // Appended after the last child of parent (TVI_ROOT: a top-level item).
    HTREEITEM InsertItem(HTREEITEM parent, const std::string& text, int image, LPARAM data = 0) const;
    void DeleteItem(HTREEITEM item) const { TreeView_DeleteItem(hwnd(), item); }
    void DeleteAllItems() const { TreeView_DeleteAllItems(hwnd()); }

    HTREEITEM Root() const { return TreeView_GetRoot(hwnd()); }
    HTREEITEM Parent(HTREEITEM item) const { return TreeView_GetParent(hwnd(), item); }
    HTREEITEM FirstChild(HTREEITEM item) const { return TreeView_GetChild(hwnd(), item); }
    HTREEITEM NextSibling(HTREEITEM item) const { return TreeView_GetNextSibling(hwnd(), item); }
    HTREEITEM Selection() const { return TreeView_GetSelection(hwnd()); }
    void Select(HTREEITEM item) const { TreeView_SelectItem(hwnd(), item); }
    // Expands the item's parents and scrolls it into view.
    void EnsureVisible(HTREEITEM item) const { TreeView_EnsureVisible(hwnd(), item); }

    std::string Text(HTREEITEM item) const;
    LPARAM Data(HTREEITEM item) const;
    // The same image for the normal and the selected state.
    void SetImage(HTREEITEM item, int image) const;
    bool IsExpanded(HTREEITEM item) const;
    void Expand(HTREEITEM item, UINT action) const { TreeView_Expand(hwnd(), item, action); }
    // The item under a point in the tree's client coordinates (its icon, label or state icon).
    HTREEITEM HitTest(POINT point) const;
    // While off, inserting does not repaint or recompute the scroll bars item by item.
    void SetRedraw(bool on) const;

private:
    UniqueWindow m_window;
};

}  // namespace fw
