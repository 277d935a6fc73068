// The text editor window, driven in this process: command enabling and the read-only window,
// closing with unsaved changes, the font change, searching, and saving (the saved flag, and a
// failed save that must leave the file whole), each in both kinds of control where they differ;
// the default font. Where the window first opens is tested with the registry editor's.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <richedit.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "ScratchDirectory.h"
#include "driver/Driver.h"
#include "editors/TextEditorWnd.h"
#include "framework/Font.h"
#include "framework/StatusBar.h"
#include "framework/TextCtrl.h"
#include "framework/Window.h"
#include "resources/resource.h"
#include "zelkor.h"

namespace {

// Runs action here while another thread waits for the next message box and presses button;
// returns the box's text (empty when none came).
std::string AnsweringBox(int button, const std::function<void()>& action, DWORD timeoutMs = 10000) {
    std::string text;
    std::thread answerer([&] {
        const drive::MessageBoxSeen box = drive::WaitForMessageBox(GetCurrentProcessId(), timeoutMs);
        text = box.text;
        drive::AnswerMessageBox(box, button);
    });
    action();
    answerer.join();
    return text;
}

void Type(HWND control, const std::string& text) {
    for (char c : text) SendMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 1);
}

std::string TextOf(HWND control) { return fw::WindowRef(control).text(); }

// As the menu shows it when it opens.
bool MenuItemEnabled(HWND frame, UINT id) {
    HMENU menu = GetMenu(frame);
    for (int popup = 0; popup < GetMenuItemCount(menu); ++popup)
        SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(menu, popup)), popup);
    return !(GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED);
}

std::string PaneText(HWND frame, int pane) {
    char text[128] = {};
    SendDlgItemMessageA(frame, fw::CStatusBar::kDefaultId, SB_GETTEXTA, pane, reinterpret_cast<LPARAM>(text));
    return text;
}

// As both kinds of text control understand it.
void Select(HWND control, LONG from, LONG to) { SendMessageA(control, EM_SETSEL, from, to); }

CHARRANGE SelectionOf(HWND control) {
    CHARRANGE range{};
    SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&range.cpMin), reinterpret_cast<LPARAM>(&range.cpMax));
    return range;
}

void Command(const CTextEditorWnd& editor, UINT id) { SendMessageA(editor.hwnd(), WM_COMMAND, id, 0); }

// Numbered log lines up to at least the size, with "needle" in line 250 and the last line, and
// only a word or case away from it in line 100.
std::string NumberedLines(size_t bytes) {
    std::string text;
    for (unsigned line = 0; text.size() < bytes || line <= 250; ++line)
        text += "line " + std::to_string(line) + (line == 100 ? " Needle needles" : line == 250 ? " needle" : "") +
                " of the log\r\n";
    return text + "needle\r\nthe end\r\n";
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The top left of the character in the control's client area, as each kind reports it.
LONG TopOf(HWND control, LONG position) {
    if (ClassOf(control) == "Edit") return HIWORD(SendMessageA(control, EM_POSFROMCHAR, position, 0));
    POINTL point{};
    SendMessageA(control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), position);
    return point.y;
}

// True when the whole line that holds the position is within the client area.
bool LineShown(HWND control, LONG position) {
    const auto line = SendMessageA(control, EM_LINEFROMCHAR, position, 0);
    const LONG top = TopOf(control, position);
    const LONG next = TopOf(control, static_cast<LONG>(SendMessageA(control, EM_LINEINDEX, line + 1, 0)));
    RECT client{};
    GetClientRect(control, &client);
    return top >= 0 && next > top && next <= client.bottom;
}

// Presses Find Next in the Find dialog with that text, then closes the dialog. (Open, it would
// pass for a message box to the answerer.)
void FindWithDialog(const CTextEditorWnd& editor, const char* text, bool wholeWordAndCase = false) {
    Command(editor, ID_EDITOR_FIND);
    HWND find = drive::WaitForTopLevel(GetCurrentProcessId(), "#32770", "Find", 5000);
    ASSERT_NE(nullptr, find);
    SetDlgItemTextA(find, edt1, text);
    CheckDlgButton(find, chx1, wholeWordAndCase ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(find, chx2, wholeWordAndCase ? BST_CHECKED : BST_UNCHECKED);
    SendMessageA(find, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(find, IDOK)));
    SendMessageA(find, WM_COMMAND, IDCANCEL, 0);
}

