// The Registry page in a real wizard over the fixture libraries: the Complete fixture describes
// one value of every kind under HKCU\Software\Halvard\ZelkorFixture\Values.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FixtureLibraries.h"
#include "KeyAccess.h"
#include "MessageBoxAnswers.h"
#include "editors/RegistryPage.h"
#include "framework/ErrorText.h"
#include "registry/RegistryKey.h"
#include "resources/resource.h"
#include "wizard/WizardDlg.h"

namespace {

const char kFixtureKey[] = "Software\\Halvard\\ZelkorFixture";
const char kValuesKey[] = "Software\\Halvard\\ZelkorFixture\\Values";
const char kNotANumber[] = "Please enter a positive number value";
const char kSaveChanges[] = "Save changes to the Registry?";

class RegistryPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kFixtureKey);
        SetDword("Retries", 3);
        SetDword("Speaker", 1);
        SetDword("Build", 42);
        SetString("StationId", "abc");
        SetString("Paper", "a4");
        SetString("InstallPath", "C:\\Fixture");
        SetString("Plain", "of no kind");
    }
    void TearDown() override {
        wizard.reset();
        FreeTestLibraries();
        RegDeleteTreeA(HKEY_CURRENT_USER, kFixtureKey);
    }

    void Open(const std::string& directory = FixtureDirectory()) {
        ASSERT_TRUE(FindTestLibrariesIn(directory));
        wizard = std::make_unique<CWizardDlg>(session);
        auto registry = std::make_unique<CRegistryPage>();
        page = registry.get();
        wizard->AddPage(std::move(registry));
        wizard->AddPage(std::make_unique<CWizardPage>(IDD_WELCOME, true));
        ASSERT_TRUE(wizard->Create(nullptr));
        tree = page->item(IDC_REGPAGE_TREE);
    }

    // Raw registry calls, so that the ground is not laid by the code under test.
    static void SetDword(const char* name, DWORD value) {
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, kValuesKey, name, REG_DWORD, &value, sizeof value));
    }
    static void SetString(const char* name, const std::string& text) {
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, kValuesKey, name, REG_SZ, text.c_str(),
                                                 static_cast<DWORD>(text.size() + 1)));
    }
    static DWORD Dword(const char* name) { return CRegistryKey(HKEY_CURRENT_USER, kValuesKey, false).getDword(name); }
    static std::string String(const char* name) {
        std::string text;
        CRegistryKey(HKEY_CURRENT_USER, kValuesKey, false).getString(name, text);
        return text;
    }
    static bool Exists(const char* name) {
        return CRegistryKey(HKEY_CURRENT_USER, kValuesKey, false).valueExists(name);
    }

    // The item with that label, searched in tree order, each item expanded as a user would to
    // see what is below it; null when there is none.
    HTREEITEM Find(const std::string& label, HTREEITEM from = TVI_ROOT) const {
        if (from != TVI_ROOT) tree.send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(from));
        for (HTREEITEM item = Next(from == TVI_ROOT ? nullptr : from, from == TVI_ROOT ? TVGN_ROOT : TVGN_CHILD); item;
             item = Next(item, TVGN_NEXT)) {
            char text[260] = {};
            TVITEMA query{};
            query.mask = TVIF_TEXT;
            query.hItem = item;
            query.pszText = text;
            query.cchTextMax = sizeof text;
            tree.send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
            if (label == text) return item;
            if (HTREEITEM below = Find(label, item)) return below;
        }
        return nullptr;
    }
    HTREEITEM Next(HTREEITEM item, UINT relation) const {
        return reinterpret_cast<HTREEITEM>(tree.send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    bool Select(const std::string& label) {
        HTREEITEM item = Find(label);
        EXPECT_NE(nullptr, item) << label;
        tree.send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        return Next(nullptr, TVGN_CARET) == item;
    }
    bool Marked(const std::string& label) const {
        return (tree.send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(Find(label)), TVIS_OVERLAYMASK) &
                TVIS_OVERLAYMASK) == INDEXTOOVERLAYMASK(1);
    }
    // Value, key and library marked alike.
    void ExpectMarks(bool marked, const char* value) const {
        EXPECT_EQ(marked, Marked(value)) << value;
        EXPECT_EQ(marked, Marked("Values")) << "the key";
        EXPECT_EQ(marked, Marked("Complete fixture")) << "the library";
    }
    fw::WindowRef Control(int id) const { return page->item(id); }
    void Type(const std::string& text) { Control(IDC_REGPAGE_EDIT).setText(text); }
    void Choose(const char* label) {
        Control(IDC_REGPAGE_LIST).send(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(label));
        page->window().send(WM_COMMAND, MAKEWPARAM(IDC_REGPAGE_LIST, CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(Control(IDC_REGPAGE_LIST).hwnd()));
    }
    void Click(int id) { Control(id).send(BM_CLICK); }
    // The page itself is hidden here: its controls' own styles say what the user would see.
    bool Shown(int id) const { return (GetWindowLongA(Control(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    bool ReadOnly() const { return (GetWindowLongA(Control(IDC_REGPAGE_EDIT), GWL_STYLE) & ES_READONLY) != 0; }

    // The message that told of a failure names the value and gives the system's reason.
    static void ExpectTold(const std::string& message, const char* value, DWORD error) {
        EXPECT_NE(std::string::npos, message.find(value)) << message;
        EXPECT_NE(std::string::npos, message.find(ErrorText(error))) << message;
    }

    WizardSession session;
    std::unique_ptr<CWizardDlg> wizard;
    CRegistryPage* page = nullptr;
    fw::WindowRef tree;
};

TEST_F(RegistryPageTest, WithoutKeysTheTreeIsEmptyAndLeavingAsksNothing) {
    Open(FixtureDirectory() + "..\\syseditlibs\\none\\");
    EXPECT_EQ(nullptr, Next(nullptr, TVGN_ROOT));
    EXPECT_FALSE(Control(IDC_REGPAGE_ADVANCED).isEnabled());
    for (int id : {IDC_REGPAGE_SAVE, IDC_REGPAGE_RESTORE, IDC_REGPAGE_DELETE}) EXPECT_FALSE(Control(id).isEnabled());
    MessageBoxAnswers answers({});
    EXPECT_TRUE(page->PageOpNext());
    EXPECT_TRUE(page->PageOpBack());
    EXPECT_TRUE(answers.Finish().empty());
}

// Pixels of a tree image that the changed mark covers, drawn as the tree draws it.
int MarkedPixels(HIMAGELIST images) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 16);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 32, 16, WHITENESS);
    ImageList_Draw(images, 0, dc, 0, 0, ILD_NORMAL);
    ImageList_Draw(images, 0, dc, 16, 0, ILD_NORMAL | INDEXTOOVERLAYMASK(1));
    int changed = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) changed += GetPixel(dc, x, y) != GetPixel(dc, x + 16, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return changed;
}

TEST_F(RegistryPageTest, TheTreeShowsExistingDescribedValuesUnderCheckableKeysAndMarksChanges) {
    SetString("Build", "not a number");  // the wrong type shows as 0
    Open();
    EXPECT_NE(nullptr, Find("Retries"));
    EXPECT_EQ(nullptr, Find("Unknown")) << "a value of no kind is never offered";
    EXPECT_EQ(nullptr, Find("Missing")) << "a value the registry lacks is left out";
    EXPECT_EQ(0, tree.send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(Find("Retries")), TVIS_STATEIMAGEMASK))
        << "values have no box";
    EXPECT_EQ(INDEXTOSTATEIMAGEMASK(1),
              tree.send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(Find("Values")), TVIS_STATEIMAGEMASK));
    ASSERT_TRUE(Select("Values"));
    EXPECT_EQ(std::string("HKEY_CURRENT_USER\\") + kValuesKey, Control(IDC_REGPAGE_EDIT).text());
    // The path's end shows, however long the path is.
    HWND path = Control(IDC_REGPAGE_EDIT).hwnd();
    RECT box{};
    GetClientRect(path, &box);
    const LRESULT last = SendMessageA(path, EM_POSFROMCHAR, static_cast<WPARAM>(GetWindowTextLengthA(path) - 1), 0);
    EXPECT_LT(static_cast<short>(LOWORD(last)), box.right);
    EXPECT_GE(static_cast<short>(LOWORD(last)), 0);
    EXPECT_EQ("Editable values", Control(IDC_REGPAGE_INFO).text());
    EXPECT_TRUE(Control(IDC_REGPAGE_DELETE).isEnabled());
    ASSERT_TRUE(Select("Build"));
    EXPECT_EQ("0", Control(IDC_REGPAGE_EDIT).text());
    EXPECT_EQ("Build number", Control(IDC_REGPAGE_INFO).text());
    EXPECT_FALSE(Control(IDC_REGPAGE_DELETE).isEnabled());
    // The changed mark covers at least a fifth of an item's image.
    EXPECT_GE(MarkedPixels(reinterpret_cast<HIMAGELIST>(tree.send(TVM_GETIMAGELIST, TVSIL_NORMAL))), 16 * 16 / 5);
}

