// The registry editor's commands, when each is enabled, and its context menus.
#include "editors/RegistryEditorWnd.h"

#include <windowsx.h>

#include "framework/ErrorText.h"
#include "framework/MessageBox.h"
#include "framework/StringTable.h"
#include "journal/Journal.h"
#include "journal/UndoChanges.h"
#include "resources/resource.h"

namespace {
// The popups of the context menu resource, in order.
enum ContextPopup { kKeyPopup, kEntryPopup, kNoEntryPopup };

const UINT kAskDelete = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;

bool HasChildren(const fw::CTreeCtrl& tree, HTREEITEM item) { return tree.FirstChild(item) != nullptr; }
}  // namespace

bool CRegistryEditorWnd::OnCommand(WORD id, WORD, HWND control) {
    if (control) return false;
    switch (id) {
    case ID_REGEDIT_NEW_KEY: newKey(); return true;
    case ID_REGEDIT_NEW_STRING:
    case ID_REGEDIT_NEW_DWORD:
    case ID_REGEDIT_NEW_BINARY: newValue(id); return true;
    case ID_REGEDIT_MODIFY: modify(); return true;
    case ID_REGEDIT_DELETE:
        if (focusIn(m_tree))
            deleteKey();
        else
            deleteValues();
        return true;
    case ID_REGEDIT_TOGGLE: toggle(); return true;
    case ID_REGEDIT_REFRESH: FillTree(); return true;
    case ID_REGEDIT_CLOSE: EndModalLoop(0); return true;
    case ID_REGEDIT_FIND: openFindDialog(); return true;
    case ID_REGEDIT_FIND_NEXT: findNext(); return true;
    case ID_REGEDIT_UNDO_CHANGES: undoChanges(); return true;
    default: return false;
    }
}

bool CRegistryEditorWnd::IsCommandEnabled(UINT id) const {
    switch (id) {
    case ID_REGEDIT_MODIFY: return focusIn(m_list) && m_list.FocusedRow() >= 0;
    case ID_REGEDIT_DELETE:
        // The first top-level key is the one the editor was opened on: it stays.
        if (focusIn(m_tree)) return m_tree.Selection() && m_tree.Selection() != m_tree.Root();
        return focusIn(m_list) && m_list.SelectedCount() > 0;
    case ID_REGEDIT_TOGGLE: return m_contextKeyHasSubkeys;
    case ID_REGEDIT_FIND_NEXT: return !m_findText.empty();
    default: return true;
    }
}

int CRegistryEditorWnd::tell(const std::string& text, UINT style) const {
    const HWND focus = GetFocus();
    const int answer = fw::ShowMessage(hwnd(), text, style);
    if (focus && IsWindow(focus)) SetFocus(focus);
    return answer;
}

int CRegistryEditorWnd::tell(UINT stringId, UINT style) const { return tell(fw::LoadedString(stringId), style); }

bool CRegistryEditorWnd::checkWritable(const CRegistryKey& key) {
    if (!key.handle()) {
        reportFailure(key.status(), false);
        return false;
    }
    if (key.isWritable()) return true;
    tell(IDS_NO_ACCESS_RIGHTS, MB_OK | MB_ICONSTOP);
    return false;
}

void CRegistryEditorWnd::reportFailure(LONG error, bool wholeTree) {
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_KEY_DELETED) {
        if (tell(IDS_REGEDIT_KEY_GONE, MB_YESNO | MB_ICONEXCLAMATION) == IDYES) wholeTree = true;
    } else if (error == ERROR_ACCESS_DENIED) {
        tell(IDS_NO_ACCESS_RIGHTS, MB_OK | MB_ICONSTOP);
    } else {
        tell(fw::FormattedString(IDS_REGEDIT_NOT_CHANGED, ErrorText(static_cast<DWORD>(error)).c_str()),
             MB_OK | MB_ICONSTOP);
    }
    if (wholeTree)
        FillTree();
    else if (m_tree.Selection())
        showValues(m_tree.Selection());
}

