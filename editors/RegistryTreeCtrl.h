// The Registry page's tree: each library that offers registry keys, its keys that exist on this
// machine with check boxes (checked ones are logged), and under each key the values that the
// library describes, without boxes. Every item carries a node; a mark shows modified items.
#pragma once
#include <vector>

#include "controls/CheckTreeCtrl.h"
#include "editors/RegTreeNode.h"

class CRegistryTreeCtrl : public CCheckTreeCtrl {
public:
    CRegistryTreeCtrl() = default;
    ~CRegistryTreeCtrl() override;

    // Empties the tree and fills it from the libraries and the registry as they are now.
    void Initialise() override;

    CRegTreeNode* Node(HTREEITEM item) const;
    CRegTreeNode* Selected() const;
    // The library that a key item belongs to; null for other items.
    CTestLibrary* LibraryOf(HTREEITEM keyItem) const;
    // The marked items without children, in tree order (only marked items are gone into).
    std::vector<CRegTreeNode*> ModifiedLeaves() const;

    void SetMark(HTREEITEM item, bool marked);
    // Deletes the item with its node and children; the boxes and marks above follow.
    void RemoveItem(HTREEITEM item);
    // Removes the items of keys and values that the registry no longer holds, as RemoveItem does.
    void RemoveVanished();

    bool OnReflectedNotify(NMHDR* header, LRESULT& result) override;

protected:
    void FreeItemData(LPARAM data) override;

private:
    // A key's described values go under it when it is first expanded.
    void AddValues(HTREEITEM keyItem);
    // hasChildren: the item shows that it can be expanded before its children are there.
    HTREEITEM Append(const char* text, int image, HTREEITEM parent, int state, std::unique_ptr<CRegTreeNode> node,
                     bool hasChildren = false);
    void CollectModifiedLeaves(HTREEITEM first, std::vector<CRegTreeNode*>& leaves) const;
};