TEST_F(RegistryPageTest, ARangeValueRefusesLettersAtOnceAndOutOfRangeOnSave) {
    Open();
    MessageBoxAnswers answers({IDOK, IDOK});
    ASSERT_TRUE(Select("Retries"));
    EXPECT_EQ("3", Control(IDC_REGPAGE_EDIT).text());
    EXPECT_FALSE(ReadOnly());
    Type("3x");
    ASSERT_EQ(1u, answers.Finish().size());
    EXPECT_EQ(kNotANumber, answers.Finish()[0]);
    ExpectMarks(false, "Retries");

    MessageBoxAnswers more({IDOK});
    Type("");
    ExpectMarks(true, "Retries");
    EXPECT_TRUE(Control(IDC_REGPAGE_SAVE).isEnabled());
    Type("11");
    Click(IDC_REGPAGE_SAVE);
    EXPECT_EQ(std::vector<std::string>({"Please enter a value between 1 and 10"}), more.Finish());
    EXPECT_EQ(3u, Dword("Retries"));
    MessageBoxAnswers onMove({IDOK});
    EXPECT_FALSE(Select("Build")) << "the refused value keeps the selection";
    EXPECT_EQ(1u, onMove.Finish().size());
}

TEST_F(RegistryPageTest, ReadOnlyKindsStayUnmarkedAndTypingBackUnmarksEverything) {
    Open();
    for (const char* label : {"Build", "Folder"}) {
        ASSERT_TRUE(Select(label));
        EXPECT_TRUE(ReadOnly()) << label;
        Type("1234");
        ExpectMarks(false, label);
    }
    ASSERT_TRUE(Select("Paper"));
    EXPECT_TRUE(Shown(IDC_REGPAGE_LIST));
    EXPECT_FALSE(Shown(IDC_REGPAGE_EDIT));
    EXPECT_EQ("A4", Control(IDC_REGPAGE_LIST).text());
    Choose("A4");
    ExpectMarks(false, "Paper");
    Choose("Letter");
    ExpectMarks(true, "Paper");
    Choose("A4");
    ExpectMarks(false, "Paper");

    ASSERT_TRUE(Select("Station"));
    Type("xyz");
    ExpectMarks(true, "Station");
    Type("abc");
    ExpectMarks(false, "Station");
    EXPECT_FALSE(Control(IDC_REGPAGE_SAVE).isEnabled());
}