// A 19-pixel fixed-pitch font, as the Font dialog hands it back.
LOGFONTA ChosenFont() {
    LOGFONTA font{};
    font.lfHeight = -19;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    return font;
}

class TextEditorTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Halvard\\Zelkor\\Text Editor"); }

    std::unique_ptr<CTextEditorWnd> open(const std::string& text, bool readOnly = false) {
        EXPECT_TRUE(WriteTextFile(path, text));
        auto editor = std::make_unique<CTextEditorWnd>(nullptr, "Notes", path, readOnly);
        EXPECT_TRUE(editor->Open());
        return editor;
    }

    ScratchDirectory scratch;
    const std::string path = scratch / "notes.txt";
};

TEST_F(TextEditorTest, AReadOnlyWindowRefusesChangesAndSaysSo) {
    for (const bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly ? "read-only" : "writable");
        auto editor = open("line one\r\nline two\r\n", readOnly);
        HWND text = editor->textControl();
        OpenClipboard(nullptr);  // text on the clipboard, so that only read-only greys Paste
        EmptyClipboard();
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, 4);
        lstrcpyA(static_cast<char*>(GlobalLock(data)), "abc");
        GlobalUnlock(data);
        SetClipboardData(CF_TEXT, data);
        CloseClipboard();

        Select(text, 0, 4);
        EXPECT_EQ(!readOnly, MenuItemEnabled(editor->hwnd(), ID_EDITOR_CUT));
        EXPECT_EQ(!readOnly, MenuItemEnabled(editor->hwnd(), ID_EDITOR_DELETE));
        EXPECT_EQ(!readOnly, MenuItemEnabled(editor->hwnd(), ID_EDITOR_PASTE));
        EXPECT_TRUE(MenuItemEnabled(editor->hwnd(), ID_EDITOR_COPY));
        EXPECT_EQ(readOnly ? "READ" : "", PaneText(editor->hwnd(), 1));
        // The highlighted menu item's prompt, and the idle text once the menu closes.
        const auto file = reinterpret_cast<LPARAM>(GetSubMenu(GetMenu(editor->hwnd()), 0));
        SendMessageA(editor->hwnd(), WM_MENUSELECT, MAKEWPARAM(ID_EDITOR_SAVE, MF_GRAYED), file);
        EXPECT_EQ("Saves the file", PaneText(editor->hwnd(), 0));
        SendMessageA(editor->hwnd(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        EXPECT_EQ("Ready", PaneText(editor->hwnd(), 0));

        // A greyed command is ignored even when it arrives (as from an accelerator).
        Command(*editor, ID_EDITOR_SAVE);
        EXPECT_FALSE(editor->saved());
        Type(text, "X");
        EXPECT_EQ(readOnly ? "line one\r\nline two\r\n" : "X one\r\nline two\r\n", TextOf(text));
        EXPECT_EQ(!readOnly, editor->modified());
        EXPECT_EQ(!readOnly, MenuItemEnabled(editor->hwnd(), ID_EDITOR_SAVE));
        EXPECT_EQ(!readOnly, MenuItemEnabled(editor->hwnd(), ID_EDITOR_RESTORE));
        EXPECT_EQ(readOnly ? "Notes" : "Notes [modified]", drive::Text(editor->hwnd()));
    }
}

// Cancel keeps everything; Yes saves first. Nothing is asked of an unmodified window.
TEST_F(TextEditorTest, ClosingWithChangesAsksAndCancelKeepsTheWindowAsItWas) {
    auto editor = open("draft");
    EXPECT_EQ("", AnsweringBox(IDCANCEL, [&] { SendMessageA(editor->hwnd(), WM_CLOSE, 0, 0); }, 1000));
    Type(editor->textControl(), "My ");
    EXPECT_EQ("Save changes to Notes?",
              AnsweringBox(IDCANCEL, [&] { SendMessageA(editor->hwnd(), WM_CLOSE, 0, 0); }));
    ASSERT_TRUE(IsWindow(editor->hwnd()));
    EXPECT_TRUE(editor->modified());
    EXPECT_EQ("Notes [modified]", drive::Text(editor->hwnd()));
    EXPECT_EQ("My draft", TextOf(editor->textControl()));
    EXPECT_EQ("Save changes to Notes?", AnsweringBox(IDYES, [&] { Command(*editor, ID_EDITOR_CLOSE); }));
    EXPECT_EQ("My draft", ReadTextFile(path));
    EXPECT_TRUE(editor->saved());
}

