#include "editors/RegistryTreeCtrl.h"

#include "framework/ImageList.h"
#include "framework/WaitCursor.h"
#include "registry/RegistryKey.h"
#include "resources/resource.h"
#include "testlib/LibraryWalks.h"

namespace {
enum TreeImage { kKeyImage = 0, kOpenKeyImage = 1, kStringImage = 2, kDwordImage = 3, kMarkImage = 4 };
constexpr int kMarkOverlay = 1;

int AddIcon(HIMAGELIST images, HICON icon) { return icon ? ImageList_AddIcon(images, icon) : -1; }
}  // namespace

CRegistryTreeCtrl::~CRegistryTreeCtrl() {
    if (hwnd()) FreeAllItemData(FirstRoot());
}

// Boxes are set as the keys come and each library's box from its keys' counts. A key's values
// are read when it is first expanded: reading them for every key, and asking the tree about its
// items, made opening the page grow faster than the number of keys (Wine's tree view looks an
// item up by a walk over all items).
void CRegistryTreeCtrl::Initialise() {
    const fw::WaitCursor wait;  // a library key of many thousand subkeys takes seconds to walk
    SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
    SendMessageA(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    CCheckTreeCtrl::Initialise();
    fw::UniqueBitmap pictures(static_cast<HBITMAP>(LoadImageA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_REGISTRY_IMAGES), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (pictures) ImageList_AddMasked(images(), pictures.get(), fw::kImageMaskColour);
    ImageList_SetOverlayImage(images(), kMarkImage, kMarkOverlay);

    CTestLibrary* library = nullptr;
    for (size_t index = 0; GetTestLibrary(index, library); ++index) {
        const bool loggedKeys = library->HasLoggedKeys();
        if (!loggedKeys && !library->HasEditorKeys()) continue;
        // A library with editor keys only is shown for Advanced..., never logged.
        const HTREEITEM libraryItem =
            Append(library->name(), AddIcon(images(), library->icon()), nullptr,
                   loggedKeys ? kUnchecked : kCheckDisabled, std::make_unique<CRegLibraryNode>(*library, *this));
        if (!loggedKeys) continue;
        size_t keys = 0, checkedKeys = 0;
        ForEachLoggedKey(*library, [&](const LoggedKeyEntry& key) {
            const bool checked = (key.flags & ZK_KEY_TYPICAL) != 0;
            if (Append(key.name, kKeyImage, libraryItem, checked ? kChecked : kUnchecked,
                       std::make_unique<CRegKeyNode>(key, *this), key.editTableId != 0)) {
                ++keys;
                checkedKeys += checked;
            }
            return true;
        });
        SetState(libraryItem, checkedKeys == 0 ? kUnchecked : checkedKeys == keys ? kChecked : kPartlyChecked);
        SendMessageA(hwnd(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(libraryItem));
    }
    if (HTREEITEM first = FirstRoot())
        SendMessageA(hwnd(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(first));
    SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
}

void CRegistryTreeCtrl::AddValues(HTREEITEM keyItem) {
    CRegTreeNode* node = Node(keyItem);
    CTestLibrary* library = LibraryOf(keyItem);
    if (!node || node->kind() != CRegTreeNode::Key || !library) return;
    auto& key = static_cast<CRegKeyNode&>(*node);
    if (!key.takeValuesToRead()) return;
    ForEachRegEditItem(*library, key.entry(), [&](std::unique_ptr<RegEditItem> value) {
        const char* label = value->label();
        const int image = value->isDword() ? kDwordImage : kStringImage;
        Append(label, image, keyItem, kNoCheckBox, std::make_unique<CRegValueNode>(std::move(value), key, *this));
        return true;
    });
    if (FirstChild(keyItem)) return;
    TVITEMA change{};  // none of the described values exists: nothing to expand
    change.mask = TVIF_CHILDREN;
    change.hItem = keyItem;
    SendMessageA(hwnd(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

HTREEITEM CRegistryTreeCtrl::Append(const char* text, int image, HTREEITEM parent, int state,
                                    std::unique_ptr<CRegTreeNode> node, bool hasChildren) {
    HTREEITEM item = InsertItem(text, image, parent, state);
    if (!item) return nullptr;
    TVITEMA change{};
    change.mask = TVIF_PARAM | (hasChildren ? TVIF_CHILDREN : 0);
    change.hItem = item;
    change.lParam = reinterpret_cast<LPARAM>(node.get());
    change.cChildren = 1;
    if (!SendMessageA(hwnd(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change))) {
        SendMessageA(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
        return nullptr;
    }
    node->attach(item);
    node.release();  // the item owns it now
    return item;
}

CRegTreeNode* CRegistryTreeCtrl::Node(HTREEITEM item) const {
    return reinterpret_cast<CRegTreeNode*>(ItemParam(item));
}

CRegTreeNode* CRegistryTreeCtrl::Selected() const {
    return Node(reinterpret_cast<HTREEITEM>(SendMessageA(hwnd(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

CTestLibrary* CRegistryTreeCtrl::LibraryOf(HTREEITEM keyItem) const {
    CRegTreeNode* parent = Node(Parent(keyItem));
    return parent && parent->kind() == CRegTreeNode::Library ? &static_cast<CRegLibraryNode*>(parent)->library()
                                                             : nullptr;
}

std::vector<CRegTreeNode*> CRegistryTreeCtrl::ModifiedLeaves() const {
    std::vector<CRegTreeNode*> leaves;
    CollectModifiedLeaves(FirstRoot(), leaves);
    return leaves;
}

void CRegistryTreeCtrl::CollectModifiedLeaves(HTREEITEM first, std::vector<CRegTreeNode*>& leaves) const {
    for (HTREEITEM item = first; item; item = NextSibling(item)) {
        CRegTreeNode* node = Node(item);
        if (!node || !node->modified()) continue;
        if (HTREEITEM child = FirstChild(item))
            CollectModifiedLeaves(child, leaves);
        else
            leaves.push_back(node);
    }
}

void CRegistryTreeCtrl::SetMark(HTREEITEM item, bool marked) {
    TVITEMA change{};
    change.mask = TVIF_STATE;
    change.hItem = item;
    change.state = marked ? INDEXTOOVERLAYMASK(kMarkOverlay) : 0;
    change.stateMask = TVIS_OVERLAYMASK;
    SendMessageA(hwnd(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

void CRegistryTreeCtrl::RemoveItem(HTREEITEM item) {
    HTREEITEM parent = Parent(item);
    SendMessageA(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
    RecomputeAll();
    if (CRegTreeNode* node = Node(parent)) node->followChildren();
}

// Every key is opened once: a registry round trip per key, like the walk that filled the tree.
void CRegistryTreeCtrl::RemoveVanished() {
    for (HTREEITEM libraryItem = FirstRoot(); libraryItem; libraryItem = NextSibling(libraryItem)) {
        for (HTREEITEM keyItem = FirstChild(libraryItem), nextKey; keyItem; keyItem = nextKey) {
            nextKey = NextSibling(keyItem);
            auto* key = static_cast<CRegKeyNode*>(Node(keyItem));
            const CRegistryKey registryKey(key->root(), key->subkey().c_str(), false);
            if (!registryKey.handle()) {
                SendMessageA(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(keyItem));
                continue;
            }
            bool valueGone = false;
            for (HTREEITEM valueItem = FirstChild(keyItem), nextValue; valueItem; valueItem = nextValue) {
                nextValue = NextSibling(valueItem);
                const auto* value = static_cast<CRegValueNode*>(Node(valueItem));
                if (registryKey.valueExists(value->value().valueName())) continue;
                SendMessageA(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(valueItem));
                valueGone = true;
            }
            if (valueGone) key->followChildren();
        }
        if (CRegTreeNode* library = Node(libraryItem)) library->followChildren();
    }
    RecomputeAll();
}

bool CRegistryTreeCtrl::OnReflectedNotify(NMHDR* header, LRESULT& result) {
    // Both forms of the record keep the items at the same place.
    const auto* notice = reinterpret_cast<NMTREEVIEWA*>(header);
    switch (header->code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW:
        if (notice->action & TVE_EXPAND) AddValues(notice->itemNew.hItem);
        result = FALSE;  // the item may expand
        return true;
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
        CRegTreeNode* node = Node(notice->itemNew.hItem);
        if (!node || node->kind() != CRegTreeNode::Key) return false;
        TVITEMA change{};
        change.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        change.hItem = notice->itemNew.hItem;
        change.iImage = change.iSelectedImage = notice->action == TVE_EXPAND ? kOpenKeyImage : kKeyImage;
        SendMessageA(hwnd(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
        result = 0;
        return true;
    }
    default:
        return CCheckTreeCtrl::OnReflectedNotify(header, result);
    }
}

void CRegistryTreeCtrl::FreeItemData(LPARAM data) {
    delete reinterpret_cast<CRegTreeNode*>(data);
}