TEST_F(RegistryPageTest, SaveOnAKeyWritesAllItsValuesLeavingWritesOnlyChangedOnes) {
    Open();
    ASSERT_TRUE(Select("Retries"));
    Type("5");
    SetString("StationId", "changed elsewhere");
    ASSERT_TRUE(Select("Values"));
    EXPECT_TRUE(Control(IDC_REGPAGE_SAVE).isEnabled());
    Click(IDC_REGPAGE_SAVE);
    EXPECT_EQ(5u, Dword("Retries"));
    EXPECT_EQ("abc", String("StationId")) << "the unchanged value is written with its stored data";
    ExpectMarks(false, "Retries");
    EXPECT_FALSE(Control(IDC_REGPAGE_SAVE).isEnabled());

    ASSERT_TRUE(Select("Speaker"));
    Choose("High");
    SetString("StationId", "changed again");
    {
        MessageBoxAnswers answers({IDCANCEL, IDNO});
        EXPECT_FALSE(page->PageOpNext());
        EXPECT_TRUE(page->PageOpNext());
        EXPECT_EQ(std::vector<std::string>({kSaveChanges, kSaveChanges}), answers.Finish());
    }
    EXPECT_EQ(1u, Dword("Speaker")) << "No writes nothing";
    ExpectMarks(true, "Speaker");
    {
        MessageBoxAnswers answers({IDYES});
        EXPECT_TRUE(page->PageOpBack());
        EXPECT_EQ(1u, answers.Finish().size());
    }
    EXPECT_EQ(2u, Dword("Speaker"));
    EXPECT_EQ("changed again", String("StationId")) << "Yes writes only the changed values";
    ExpectMarks(false, "Speaker");
}