// The item goes only with its key; a delete that stopped part way shows what is left. A later
// top-level item's key is its entry's path below the entry's root.
void CRegistryEditorWnd::deleteKey() {
    const HTREEITEM item = m_tree.Selection();
    if (!item || !checkWritable(*openKey(item))) return;
    if (tell(IDS_CONFIRM_DELETE_KEY, kAskDelete) != IDYES) return;
    const KeyPlace place = keyPlace(item);
    if (!journaled(JournalKeyDelete(place.root, place.path))) return;
    LONG result;
    if (const HTREEITEM parent = m_tree.Parent(item)) {
        const std::unique_ptr<CRegistryKey> parentKey = openKey(parent);
        result = parentKey->handle() ? parentKey->deleteSubkey(m_tree.Text(item).c_str()) : parentKey->status();
    } else {
        const RootEntry& entry = m_roots.at(static_cast<size_t>(m_tree.Data(item)));
        result = CRegistryKey(entry.root, false).deleteSubkey(entry.path.c_str());
    }
    if (result == ERROR_SUCCESS)
        m_tree.DeleteItem(item);
    else
        reportFailure(result, true);
}

// A value that is already gone counts as deleted.
void CRegistryEditorWnd::deleteValues() {
    const int count = m_list.SelectedCount();
    const std::unique_ptr<CRegistryKey> key = openSelectedKey();
    if (!checkWritable(*key)) return;
    if (tell(count > 1 ? IDS_CONFIRM_DELETE_ENTRIES : IDS_CONFIRM_DELETE_ENTRY, kAskDelete) != IDYES)
        return;
    const KeyPlace place = keyPlace(m_tree.Selection());
    for (int row = m_list.NextRow(-1, LVNI_SELECTED); row >= 0; row = m_list.NextRow(-1, LVNI_SELECTED)) {
        const std::string name = m_list.Text(row, 0);
        if (!journaled(JournalValueChange(place.root, place.path, name, ReadValueState(key->handle(), name), ValueState())))
            return;
        const LONG result = key->deleteValue(name.c_str());
        if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
            reportFailure(result, false);
            return;
        }
        m_list.DeleteRow(row);
    }
}

bool CRegistryEditorWnd::journaled(DWORD error) const {
    const HWND focus = GetFocus();
    const bool done = CheckJournaled(hwnd(), error);
    if (focus && IsWindow(focus)) SetFocus(focus);
    return done;
}

// The registry as it is afterwards: the whole tree again.
void CRegistryEditorWnd::undoChanges() {
    OfferSessionUndo(hwnd());
    FillTree();
}

void CRegistryEditorWnd::toggle() {
    const HTREEITEM item = m_tree.Selection();
    if (item) m_tree.Expand(item, m_tree.IsExpanded(item) ? TVE_COLLAPSE : TVE_EXPAND);
}

void CRegistryEditorWnd::onListDoubleClick() {
    const DWORD position = GetMessagePos();
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ScreenToClient(m_list.hwnd(), &point);
    if (m_list.HitTest(point) >= 0) modify();
}

void CRegistryEditorWnd::showContextMenu(HWND window, POINT screen) {
    POINT point = screen;
    if (window == m_tree.hwnd()) {
        ScreenToClient(window, &point);
        const HTREEITEM item = m_tree.HitTest(point);
        if (!item) return;
        // The menu's commands act on this key: Delete looks for the focus in the tree.
        SetFocus(m_tree.hwnd());
        m_tree.Select(item);
        m_contextKeyHasSubkeys = HasChildren(m_tree, item);
        const HMENU popup = m_contextMenus.Popup(kKeyPopup);
        const bool expanded = m_contextKeyHasSubkeys && m_tree.IsExpanded(item);
        fw::SetMenuItemText(popup, ID_REGEDIT_TOGGLE,
                            fw::LoadedString(expanded ? IDS_REGEDIT_COLLAPSE : IDS_REGEDIT_EXPAND));
        fw::TrackPopup(popup, screen, hwnd(), ID_REGEDIT_TOGGLE);
    } else if (window == m_list.hwnd()) {
        SetFocus(m_list.hwnd());
        ScreenToClient(window, &point);
        if (m_list.HitTest(point) >= 0)
            fw::TrackPopup(m_contextMenus.Popup(kEntryPopup), screen, hwnd(), ID_REGEDIT_MODIFY);
        else
            fw::TrackPopup(m_contextMenus.Popup(kNoEntryPopup), screen, hwnd(), 0);
    }
}
