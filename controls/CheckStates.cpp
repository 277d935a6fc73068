#include "controls/CheckStates.h"

int PressedLook(int state) { return state >= kUnchecked && state <= kPartlyChecked ? state + 3 : state; }

int NormalLook(int state) { return state >= kPressedUnchecked && state <= kPressedPartly ? state - 3 : state; }

namespace {
// The state a completed click leaves: pressed unchecked becomes checked, the others unchecked.
int StateAfterClick(int pressedState) { return pressedState == kPressedUnchecked ? kChecked : kUnchecked; }
}  // namespace

int CheckTree::CompleteClick(HTREEITEM item) {
    const int state = StateAfterClick(State(item));
    SetState(item, state);
    // A test's own children (if any) keep their boxes; only a root item passes the click on.
    if (HTREEITEM parent = Parent(item))
        Recompute(parent);
    else
        PassToChildren(item, state);
    return state;
}

void CheckTree::PassToChildren(HTREEITEM item, int state) {
    for (HTREEITEM child = FirstChild(item); child; child = NextSibling(child))
        if (State(child) != kCheckDisabled && State(child) != kNoCheckBox) SetState(child, state);
}

void CheckTree::Recompute(HTREEITEM item) {
    for (; item; item = Parent(item)) RecomputeOne(item);
}

void CheckTree::RecomputeOne(HTREEITEM item) {
    // Children without boxes (a key's values) leave the item's own box as it was set.
    HTREEITEM first = FirstChild(item);
    if (State(item) == kCheckDisabled || (first && State(first) == kNoCheckBox)) return;
    size_t children = 0;
    size_t checked = 0;
    for (HTREEITEM child = first; child; child = NextSibling(child)) {
        ++children;
        if (State(child) == kChecked) ++checked;
    }
    SetState(item, checked == 0 ? kUnchecked : checked == children ? kChecked : kPartlyChecked);
}

void CheckTree::RecomputeAll() {
    for (HTREEITEM root = FirstRoot(); root; root = NextSibling(root)) RecomputeSubtree(root);
}

void CheckTree::RecomputeSubtree(HTREEITEM item) {
    HTREEITEM child = FirstChild(item);
    if (!child) return;
    for (; child; child = NextSibling(child)) RecomputeSubtree(child);
    RecomputeOne(item);
}

HTREEITEM CheckTree::NextOutside(HTREEITEM item) const {
    for (; item; item = Parent(item))
        if (HTREEITEM sibling = NextSibling(item)) return sibling;
    return nullptr;
}

HTREEITEM CheckTree::NextCheckedLeaf(HTREEITEM after) const {
    HTREEITEM item = after ? NextOutside(after) : FirstRoot();
    while (item) {
        const int state = State(item);
        if (state == kCheckDisabled || state == kUnchecked) {
            item = NextOutside(item);
            continue;
        }
        HTREEITEM child = FirstChild(item);
        if (!child || State(child) == kNoCheckBox) return item;
        item = child;
    }
    return nullptr;
}