TEST_F(RegistryPageTest, DeletingAsksAndRemovesTheValueFromRegistryAndTree) {
    Open();
    ASSERT_TRUE(Select("Speaker"));
    Choose("High");
    ASSERT_TRUE(Control(IDC_REGPAGE_DELETE).isEnabled());
    {
        MessageBoxAnswers answers({IDNO, IDYES});
        Click(IDC_REGPAGE_DELETE);
        EXPECT_TRUE(Exists("Speaker"));
        Click(IDC_REGPAGE_DELETE);
        EXPECT_EQ(2u, answers.Finish().size());
    }
    EXPECT_FALSE(Exists("Speaker"));
    EXPECT_EQ(nullptr, Find("Speaker"));
    EXPECT_FALSE(Marked("Values")) << "the key's mark goes with its only changed value";

    ASSERT_TRUE(Select("Values"));
    {
        MessageBoxAnswers answers({IDYES});
        Click(IDC_REGPAGE_DELETE);
        answers.Finish();
    }
    EXPECT_EQ(nullptr, Find("Values"));
    EXPECT_FALSE(CRegistryKey(HKEY_CURRENT_USER, false).subkeyExists(kValuesKey));
}

// A delete that the registry refuses leaves the item; a key that went behind the page's back
// leaves the tree with its values.
TEST_F(RegistryPageTest, AFailedDeleteIsToldAndTheTreeShowsTheRegistryAsItIs) {
    Open();
    ASSERT_TRUE(Select("Speaker"));
    {
        KeyAccess readOnly(HKEY_CURRENT_USER, kValuesKey, kReadOnly);
        MessageBoxAnswers answers({IDYES, IDOK});
        Click(IDC_REGPAGE_DELETE);
        const std::vector<std::string>& told = answers.Finish();
        ASSERT_EQ(2u, told.size());
        ExpectTold(told[1], "Speaker", ERROR_ACCESS_DENIED);
    }
    EXPECT_TRUE(Exists("Speaker"));
    EXPECT_NE(nullptr, Find("Speaker"));

    ASSERT_TRUE(Select("Speaker"));
    RegDeleteTreeA(HKEY_CURRENT_USER, kValuesKey);
    MessageBoxAnswers answers({IDYES, IDOK});
    Click(IDC_REGPAGE_DELETE);
    const std::vector<std::string>& told = answers.Finish();
    ASSERT_EQ(2u, told.size());
    ExpectTold(told[1], "Speaker", ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(nullptr, Find("Values"));
    EXPECT_FALSE(Marked("Complete fixture"));
}

// A refused write keeps the value changed and marked, and leaving does not pass it off as saved.
TEST_F(RegistryPageTest, AFailedSaveIsToldAndKeepsTheValueMarked) {
    Open();
    ASSERT_TRUE(Select("Retries"));
    Type("5");
    {
        KeyAccess readOnly(HKEY_CURRENT_USER, kValuesKey, kReadOnly);
        MessageBoxAnswers answers({IDOK, IDYES, IDOK});
        Click(IDC_REGPAGE_SAVE);
        EXPECT_FALSE(page->PageOpNext()) << "the page stays when its values could not be saved";
        const std::vector<std::string>& told = answers.Finish();
        ASSERT_EQ(3u, told.size());
        ExpectTold(told[0], "Retries", ERROR_ACCESS_DENIED);
        EXPECT_EQ(kSaveChanges, told[1]);
        ExpectTold(told[2], "Retries", ERROR_ACCESS_DENIED);
    }
    EXPECT_EQ(3u, Dword("Retries"));
    ExpectMarks(true, "Retries");
    EXPECT_EQ("5", Control(IDC_REGPAGE_EDIT).text());
    EXPECT_TRUE(Control(IDC_REGPAGE_SAVE).isEnabled());

    // A key gone since: told, and the tree no longer shows it.
    RegDeleteTreeA(HKEY_CURRENT_USER, kValuesKey);
    MessageBoxAnswers answers({IDOK});
    Click(IDC_REGPAGE_SAVE);
    const std::vector<std::string>& told = answers.Finish();
    ASSERT_EQ(1u, told.size());
    ExpectTold(told[0], "Retries", ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(nullptr, Find("Values"));
    EXPECT_FALSE(Marked("Complete fixture"));
}

}  // namespace
