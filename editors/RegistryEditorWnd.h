// The registry editor: chosen registry keys as a tree on the left, the values of the selected
// key as a two-column list on the right, a splitter bar between them that the user drags, and
// commands to create, change, delete and find keys and values.
//
// Entry point for openers: build it with the owner window, add one root entry per top-level
// item (display name, root key handle, subkey path below it), then Run. Run disables the owner,
// runs its own message loop until the user closes the window, gives the owner back its enabled
// state and returns. The whole subtree below every root entry is read when the tree is filled;
// placement, split and column widths are kept in the settings between runs.
//
//     CRegistryEditorWnd editor(owner);
//     editor.AddRootEntry("Ravelin", HKEY_LOCAL_MACHINE, "Software\\Halvard\\Ravelin");
//     editor.Run();
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/FindReplaceDialog.h"
#include "framework/FrameWnd.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/Menu.h"
#include "framework/StatusBar.h"
#include "framework/TreeCtrl.h"
#include "journal/JournalRecord.h"
#include "registry/RegistryKey.h"
#include "registry/SettingsStore.h"

class CRegistryEditorWnd : public fw::CFrameWnd {
public:
    // Images of the shared image list.
    enum Image { kClosedKey, kOpenKey, kStringValue, kOtherValue };

    explicit CRegistryEditorWnd(HWND owner);
    ~CRegistryEditorWnd() override;

    void AddRootEntry(const std::string& name, HKEY root, const std::string& path);
    // Opens, runs until closed, stores the settings. The loop's result (-1: no window).
    int Run();

    // The steps of Run around its loop. Open: the window, not yet shown, with its tree filled.
    bool Open();
    // Stores placement, split and column widths, then destroys the window.
    void Close();

    // Reads the whole subtree of every root entry anew. The selected key (or the nearest key
    // above it that still exists) stays selected and the expanded branches that still exist stay
    // expanded; the first fill selects the first top-level item.
    void FillTree();
    void SetSplitterPosition(int left);

    const fw::CTreeCtrl& tree() const { return m_tree; }
    const fw::CListCtrl& list() const { return m_list; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCreate() override;
    void OnSize(UINT kind, int cx, int cy) override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool IsCommandEnabled(UINT id) const override;
    bool PreTranslateMessage(MSG& message) override;

private:
    struct RootEntry {
        std::string name;
        HKEY root;
        std::string path;
    };

    // Window and settings.
    void applyStoredLayout();
    void insertColumns();

    // Layout and splitter.
    void layout();
    void paintSplitter();
    void drawTracker() const;
    int barWidth() const;
    bool onMouseMove(POINT point);
    bool onButtonDown(POINT point);
    bool onButtonUp();
    void onMinMaxInfo(MINMAXINFO& info) const;

    // Tree and value list. An item's path is the texts from its top-level item down to it.
    using ItemPath = std::vector<std::string>;
    void addKeyNode(HTREEITEM parent, HKEY parentKey, const std::string& subkey, const std::string& text,
                    LPARAM data);
    ItemPath pathOf(HTREEITEM item) const;
    HTREEITEM itemAt(const ItemPath& path) const;
    template <class Visit>
    void forEachItem(HTREEITEM first, const Visit& visit) const {
        for (HTREEITEM item = first; item; item = m_tree.NextSibling(item)) {
            visit(item);
            forEachItem(m_tree.FirstChild(item), visit);
        }
    }
    void onSelectionChanged(HTREEITEM previous, HTREEITEM selected);
    void showValues(HTREEITEM item);
    void fillValueList(const CRegistryKey& key);
    // An item's key, opened with full access when granted; without a handle, its status says why.
    std::unique_ptr<CRegistryKey> openKey(HTREEITEM item) const;
    std::unique_ptr<CRegistryKey> openSelectedKey() const { return openKey(m_tree.Selection()); }
    // An item's key as the journal names it: its entry's root and the whole path below it.
    struct KeyPlace {
        HKEY root;
        std::string path;
    };
    KeyPlace keyPlace(HTREEITEM item) const;

    // Commands.
    void showContextMenu(HWND window, POINT screen);
    void onListDoubleClick();
    // A message box owned by this window, so that closing it enables this window and not the
    // owner that the editor keeps disabled; the keyboard focus comes back to where it was.
    int tell(const std::string& text, UINT style) const;
    int tell(UINT stringId, UINT style) const;
    // False (after telling the user why) when the key was not opened or only for reading.
    bool checkWritable(const CRegistryKey& key);
    // Tells a failed registry operation with its reason, then shows the registry as it is: the
    // whole tree when asked (or when the user accepts a refresh for a key that is gone), otherwise
    // the selected key's values.
    void reportFailure(LONG error, bool wholeTree);
    // True when the change was journaled; otherwise the user is told, and it is not made.
    bool journaled(DWORD error) const;
    // Journals the write, makes it, and tells a failure of either; true when written.
    bool writeValue(CRegistryKey& key, const std::string& name, const ValueState& value);
    void undoChanges();
    void newKey();
    void newValue(UINT command);
    void modify();
    void deleteKey();
    void deleteValues();
    void toggle();
    bool focusIn(const fw::CTreeCtrl& tree) const { return GetFocus() == tree.hwnd(); }
    bool focusIn(const fw::CListCtrl& list) const { return GetFocus() == list.hwnd(); }

    // Find.
    void openFindDialog();
    void onFindReport(LPARAM report);
    void findNext();
    bool searchValues(HTREEITEM item, int startRow, const std::string& upperText);
    bool searchBelow(HTREEITEM item, const std::string& upperText);
    void showFoundRow(int row);

    HWND m_owner;
    fw::CImageList m_images;
    fw::CTreeCtrl m_tree;
    fw::CListCtrl m_list;
    fw::CStatusBar m_statusBar;
    std::vector<RootEntry> m_roots;
    RECT m_bar{};
    RECT m_dragLimits{};
    int m_dragOffset = -1;
    HCURSOR m_keptCursor = nullptr;
    fw::CMenu m_contextMenus;
    fw::CFindReplaceDialog m_findDialog;
    std::string m_findText;
    bool m_contextKeyHasSubkeys = false;
    std::unique_ptr<CSettingsKey> m_settings;  // open while the window runs
};