// In both kinds of control, modified or not.
TEST_F(TextEditorTest, AFontChangeKeepsTheTextTheSelectionAndTheModifiedState) {
    LOGFONTA chosen = ChosenFont();
    lstrcpyA(chosen.lfFaceName, "Courier New");
    HDC screen = GetDC(nullptr);
    const int twips = MulDiv(19, 1440, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    const struct {
        size_t size;
        bool modified;
    } cases[] = {{0, true}, {0, false}, {CTextEditorWnd::kLargestRichText + 1, true}};
    for (const auto& each : cases) {
        SCOPED_TRACE(std::to_string(each.size) + (each.modified ? " modified" : " unmodified"));
        const std::string text = NumberedLines(each.size);
        auto editor = open(text);
        if (each.modified) Type(editor->textControl(), "+");
        Select(editor->textControl(), 2, 5);
        ASSERT_TRUE(editor->SetDisplayFont(chosen));
        HWND control = editor->textControl();
        EXPECT_TRUE((each.modified ? "+" + text : text) == TextOf(control));
        EXPECT_EQ(2, SelectionOf(control).cpMin);
        EXPECT_EQ(5, SelectionOf(control).cpMax);
        EXPECT_EQ(each.modified, editor->modified());
        EXPECT_EQ(each.modified ? "Notes [modified]" : "Notes", drive::Text(editor->hwnd()));
        if (each.size) {
            LOGFONTA shown{};
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof shown, &shown);
            EXPECT_EQ(-19, shown.lfHeight);
        } else {
            CHARFORMATA format{};
            format.cbSize = sizeof format;
            SendMessageA(control, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
            EXPECT_EQ(twips, format.yHeight);
        }
        // The text keeps reporting changes after the font change.
        Type(control, "!");
        EXPECT_TRUE(editor->modified());
    }
}

// A save that cannot replace the file: a clear message, the text and the modified state kept, no
// saved flag, and the file as it was. A save then writes the text whole, Restore reads the file
// again, and a file that has gained a zero byte comes back read-only: a save would cut it there.
// A file beyond the Rich Edit size goes to the plain control, which does all this too.
TEST_F(TextEditorTest, SaveAndRestoreKeepTheFileAndTheTextWholeAndAFailureChangesNothing) {
    for (const size_t size : {size_t(0), CTextEditorWnd::kLargestRichText + 1}) {
        const std::string text = NumberedLines(size);
        SCOPED_TRACE(text.size());
        auto editor = open(text);
        HWND control = editor->textControl();
        EXPECT_TRUE(!size || ClassOf(control) == "Edit") << ClassOf(control);
        EXPECT_TRUE(text == TextOf(control));
        Type(control, "Checked: ");
        Select(control, 0, 0);
        {
            fw::UniqueFile lock(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(lock.valid());
            const std::string message = AnsweringBox(IDOK, [&] { Command(*editor, ID_EDITOR_SAVE); });
            EXPECT_EQ(0u, message.find("Zelkor could not save the file \"" + path + "\": ")) << message;
            const std::string restore = AnsweringBox(IDOK, [&] { Command(*editor, ID_EDITOR_RESTORE); });
            EXPECT_EQ(0u, restore.find("Zelkor could not open the file \"" + path + "\": ")) << restore;
        }
        // A read-only file is refused everywhere, as Windows refuses to replace it.
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        const std::string readOnly = AnsweringBox(IDOK, [&] { Command(*editor, ID_EDITOR_SAVE); });
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(0u, readOnly.find("Zelkor could not save the file \"" + path + "\": ")) << readOnly;
        EXPECT_FALSE(editor->saved());
        EXPECT_TRUE(editor->modified());
        EXPECT_EQ("Notes [modified]", drive::Text(editor->hwnd()));
        EXPECT_TRUE("Checked: " + text == TextOf(control));
        EXPECT_TRUE(text == ReadTextFile(path));

        Command(*editor, ID_EDITOR_SAVE);
        EXPECT_TRUE("Checked: " + text == ReadTextFile(path));
        EXPECT_FALSE(editor->modified());
        Type(control, "x");
        Command(*editor, ID_EDITOR_RESTORE);
        EXPECT_TRUE("Checked: " + text == TextOf(editor->textControl()));
        EXPECT_FALSE(editor->modified());
        ASSERT_TRUE(WriteTextFile(path, text + std::string(1, '\0')));
        Type(editor->textControl(), "x");
        Command(*editor, ID_EDITOR_RESTORE);
        EXPECT_TRUE(!size || ClassOf(editor->textControl()) == "Edit");
        EXPECT_TRUE(GetWindowLongA(editor->textControl(), GWL_STYLE) & ES_READONLY);
        EXPECT_EQ("READ", PaneText(editor->hwnd(), 1));
    }
}

// Through the host function, with the platform's editor out of reach: the flag that the opener
// gets is whether the user saved at least once, even if later changes were dropped.
TEST_F(TextEditorTest, TheSavedFlagReachesTheCallerOfZKTextEdit) {
    // CTest starts the tests with the platform's editor disabled; a process cannot do it later.
    char overrides[1024] = {};
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    if (std::string(overrides).find("notepad.exe=d") == std::string::npos)
        GTEST_SKIP() << "needs WINEDLLOVERRIDES=notepad.exe=d";
    for (const bool save : {true, false}) {
        SCOPED_TRACE(save ? "saved once" : "never saved");
        ASSERT_TRUE(WriteTextFile(path, "log\r\n"));
        std::thread user([&] {
            HWND frame = drive::WaitForTopLevel(GetCurrentProcessId(), "ZKFRAME", "Notes", 10000);
            HWND text = GetDlgItem(frame, IDC_EDITOR_TEXT);
            Type(text, "A");
            if (save) {
                PostMessageA(frame, WM_COMMAND, ID_EDITOR_SAVE, 0);
                drive::WaitFor([&] { return drive::Text(frame) == "Notes" ? frame : nullptr; }, 5000);
                Type(text, "B");
            }
            PostMessageA(frame, WM_CLOSE, 0, 0);
            drive::AnswerMessageBox(drive::WaitForMessageBox(GetCurrentProcessId(), 5000), IDNO);
        });
        EXPECT_EQ(save ? TRUE : FALSE, ZKTextEdit(path.c_str(), "Notes", FALSE));
        user.join();
        EXPECT_EQ(save ? "Alog\r\n" : "log\r\n", ReadTextFile(path));
    }
}

// The Find dialog's first search with its options, then F3 onward from the selection without
// wrapping; the match far below the first lines comes into view, in both kinds of control.
TEST_F(TextEditorTest, FindSearchesForwardFromTheSelectionAndScrollsTheMatchIntoView) {
    for (const size_t size : {size_t(0), CTextEditorWnd::kLargestRichText + 1}) {
        const std::string text = NumberedLines(size);
        SCOPED_TRACE(text.size());
        auto editor = open(text);
        editor->window().show(SW_SHOW);
        HWND control = editor->textControl();
        EXPECT_FALSE(MenuItemEnabled(editor->hwnd(), ID_EDITOR_FIND_NEXT));
        FindWithDialog(*editor, "needle", true);
        const auto first = static_cast<LONG>(text.find(" needle ") + 1);
        EXPECT_EQ(first, SelectionOf(control).cpMin);
        EXPECT_EQ(first + 6, SelectionOf(control).cpMax);
        EXPECT_TRUE(LineShown(control, first));
        EXPECT_TRUE(MenuItemEnabled(editor->hwnd(), ID_EDITOR_FIND_NEXT)) << "closing the dialog keeps the search";
        Command(*editor, ID_EDITOR_FIND_NEXT);
        const auto last = static_cast<LONG>(text.rfind("needle"));
        EXPECT_EQ(last, SelectionOf(control).cpMin);
        EXPECT_TRUE(LineShown(control, last));
        EXPECT_EQ("No matches found", AnsweringBox(IDOK, [&] { Command(*editor, ID_EDITOR_FIND_NEXT); }));
        EXPECT_EQ(last, SelectionOf(control).cpMin);
        Select(control, 0, 0);
        Command(*editor, ID_EDITOR_FIND_NEXT);
        EXPECT_EQ(first, SelectionOf(control).cpMin);
        // Find opens the dialog again with the last search.
        Command(*editor, ID_EDITOR_FIND);
        HWND find = drive::WaitForTopLevel(GetCurrentProcessId(), "#32770", "Find", 5000);
        ASSERT_NE(nullptr, find);
        EXPECT_EQ("needle", drive::Text(GetDlgItem(find, edt1)));
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(find, chx2));
        SendMessageA(find, WM_COMMAND, IDCANCEL, 0);
    }
}

TEST(FindTextTest, MatchesAsRichEditDoes) {
    const std::wstring text = L"\u00C4rger_x \u00E4rger, \u00C4RGER2 \u00E4rger";
    const std::wstring what = L"\u00E4rger";
    EXPECT_EQ(0u, fw::FindText(text, 0, what, 0));
    EXPECT_EQ(8u, fw::FindText(text, 0, what, FR_MATCHCASE));
    EXPECT_EQ(8u, fw::FindText(text, 0, what, FR_WHOLEWORD));  // not before "_x" nor "2"
    EXPECT_EQ(22u, fw::FindText(text, 10, what, FR_WHOLEWORD | FR_MATCHCASE));
    EXPECT_EQ(std::wstring::npos, fw::FindText(text, 23, what, 0));
    EXPECT_EQ(std::wstring::npos, fw::FindText(text, 0, L"", 0));
}

// A file the editor cannot hold is refused with a message that says so, before it is read.
TEST_F(TextEditorTest, AFileTooLargeToEditIsRefusedWithAMessage) {
    {
        fw::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        LARGE_INTEGER size{};
        size.QuadPart = CTextEditorWnd::kLargestFile + 1;
        ASSERT_TRUE(SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN) && SetEndOfFile(file.get()));
    }
    CTextEditorWnd editor(nullptr, "Notes", path, false);
    bool opened = true;
    EXPECT_EQ("The file \"" + path + "\" is too large for the text editor: it holds 129 MB, and the editor opens files of up to 128 MB.",
              AnsweringBox(IDOK, [&] { opened = editor.Open(); }));
    EXPECT_FALSE(opened);
}

