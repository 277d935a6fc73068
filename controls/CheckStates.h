// The check boxes of a tree: each item's state-image index and the rules that tie a parent's box
// to its children's. The rules run over an abstract tree, so they work the same on a tree-view
// control and on a small model in memory.
#pragma once
#include <windows.h>
#include <commctrl.h>

enum CheckState : int {
    kNoCheckBox = 0,
    kUnchecked = 1,
    kChecked = 2,
    kPartlyChecked = 3,  // some but not all children checked
    kPressedUnchecked = 4,  // 4 to 6: the pressed look of 1 to 3 while the mouse button is held
    kPressedChecked = 5,
    kPressedPartly = 6,
    kCheckDisabled = 7,  // shown disabled; never changed by clicks or by propagation
};

// The look while the button is held on the box, and back again; other states are unchanged.
int PressedLook(int state);
int NormalLook(int state);

class CheckTree {
public:
    virtual ~CheckTree() = default;

    // A completed click on the item's box: its new state, recomputed parents, and for a root item
    // the state passed on to its children. Returns the new state.
    int CompleteClick(HTREEITEM item);
    // Every item with children takes its box from its children's, in one pass from the leaves
    // up: a tree filled with boxes already set gets its parents' boxes without a walk per item.
    void RecomputeAll();
    // Pre-order walk over the checked leaves: the one after `after`, or the first for null.
    HTREEITEM NextCheckedLeaf(HTREEITEM after) const;

    // The tree's shape and each item's state-image index.
    virtual HTREEITEM FirstRoot() const = 0;
    virtual HTREEITEM Parent(HTREEITEM item) const = 0;
    virtual HTREEITEM FirstChild(HTREEITEM item) const = 0;
    virtual HTREEITEM NextSibling(HTREEITEM item) const = 0;
    virtual int State(HTREEITEM item) const = 0;
    virtual void SetState(HTREEITEM item, int state) = 0;

private:
    void PassToChildren(HTREEITEM item, int state);
    // A parent's box from its direct children, then its own parent's, up to the root.
    void Recompute(HTREEITEM item);
    // One item's box from its direct children (a disabled box stays as it is).
    void RecomputeOne(HTREEITEM item);
    void RecomputeSubtree(HTREEITEM item);
    // The next item in pre-order that is not inside item's subtree; null at the end.
    HTREEITEM NextOutside(HTREEITEM item) const;
};
