// Reads tree and list items of a control in another process. Their messages take pointers, so
// the records live in that process's memory for the call. The driver and Zelkor are built for
// the same processor, so the records have the same layout on both sides.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace gallery {

// The text of a tree item.
std::string TreeItemText(HWND tree, HTREEITEM item);
// The item reached by following labels from the roots (each label a child of the one before);
// null when one of them is not there.
HTREEITEM TreeItemByPath(HWND tree, const std::vector<std::string>& labels);
// The middle of an item's text, or of a list row, in screen coordinates; false when it is not shown.
bool TreeItemCentre(HWND tree, HTREEITEM item, POINT& screen);
// Where an item's check box (its state image) is, in the tree's client coordinates.
bool TreeCheckBoxPoint(HWND tree, HTREEITEM item, POINT& client);
// The roots of a tree.
std::vector<HTREEITEM> TreeRoots(HWND tree);
bool ListItemCentre(HWND list, int row, POINT& screen);

}  // namespace gallery