// Without a stored font: a fixed-pitch face at 10 points, and the Font dialog opens on it, so that
// OK without a change keeps it. An empty height stored by earlier versions counts as none.
TEST_F(TextEditorTest, TheDefaultFontIsFixedPitchAtTenPointsAndTheFontDialogOpensOnIt) {
    LOGFONTA old{};
    old.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Halvard\\Zelkor\\Text Editor", &key));
    RegSetValueExA(key, "Font", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&old), sizeof old);
    RegCloseKey(key);
    auto editor = open("text\r\n");
    const auto shown = [&] {
        CHARFORMATA format{};
        format.cbSize = sizeof format;
        SendMessageA(editor->textControl(), EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
        return format;
    };
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    const int tenPoints = MulDiv(MulDiv(10, dpi, 72), 1440, dpi);  // in twips, whole pixels
    EXPECT_EQ(tenPoints, shown().yHeight);
    LOGFONTA face{};
    lstrcpyA(face.lfFaceName, shown().szFaceName);
    fw::CFont font;
    ASSERT_TRUE(font.Create(face));
    const HGDIOBJ previous = SelectObject(screen, font.handle());
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    EXPECT_FALSE(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) << face.lfFaceName;  // set means variable pitch

    std::string size;
    std::thread user([&] {
        HWND dialog = drive::WaitForTopLevel(GetCurrentProcessId(), "#32770", "Font", 5000);
        if (!dialog) return;
        drive::WaitFor([&] { return drive::Text(GetDlgItem(dialog, cmb3)).empty() ? nullptr : dialog; }, 2000);
        size = drive::Text(GetDlgItem(dialog, cmb3));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    Command(*editor, ID_EDITOR_FONT);
    user.join();
    EXPECT_EQ("10", size);
    EXPECT_EQ(tenPoints, shown().yHeight);
}

}  // namespace
