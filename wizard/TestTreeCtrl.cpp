#include "wizard/TestTreeCtrl.h"

#include <map>
#include <memory>

namespace {
// The image list's index of an icon; -1 (no image) when there is no icon to add.
int AddIcon(HIMAGELIST images, HICON icon) { return icon ? ImageList_AddIcon(images, icon) : -1; }
}  // namespace

struct CTestTreeCtrl::Filling {
    CTestTreeCtrl* tree;
    HTREEITEM libraryItem;
    std::map<WORD, int> imageOfIcon;  // tests that share an icon share its image
};

// The tree is filled first and its boxes computed once at the end: a box set per test would
// recompute the library from all its tests each time.
void CTestTreeCtrl::Initialise() {
    SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
    SendMessageA(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    CCheckTreeCtrl::Initialise();
    CTestLibrary* library = nullptr;
    for (size_t index = 0; GetTestLibrary(index, library); ++index) {
        if (!library->HasTests()) continue;
        Filling filling{this, InsertItem(library->name(), AddIcon(images(), library->icon()), nullptr, kNoCheckBox),
                        {}};
        SetItemData(filling.libraryItem, {TestTreeItemData::Library, library, {}});
        ForEachTest(*library, AddTest, &filling, 0);
        // Libraries open, so the tests are in sight.
        SendMessageA(hwnd(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(filling.libraryItem));
    }
    RecomputeAll();
    SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
}

bool CTestTreeCtrl::AddTest(CTestLibrary& library, const TestEntry& test, void* context, DWORD) {
    Filling& filling = *static_cast<Filling*>(context);
    CTestTreeCtrl& tree = *filling.tree;
    auto known = filling.imageOfIcon.find(test.iconId);
    if (known == filling.imageOfIcon.end()) {
        // A test whose icon does not load is still listed, without a picture.
        fw::UniqueIcon icon(static_cast<HICON>(
            LoadImageA(library.module(), MAKEINTRESOURCEA(test.iconId), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
        known = filling.imageOfIcon.emplace(test.iconId, AddIcon(tree.images(), icon.get())).first;
    }
    HTREEITEM item = tree.InsertItem(test.name, known->second, filling.libraryItem, kUnchecked);
    tree.SetItemData(item, {TestTreeItemData::Test, nullptr, test});
    return true;
}

void CTestTreeCtrl::SetItemData(HTREEITEM item, const TestTreeItemData& data) {
    auto owned = std::make_unique<TestTreeItemData>(data);
    TVITEMA change{};
    change.mask = TVIF_PARAM;
    change.hItem = item;
    change.lParam = reinterpret_cast<LPARAM>(owned.get());
    if (SendMessageA(hwnd(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change))) owned.release();
}

const TestTreeItemData* CTestTreeCtrl::ItemData(HTREEITEM item) const {
    return reinterpret_cast<const TestTreeItemData*>(ItemParam(item));
}
