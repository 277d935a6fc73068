// A tree-view control (from a dialog template) with tri-state check boxes drawn from its state
// images. Clicks follow a push button's manner: the box looks pressed while the button is held
// and toggles only when it is released over the same box; the parent then gets a toggle notice.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "controls/CheckStates.h"
#include "framework/Handles.h"
#include "framework/ReflectedControl.h"

class CCheckTreeCtrl : public fw::ReflectedControl, public CheckTree {
public:
    // The NMTREEVIEW code sent to the parent when the user toggles a box; the action field holds
    // the new state shifted into bits 12 to 15, itemNew.hItem the toggled item.
    static constexpr UINT kToggleNotice = 1;

    // Creates both image lists, dropping earlier ones, and gives them to the tree.
    virtual void Initialise();
    // Appends an item under parent (null: at the root) with that box; the parents' boxes are
    // left as they are (RecomputeAll once the tree is filled).
    HTREEITEM InsertItem(const char* text, int image, HTREEITEM parent, int state);
    HIMAGELIST images() const { return m_images.get(); }

    HTREEITEM FirstRoot() const override;
    HTREEITEM Parent(HTREEITEM item) const override;
    HTREEITEM FirstChild(HTREEITEM item) const override;
    HTREEITEM NextSibling(HTREEITEM item) const override;
    int State(HTREEITEM item) const override;
    void SetState(HTREEITEM item, int state) override;

    bool OnReflectedNotify(NMHDR* header, LRESULT& result) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // An item's lParam may hold a record that the item owns: the tree hands it to FreeItemData
    // when the item goes, and for every item still there when the window ends.
    virtual void FreeItemData(LPARAM) {}
    LPARAM ItemParam(HTREEITEM item) const;  // 0 for none
    // Frees the records of these items and all below them, leaving the items without one.
    void FreeAllItemData(HTREEITEM first);

private:
    HTREEITEM Next(HTREEITEM item, UINT relation) const;
    // The item whose check box lies under the point, if any.
    HTREEITEM BoxAt(LPARAM point) const;
    bool OnButtonDown(LPARAM point);
    void TrackPress(LPARAM point);
    void OnButtonUp(LPARAM point);
    void NotifyToggle(HTREEITEM item, int state);

    fw::UniqueImageList m_images;
    fw::UniqueImageList m_stateImages;
    HTREEITEM m_pressed = nullptr;
};
