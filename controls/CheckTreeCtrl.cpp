#include "controls/CheckTreeCtrl.h"

#include "framework/ImageList.h"
#include "resources/resource.h"

namespace {
constexpr int kImageSize = 16;
}  // namespace

void CCheckTreeCtrl::Initialise() {
    // Icons go in by their masks, not their alpha: Wine draws no overlay over an image with alpha,
    // and the Registry page marks a changed library by an overlay on its icon.
    m_images.reset(ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, 5, 5));
    m_stateImages.reset(ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, 8, 1));
    fw::UniqueBitmap states(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                            MAKEINTRESOURCEA(IDB_CHECK_STATES), IMAGE_BITMAP, 0,
                                                            0, LR_DEFAULTCOLOR)));
    if (states) ImageList_AddMasked(m_stateImages.get(), states.get(), fw::kImageMaskColour);
    SendMessageA(hwnd(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_images.get()));
    SendMessageA(hwnd(), TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(m_stateImages.get()));
}

HTREEITEM CCheckTreeCtrl::InsertItem(const char* text, int image, HTREEITEM parent, int state) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    insert.item.state = INDEXTOSTATEIMAGEMASK(state);
    insert.item.stateMask = TVIS_STATEIMAGEMASK;
    return reinterpret_cast<HTREEITEM>(SendMessageA(hwnd(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM CCheckTreeCtrl::Next(HTREEITEM item, UINT relation) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(hwnd(), TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM CCheckTreeCtrl::FirstRoot() const { return Next(nullptr, TVGN_ROOT); }
HTREEITEM CCheckTreeCtrl::Parent(HTREEITEM item) const { return Next(item, TVGN_PARENT); }
HTREEITEM CCheckTreeCtrl::FirstChild(HTREEITEM item) const { return Next(item, TVGN_CHILD); }
HTREEITEM CCheckTreeCtrl::NextSibling(HTREEITEM item) const { return Next(item, TVGN_NEXT); }

int CCheckTreeCtrl::State(HTREEITEM item) const {
    const LRESULT state = SendMessageA(hwnd(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK);
    return static_cast<int>((state & TVIS_STATEIMAGEMASK) >> 12);
}

void CCheckTreeCtrl::SetState(HTREEITEM item, int state) {
    TVITEMA change{};
    change.mask = TVIF_STATE;
    change.hItem = item;
    change.state = INDEXTOSTATEIMAGEMASK(state);
    change.stateMask = TVIS_STATEIMAGEMASK;
    SendMessageA(hwnd(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

HTREEITEM CCheckTreeCtrl::BoxAt(LPARAM point) const {
    TVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return hit.flags & TVHT_ONITEMSTATEICON ? item : nullptr;
}

bool CCheckTreeCtrl::OnButtonDown(LPARAM point) {
    HTREEITEM item = BoxAt(point);
    if (!item || State(item) == kCheckDisabled) return false;
    SetCapture(hwnd());
    SetState(item, PressedLook(State(item)));
    SendMessageA(hwnd(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    m_pressed = item;
    TrackPress(point);
    return true;
}

void CCheckTreeCtrl::TrackPress(LPARAM point) {
    const int state = State(m_pressed);
    SetState(m_pressed, BoxAt(point) == m_pressed ? PressedLook(state) : NormalLook(state));
}

void CCheckTreeCtrl::OnButtonUp(LPARAM point) {
    TrackPress(point);
    HTREEITEM item = m_pressed;
    m_pressed = nullptr;
    ReleaseCapture();
    if (BoxAt(point) != item) return;
    NotifyToggle(item, CompleteClick(item));
}

void CCheckTreeCtrl::NotifyToggle(HTREEITEM item, int state) {
    NMTREEVIEWA notice{};
    notice.hdr.hwndFrom = hwnd();
    notice.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd()));
    notice.hdr.code = kToggleNotice;
    notice.action = static_cast<UINT>(state) << 12;
    notice.itemNew.hItem = item;
    SendMessageA(GetParent(hwnd()), WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}

LPARAM CCheckTreeCtrl::ItemParam(HTREEITEM item) const {
    TVITEMA query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    if (!item || !SendMessageA(hwnd(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return 0;
    return query.lParam;
}

void CCheckTreeCtrl::FreeAllItemData(HTREEITEM first) {
    for (HTREEITEM item = first; item; item = NextSibling(item)) {
        FreeAllItemData(FirstChild(item));
        FreeItemData(ItemParam(item));
        TVITEMA change{};
        change.mask = TVIF_PARAM;
        change.hItem = item;
        SendMessageA(hwnd(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
    }
}

bool CCheckTreeCtrl::OnReflectedNotify(NMHDR* header, LRESULT& result) {
    if (header->code != TVN_DELETEITEMA && header->code != TVN_DELETEITEMW) return false;
    // Both forms of the record keep lParam at the same place.
    FreeItemData(reinterpret_cast<NMTREEVIEWA*>(header)->itemOld.lParam);
    result = 0;
    return true;
}

LRESULT CCheckTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        // The tree goes with its page, whose window has already let go of the page object, so
        // the item-deletion notices of the window's end reach no one: free the records here.
        FreeAllItemData(FirstRoot());
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // the second click of a quick pair toggles again
        if (OnButtonDown(lParam)) return 0;
        break;
    case WM_MOUSEMOVE:
        if (m_pressed && GetCapture() == hwnd()) {
            TrackPress(lParam);
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (m_pressed && GetCapture() == hwnd()) {
            OnButtonUp(lParam);
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        // Capture taken away mid-press (another window, a message box): the click is abandoned.
        if (m_pressed) {
            SetState(m_pressed, NormalLook(State(m_pressed)));
            m_pressed = nullptr;
        }
        break;
    }
    return Default(message, wParam, lParam);
}
