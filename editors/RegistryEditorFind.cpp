// Finding values by name in the registry editor. Only value names are compared, as substrings,
// without regard to case. From the start key the walk takes its remaining values, its subkeys
// (always searched completely), then its following siblings with their subkeys; when those are
// exhausted it goes on with the parent's next sibling, and ends when there is none.
#include "editors/RegistryEditorWnd.h"

#include <algorithm>
#include <cctype>

#include "framework/WaitCursor.h"
#include "resources/resource.h"

namespace {

std::string UpperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    return text;
}

bool Contains(const std::string& name, const std::string& upperText) {
    return UpperCase(name).find(upperText) != std::string::npos;
}

}  // namespace

// The match-case and whole-word boxes are hidden: the search compares names without regard to
// case, anywhere in the name.
void CRegistryEditorWnd::openFindDialog() {
    if (m_findDialog.IsOpen()) {
        SetActiveWindow(m_findDialog.hwnd());
        return;
    }
    m_findDialog.Create(hwnd(), m_findText, FR_HIDEUPDOWN | FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD);
}

void CRegistryEditorWnd::onFindReport(LPARAM report) {
    if (m_findDialog.TakeReport(report) != fw::CFindReplaceDialog::Report::FindNext) return;
    m_findText = m_findDialog.FindWhat();
    // Closed before the search, so that a match or its message is not hidden behind it.
    m_findDialog.Close();
    findNext();
}

void CRegistryEditorWnd::findNext() {
    m_list.SetState(-1, 0, LVIS_SELECTED);
    const HTREEITEM start = m_tree.Selection();
    int row = m_list.FocusedRow();
    bool found = false;
    {
        const fw::WaitCursor wait;
        const std::string upperText = UpperCase(m_findText);
        for (HTREEITEM item = start; item && !found; row = -1) {
            found = searchValues(item, row, upperText) || searchBelow(item, upperText);
            HTREEITEM next = m_tree.NextSibling(item);
            if (!next && m_tree.Parent(item)) next = m_tree.NextSibling(m_tree.Parent(item));
            item = next;
        }
    }
    if (!found) tell(IDS_REGEDIT_NO_MATCHES, MB_OK | MB_ICONINFORMATION);
}

// With a start row, the rows after it in the list (which shows the item's values); otherwise
// the key's values as the registry lists them.
bool CRegistryEditorWnd::searchValues(HTREEITEM item, int startRow, const std::string& upperText) {
    if (startRow >= 0) {
        for (int row = startRow + 1; row < m_list.RowCount(); ++row) {
            if (!Contains(m_list.Text(row, 0), upperText)) continue;
            showFoundRow(row);
            return true;
        }
        return false;
    }
    const std::unique_ptr<CRegistryKey> key = openKey(item);
    RegistryValueInfo value;
    for (DWORD index = 0; key->enumValue(index, value); ++index) {
        if (!Contains(value.name, upperText)) continue;
        m_tree.Select(item);  // fills the list
        for (int row = 0; row < m_list.RowCount(); ++row) {
            if (lstrcmpiA(m_list.Text(row, 0).c_str(), value.name.c_str()) != 0) continue;
            showFoundRow(row);
            return true;
        }
        return true;  // gone from the registry between the two readings: the key is shown
    }
    return false;
}

bool CRegistryEditorWnd::searchBelow(HTREEITEM item, const std::string& upperText) {
    for (HTREEITEM child = m_tree.FirstChild(item); child; child = m_tree.NextSibling(child))
        if (searchValues(child, -1, upperText) || searchBelow(child, upperText)) return true;
    return false;
}

// The key and the row are both scrolled into view.
void CRegistryEditorWnd::showFoundRow(int row) {
    m_tree.EnsureVisible(m_tree.Selection());
    SetFocus(m_list.hwnd());
    m_list.SetState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(row);
}
