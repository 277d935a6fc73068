// The registry editor's window: creation, settings, and the dispatch of its messages.
#include "editors/RegistryEditorWnd.h"

#include <windowsx.h>

#include "editors/EditorSettingsIds.h"
#include "framework/StringTable.h"
#include "resources/resource.h"

CRegistryEditorWnd::CRegistryEditorWnd(HWND owner) : m_owner(owner) {}

// The window goes while this object is whole: its last messages still find their handlers.
CRegistryEditorWnd::~CRegistryEditorWnd() { DestroyWindow(); }

void CRegistryEditorWnd::AddRootEntry(const std::string& name, HKEY root, const std::string& path) {
    m_roots.push_back(RootEntry{name, root, path});
}

int CRegistryEditorWnd::Run() {
    if (!Open()) {
        m_settings.reset();
        return -1;
    }
    const int result = RunModalLoop(m_owner);
    Close();
    return result;
}

bool CRegistryEditorWnd::Open() {
    m_settings = std::make_unique<CSettingsKey>(SETTINGS_REGISTRY_EDITOR);
    // The frame paints only its splitter bar: erasing under the tree and the list would wipe
    // what they have painted when the bar moves.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
    if (!Create(fw::LoadedString(IDS_REGEDIT_TITLE), style, 0, m_owner, IDR_REGEDIT)) return false;
    applyStoredLayout();
    insertColumns();
    FillTree();
    return true;
}

void CRegistryEditorWnd::Close() {
    if (hwnd() && m_settings) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(hwnd(), &placement);
        m_settings->setBinary(REGISTRY_EDITOR_WINDOW, &placement, sizeof placement);
        m_settings->setDword(REGISTRY_EDITOR_SPLIT, static_cast<DWORD>(m_bar.left));
        m_settings->setDword(REGISTRY_EDITOR_ENTRY_WIDTH, static_cast<DWORD>(m_list.ColumnWidth(0)));
        m_settings->setDword(REGISTRY_EDITOR_DATA_WIDTH, static_cast<DWORD>(m_list.ColumnWidth(1)));
    }
    DestroyWindow();
    m_settings.reset();
}

bool CRegistryEditorWnd::OnCreate() {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_ZELKOR));
    window().send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    LoadAcceleratorTable(IDR_REGEDIT_KEYS);
    if (!m_statusBar.Create(hwnd())) return false;
    m_statusBar.SetIndicators(fw::LoadedString(IDS_IDLE_MESSAGE), {});
    UseMessageBar(m_statusBar);
    if (!m_images.LoadBitmap(IDB_REGISTRY_IMAGES, 16, fw::kImageMaskColour)) return false;
    const DWORD child = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    if (!m_tree.Create(hwnd(), IDC_REGEDIT_TREE,
                       child | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE))
        return false;
    m_tree.SetImageList(m_images.handle());
    if (!m_list.Create(hwnd(), IDC_REGEDIT_LIST, child | LVS_REPORT | LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS,
                       WS_EX_CLIENTEDGE))
        return false;
    m_list.SetSmallImageList(m_images.handle());
    return m_contextMenus.Load(IDR_REGEDIT_CONTEXT);
}

// A first run opens over the owner, puts the bar in the middle and halves the list between the
// two columns.
void CRegistryEditorWnd::applyStoredLayout() {
    WINDOWPLACEMENT placement{};
    DWORD size = sizeof placement;
    if (m_settings->getBinary(REGISTRY_EDITOR_WINDOW, &placement, size) == ERROR_SUCCESS &&
        size == sizeof placement) {
        placement.length = sizeof placement;
        placement.showCmd = placement.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        // Applied to the hidden window: it keeps its place until the loop shows it.
        const UINT showCommand = placement.showCmd;
        placement.showCmd = SW_HIDE;
        SetWindowPlacement(hwnd(), &placement);
        if (showCommand == SW_SHOWMAXIMIZED) ShowWindow(hwnd(), SW_SHOWMAXIMIZED);
        SetSplitterPosition(static_cast<int>(m_settings->getDword(REGISTRY_EDITOR_SPLIT)));
    } else {
        fw::CentreOver(hwnd(), m_owner);
        SetSplitterPosition((fw::width(window().clientRect()) - barWidth()) / 2);
    }
}

void CRegistryEditorWnd::insertColumns() {
    int entryWidth, dataWidth;
    if (m_settings->valueExists(REGISTRY_EDITOR_ENTRY_WIDTH)) {
        entryWidth = static_cast<int>(m_settings->getDword(REGISTRY_EDITOR_ENTRY_WIDTH));
        dataWidth = static_cast<int>(m_settings->getDword(REGISTRY_EDITOR_DATA_WIDTH));
    } else {
        const int listWidth = fw::width(fw::WindowRef(m_list.hwnd()).clientRect());
        entryWidth = listWidth / 2;
        dataWidth = listWidth - entryWidth;
    }
    m_list.InsertColumn(0, fw::LoadedString(IDS_REGEDIT_COL_ENTRY), entryWidth);
    m_list.InsertColumn(1, fw::LoadedString(IDS_REGEDIT_COL_DATA), dataWidth);
}

bool CRegistryEditorWnd::PreTranslateMessage(MSG& message) {
    return m_findDialog.PreTranslateMessage(message) || CFrameWnd::PreTranslateMessage(message);
}

LRESULT CRegistryEditorWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT:
        paintSplitter();
        return 0;
    case WM_MOUSEMOVE:
        if (onMouseMove(point)) return 0;
        break;
    case WM_LBUTTONDOWN:
        if (onButtonDown(point)) return 0;
        break;
    case WM_LBUTTONUP:
        if (onButtonUp()) return 0;
        break;
    case WM_GETMINMAXINFO:
        onMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_CONTEXTMENU:
        showContextMenu(reinterpret_cast<HWND>(wParam), point);
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == m_tree.hwnd() && header->code == TVN_SELCHANGEDA) {
            const auto* change = reinterpret_cast<const NMTREEVIEWA*>(lParam);
            onSelectionChanged(change->itemOld.hItem, change->itemNew.hItem);
        } else if (header->hwndFrom == m_list.hwnd() && header->code == NM_DBLCLK) {
            onListDoubleClick();
        }
        return 0;
    }
    default:
        if (message == fw::CFindReplaceDialog::Message()) {
            onFindReport(lParam);
            return 0;
        }
        break;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}
