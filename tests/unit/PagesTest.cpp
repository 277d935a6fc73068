// The Welcome and Select Diagnostics pages in a real wizard, with test libraries from the
// fixtures loaded through the catalogue: which test pages each session builds, in what order,
// and how the check-box tree and the check boxes steer Next.
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
        auto welcomePage = std::make_unique<CWelcomePage>();
        welcome = welcomePage.get();
        wizard->AddPage(std::move(welcomePage));
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

    // Leaves the Welcome page with a choice and walks to the last page; the titles on the way.
    std::vector<std::string> Run(int choice) {
        EXPECT_EQ(welcome, wizard->currentPage());
        ClickButton(Page(), choice);
        return WalkToTheEnd();
    }
    std::vector<std::string> WalkToTheEnd() {
        std::vector<std::string> titles;
        for (int guard = 0; guard < 10 && Enabled(IDC_WIZARD_NEXT); ++guard) {
            Press(IDC_WIZARD_NEXT);
            titles.push_back(Title());
        }
        return titles;
    }

    CWelcomePage* welcome = nullptr;
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
    // Presses on the box, then moves off it and lets go there; returns the state while pressed.
    int PressAndSlideAway(HTREEITEM item) const {
        const LPARAM box = BoxOf(item);
        SendMessageA(m_tree, WM_LBUTTONDOWN, MK_LBUTTON, box);
        const int pressed = State(item);
        const LPARAM away = MAKELPARAM(LOWORD(box) + 60, HIWORD(box));
        SendMessageA(m_tree, WM_MOUSEMOVE, MK_LBUTTON, away);
        SendMessageA(m_tree, WM_LBUTTONUP, 0, away);
        return pressed;
    }
    int Count() const { return static_cast<int>(SendMessageA(m_tree, TVM_GETCOUNT, 0, 0)); }

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

TEST_F(PagesTest, FullAndTypicalBuildTheirTestsInReverseOfLibraryAndResourceOrder) {
    // Full: the tests with bit 0 and without bit 2, so neither b0 nor b7.
    const std::vector<std::string> full = AlphaFirst()
                                              ? std::vector<std::string>{"b3", "b1", "a2", "a1", kLastPage}
                                              : std::vector<std::string>{"a2", "a1", "b3", "b1", kLastPage};
    EXPECT_EQ(full, Run(IDC_WELCOME_FULL));
    EXPECT_TRUE(session.autoRun);

    // Back on Welcome every test page is gone; Typical builds its own: those with bit 1 as well.
    Press(IDC_WIZARD_PREVIOUS);
    EXPECT_EQ(welcome, wizard->currentPage());
    EXPECT_EQ(2u, wizard->pageCount());
    const std::vector<std::string> typical = AlphaFirst() ? std::vector<std::string>{"b3", "a2", "a1", kLastPage}
                                                          : std::vector<std::string>{"a2", "a1", "b3", kLastPage};
    EXPECT_EQ(typical, Run(IDC_WELCOME_TYPICAL));
}

TEST_F(PagesTest, CustomBuildsTheCheckedTestsAndTypicalAfterwardsDropsTheSelectPage) {
    ClickButton(Page(), IDC_WELCOME_CUSTOM);
    Press(IDC_WIZARD_NEXT);
    CWizardPage* select = wizard->currentPage();
    ASSERT_EQ("Select Diagnostics", Title());
    EXPECT_FALSE(session.autoRun);
    TreeUser tree(Page());
    ASSERT_EQ(8, tree.Count());  // both libraries and all their tests, b0 without a page too
    tree.Click(tree.Child(nullptr, AlphaFirst() ? 1 : 0));
    // Checked in tree order b0, b1, b3, b7; b0 has no page; each page went directly after this one.
    EXPECT_EQ(std::vector<std::string>({"b7", "b3", "b1", kLastPage}), WalkToTheEnd());

    Press(IDC_WIZARD_PREVIOUS);
    EXPECT_EQ(select, wizard->currentPage());
    EXPECT_EQ(3u, wizard->pageCount());
    // Coming back leaves Next as the wizard set it: the page applies its rule at the next click.
    EXPECT_TRUE(Enabled(IDC_WIZARD_NEXT));
    Press(IDC_WIZARD_PREVIOUS);

    // Custom again reuses the page that exists, with the user's ticks.
    ClickButton(Page(), IDC_WELCOME_CUSTOM);
    Press(IDC_WIZARD_NEXT);
    EXPECT_EQ(select, wizard->currentPage());
    EXPECT_EQ(3u, wizard->pageCount());
    Press(IDC_WIZARD_PREVIOUS);

    EXPECT_EQ(4u, Run(IDC_WELCOME_TYPICAL).size());  // three tests, the last page
    EXPECT_TRUE(session.autoRun);
    ASSERT_EQ(5u, wizard->pageCount());
    for (size_t i = 0; i < wizard->pageCount(); ++i) EXPECT_NE("Select Diagnostics", wizard->page(i)->window().text());
}

TEST_F(PagesTest, TreeClicksSteerDiagnosticsAndUtilitiesAndNext) {
    ClickButton(Page(), IDC_WELCOME_CUSTOM);
    Press(IDC_WIZARD_NEXT);
    HWND page = Page();
    TreeUser tree(page);
    auto diagnosticsChecked = [&] { return SendDlgItemMessageA(page, IDC_SELECT_DIAGNOSTICS, BM_GETCHECK, 0, 0) == BST_CHECKED; };

    EXPECT_FALSE(Enabled(IDC_WIZARD_NEXT));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_SELECT_DIAGNOSTICS)));
    // This program has no Registry or System Editor page yet: nothing to open behind those boxes.
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_SELECT_REGISTRY)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_SELECT_SYSTEM)));

    HTREEITEM library = tree.Child(nullptr, AlphaFirst() ? 0 : 1);
    HTREEITEM a1 = tree.Child(library, 0);
    HTREEITEM a2 = tree.Child(library, 1);
    tree.Click(library);
    EXPECT_EQ(kChecked, tree.State(a2));
    EXPECT_TRUE(diagnosticsChecked());
    EXPECT_TRUE(Enabled(IDC_WIZARD_NEXT));

    // Checked tests alone are not enough: "Diagnostics and Utilities" must be checked too.
    ClickButton(page, IDC_SELECT_DIAGNOSTICS);
    EXPECT_FALSE(Enabled(IDC_WIZARD_NEXT));
    ClickButton(page, IDC_SELECT_DIAGNOSTICS);
    EXPECT_TRUE(Enabled(IDC_WIZARD_NEXT));

    tree.Click(a1);
    EXPECT_EQ(kPartlyChecked, tree.State(library));
    EXPECT_TRUE(diagnosticsChecked());

    // Pressed, the box shows it; let go elsewhere, nothing has changed.
    EXPECT_EQ(kPressedChecked, tree.PressAndSlideAway(a2));
    EXPECT_EQ(kChecked, tree.State(a2));

    tree.Click(a2);
    EXPECT_EQ(kUnchecked, tree.State(library));
    EXPECT_FALSE(diagnosticsChecked());
    EXPECT_FALSE(Enabled(IDC_WIZARD_NEXT));
}

}  // namespace

