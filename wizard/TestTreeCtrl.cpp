#include "wizard/TestTreeCtrl.h"

#include <map>
#include <memory>

#include "testlib/LibraryWalks.h"

namespace {
// The image list's index of an icon; -1 (no image) when there is no icon to add.
int AddIcon(HIMAGELIST images, HICON icon) { return icon ? ImageList_AddIcon(images, icon) : -1; }
}  // namespace

// The tree is filled first and its boxes computed once at the end: a box set per test would
// recompute the library from all its tests each time.
void CTestTreeCtrl::Initialise() {
    SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
    SendMessageA(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    CCheckTreeCtrl::Initialise();
    CTestLibrary* library = nullptr;
    for (size_t index = 0; GetTestLibrary(index, library); ++index) {
        if (!library->HasTests()) continue;
        HTREEITEM libraryItem = InsertItem(library->name(), AddIcon(images(), library->icon()), nullptr, kNoCheckBox);
        SetItemData(libraryItem, {TestTreeItemData::Library, library, {}});
        std::map<WORD, int> imageOfIcon;  // tests that share an icon share its image
        ForEachTest(*library, [&](const TestEntry& test) {
            AddTest(*library, test, libraryItem, imageOfIcon);
            return true;
        });
        // Libraries open, so the tests are in sight.
        SendMessageA(hwnd(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(libraryItem));
    }
    RecomputeAll();
    SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
}

void CTestTreeCtrl::AddTest(const CTestLibrary& library, const TestEntry& test, HTREEITEM libraryItem,
                            std::map<WORD, int>& imageOfIcon) {
    auto known = imageOfIcon.find(test.iconId);
    if (known == imageOfIcon.end()) {
        // A test whose icon does not load is still listed, without a picture.
        fw::UniqueIcon icon(static_cast<HICON>(
            LoadImageA(library.module(), MAKEINTRESOURCEA(test.iconId), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
        known = imageOfIcon.emplace(test.iconId, AddIcon(images(), icon.get())).first;
    }
    HTREEITEM item = InsertItem(test.name, known->second, libraryItem, kUnchecked);
    SetItemData(item, {TestTreeItemData::Test, nullptr, test});
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
