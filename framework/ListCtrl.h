// A report-view list child window the program creates and owns, with typed helpers for its
// rows and columns.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Handles.h"

namespace fw {

class CListCtrl {
public:
    bool Create(HWND parent, UINT id, DWORD style, DWORD exStyle);
    HWND hwnd() const { return m_window.get(); }
    void SetSmallImageList(HIMAGELIST images) const { ListView_SetImageList(hwnd(), images, LVSIL_SMALL); }

    void InsertColumn(int column, const std::string& heading, int width) const;
    int ColumnWidth(int column) const { return ListView_GetColumnWidth(hwnd(), column); }

    // Returns the new row's index.
    int InsertRow(int row, const std::string& text, int image) const;
    void SetText(int row, int column, const std::string& text) const;
    std::string Text(int row, int column) const;
    void DeleteRow(int row) const { ListView_DeleteItem(hwnd(), row); }
    void DeleteAllRows() const { ListView_DeleteAllItems(hwnd()); }
    int RowCount() const { return ListView_GetItemCount(hwnd()); }

    // The next row after start (-1: from the top) with any of the LVNI_* states; -1 when none.
    int NextRow(int start, UINT states) const { return ListView_GetNextItem(hwnd(), start, states); }
    int FocusedRow() const { return NextRow(-1, LVNI_FOCUSED); }
    int SelectedCount() const { return static_cast<int>(ListView_GetSelectedCount(hwnd())); }
    // Row -1: every row.
    void SetState(int row, UINT state, UINT mask) const { ListView_SetItemState(hwnd(), row, state, mask); }
    void EnsureVisible(int row) const { ListView_EnsureVisible(hwnd(), row, FALSE); }
    // The row under a point in the list's client coordinates (its icon, label or state icon); -1.
    int HitTest(POINT point) const;

private:
    UniqueWindow m_window;
};

}  // namespace fw
