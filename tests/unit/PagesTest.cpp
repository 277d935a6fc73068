// The Welcome and Select Diagnostics pages in a real wizard, with test libraries from the
// fixtures loaded through the catalogue: which test pages a Custom session builds, and how the
// check-box tree and the check boxes steer Next. Typical and Full are walked by whole sessions.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "FixtureLibraries.h"
#include "controls/CheckStates.h"
#include "fixture_ids.h"
#include "resources/resource.h"
#include "testlib/TestLibrary.h"
#include "wizard/WelcomePage.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

namespace {

const char kLastPage[] = "Probe page";  // stands in for the Diagnostics complete page

// A click on a button of a page, handled before the call returns.
void ClickButton(HWND page, int id) { SendDlgItemMessageA(page, id, BM_CLICK, 0, 0); }

class PagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FindTestLibrariesIn(FixtureDirectory() + "pages\\"));
        wizard->AddPage(std::make_unique<CWelcomePage>());
        wizard->AddPage(std::make_unique<CWizardPage>(IDD_PROBE_PAGE, true));
        ASSERT_TRUE(wizard->Create(nullptr));
        wizard->window().show(SW_SHOW);
    }
    void TearDown() override {
        wizard.reset();
        FreeTestLibraries();
    }

    // The catalogue's order of the two libraries depends on the directory listing.
    static bool AlphaFirst() {
        CTestLibrary* library = nullptr;
        return GetTestLibrary(0, library) && library->name() == std::string("Alpha");
    }

    void Press(int id) { SendMessageA(wizard->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    bool Enabled(int id) { return wizard->item(id).isEnabled(); }
    std::string Title() { return wizard->item(IDC_WIZARD_TITLE).text(); }
    HWND Page() { return wizard->currentPage()->hwnd(); }

    // Presses Next until the last page; the titles on the way.
    std::vector<std::string> WalkToTheEnd() {
        std::vector<std::string> titles;
        for (int guard = 0; guard < 10 && Enabled(IDC_WIZARD_NEXT); ++guard) {
            Press(IDC_WIZARD_NEXT);
            titles.push_back(Title());
        }
        return titles;
    }

    WizardSession session;
    std::unique_ptr<CWizardDlg> wizard = std::make_unique<CWizardDlg>(session);
};

// The test tree of the current (Select Diagnostics) page, clicked as a user would.
class TreeUser {
public:
    explicit TreeUser(HWND page) : m_tree(GetDlgItem(page, IDC_SELECT_TREE)) {}

    // The index-th child of parent; of the root for null.
    HTREEITEM Child(HTREEITEM parent, int index) const {
        HTREEITEM item = Next(parent, parent ? TVGN_CHILD : TVGN_ROOT);
        while (index-- > 0) item = Next(item, TVGN_NEXT);
        return item;
    }
    int State(HTREEITEM item) const {
        return static_cast<int>(SendMessageA(m_tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item),
                                             TVIS_STATEIMAGEMASK) >> 12);
    }
    void Click(HTREEITEM item) const {
        const LPARAM box = BoxOf(item);
        SendMessageA(m_tree, WM_LBUTTONDOWN, MK_LBUTTON, box);
        SendMessageA(m_tree, WM_LBUTTONUP, 0, box);
    }
private:
    HTREEITEM Next(HTREEITEM item, UINT relation) const {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(m_tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    // A point on the item's check box, found by hit-testing along its row.
    LPARAM BoxOf(HTREEITEM item) const {
        RECT row{};
        std::memcpy(&row, &item, sizeof item);  // TVM_GETITEMRECT takes the item in the rectangle
        SendMessageA(m_tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&row));
        const int y = (row.top + row.bottom) / 2;
        for (int x = 0; x < row.left; ++x) {
            TVHITTESTINFO hit{{x, y}, 0, nullptr};
            SendMessageA(m_tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if (hit.hItem == item && (hit.flags & TVHT_ONITEMSTATEICON)) return MAKELPARAM(x + 4, y);
        }
        ADD_FAILURE() << "no check box found";
        return 0;
    }
    HWND m_tree;
};

// Next needs a checked test and "Diagnostics and Utilities"; the checked tests' pages follow the
// Select Diagnostics page, which Custom reuses and Typical drops.
TEST_F(PagesTest, CustomSteersNextByTheTreeAndBuildsTheCheckedTests) {
    ClickButton(Page(), IDC_WELCOME_CUSTOM);
    Press(IDC_WIZARD_NEXT);
    CWizardPage* select = wizard->currentPage();
    ASSERT_EQ("Select Diagnostics", Title());
    EXPECT_FALSE(session.autoRun);
    HWND page = Page();
    TreeUser tree(page);
    auto diagnosticsChecked = [&] { return SendDlgItemMessageA(page, IDC_SELECT_DIAGNOSTICS, BM_GETCHECK, 0, 0) == BST_CHECKED; };
    EXPECT_FALSE(Enabled(IDC_WIZARD_NEXT));

    HTREEITEM alpha = tree.Child(nullptr, AlphaFirst() ? 0 : 1);
    HTREEITEM a1 = tree.Child(alpha, 0);
    HTREEITEM a2 = tree.Child(alpha, 1);
    tree.Click(alpha);
    EXPECT_EQ(kChecked, tree.State(a2));
    EXPECT_TRUE(diagnosticsChecked());
    EXPECT_TRUE(Enabled(IDC_WIZARD_NEXT));
    ClickButton(page, IDC_SELECT_DIAGNOSTICS);
    EXPECT_FALSE(Enabled(IDC_WIZARD_NEXT));
    ClickButton(page, IDC_SELECT_DIAGNOSTICS);
    EXPECT_TRUE(Enabled(IDC_WIZARD_NEXT));
    tree.Click(a1);
    EXPECT_EQ(kPartlyChecked, tree.State(alpha));
    EXPECT_TRUE(diagnosticsChecked());
    tree.Click(a2);
    EXPECT_EQ(kUnchecked, tree.State(alpha));
    EXPECT_FALSE(diagnosticsChecked());
    EXPECT_FALSE(Enabled(IDC_WIZARD_NEXT));

    tree.Click(tree.Child(nullptr, AlphaFirst() ? 1 : 0));
    // Checked in tree order b0, b1, b3, b7; b0 has no page; each page went directly after this one.
    EXPECT_EQ(std::vector<std::string>({"b7", "b3", "b1", kLastPage}), WalkToTheEnd());
    Press(IDC_WIZARD_PREVIOUS);
    EXPECT_EQ(select, wizard->currentPage());
    EXPECT_EQ(3u, wizard->pageCount());
    Press(IDC_WIZARD_PREVIOUS);

    // Custom again reuses the page that exists, with the user's ticks.
    ClickButton(Page(), IDC_WELCOME_CUSTOM);
    Press(IDC_WIZARD_NEXT);
    EXPECT_EQ(select, wizard->currentPage());
    EXPECT_EQ(3u, wizard->pageCount());
    Press(IDC_WIZARD_PREVIOUS);

    ClickButton(Page(), IDC_WELCOME_TYPICAL);
    EXPECT_EQ(4u, WalkToTheEnd().size());  // three tests, the last page
    EXPECT_TRUE(session.autoRun);
    ASSERT_EQ(5u, wizard->pageCount());
    for (size_t i = 0; i < wizard->pageCount(); ++i) EXPECT_NE("Select Diagnostics", wizard->page(i)->window().text());
}

}  // namespace

