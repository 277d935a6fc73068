// The check-box rules of the tree, on the control in a hidden window: filling, propagation,
// recomputing the parents, clicks, and the walk over the checked leaves. The program's tree has
// two levels: libraries without a box, their tests unchecked at first.
#include <gtest/gtest.h>

#include <vector>

#include "controls/CheckTreeCtrl.h"

namespace {

class CheckTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.reset(CreateWindowA(WC_TREEVIEWA, "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(tree.Subclass(window.get()));
        tree.Initialise();
    }

    HTREEITEM Add(HTREEITEM parent, int state) { return tree.InsertItem("", 0, parent, state); }
    // A click as the control completes it: pressed look on button-down, then the release.
    int Click(HTREEITEM item) {
        tree.SetState(item, PressedLook(tree.State(item)));
        return tree.CompleteClick(item);
    }
    std::vector<int> States(std::initializer_list<HTREEITEM> items) const {
        std::vector<int> states;
        for (HTREEITEM item : items) states.push_back(tree.State(item));
        return states;
    }
    std::vector<HTREEITEM> CheckedLeaves() const {
        std::vector<HTREEITEM> leaves;
        for (HTREEITEM leaf = tree.NextCheckedLeaf(nullptr); leaf; leaf = tree.NextCheckedLeaf(leaf))
            leaves.push_back(leaf);
        return leaves;
    }

    fw::UniqueWindow window;
    CCheckTreeCtrl tree;  // lets go of the window before the window goes
};

TEST_F(CheckTreeTest, ALibraryFollowsItsTestsAndPassesItsOwnClickOnToThem) {
    // Filled as the test tree fills: libraries without a box, tests unchecked, then one pass.
    HTREEITEM a = Add(nullptr, kNoCheckBox);
    HTREEITEM a1 = Add(a, kUnchecked), a2 = Add(a, kUnchecked), a3 = Add(a, kUnchecked);
    HTREEITEM b = Add(nullptr, kNoCheckBox);
    HTREEITEM b1 = Add(b, kUnchecked);
    tree.RecomputeAll();
    EXPECT_EQ(std::vector<int>({1, 1, 1, 1, 1, 1}), States({a, a1, a2, a3, b, b1}));

    EXPECT_EQ(kChecked, Click(a));
    EXPECT_EQ(std::vector<int>({2, 2, 2, 2, 1}), States({a, a1, a2, a3, b}));
    EXPECT_EQ(kUnchecked, Click(a2));
    EXPECT_EQ(kPartlyChecked, tree.State(a));
    Click(a1);
    Click(a3);
    EXPECT_EQ(kUnchecked, tree.State(a)) << "the last checked test unchecks its library";

    // A partly checked library, clicked, ends unchecked together with all its tests.
    Click(a2);
    ASSERT_EQ(kPartlyChecked, tree.State(a));
    EXPECT_EQ(kUnchecked, Click(a));
    EXPECT_EQ(std::vector<int>({1, 1, 1, 1}), States({a, a1, a2, a3}));
    for (HTREEITEM test : {a1, a2, a3}) Click(test);
    EXPECT_EQ(kChecked, tree.State(a));
    EXPECT_EQ(kUnchecked, tree.State(b));
}

TEST_F(CheckTreeTest, CheckedLeavesComeInTreeOrderSkippingUncheckedOnes) {
    EXPECT_TRUE(CheckedLeaves().empty());
    HTREEITEM partly = Add(nullptr, kPartlyChecked);
    HTREEITEM c1 = Add(partly, kChecked);
    Add(partly, kUnchecked);
    HTREEITEM c3 = Add(partly, kChecked);
    Add(Add(nullptr, kUnchecked), kUnchecked);
    HTREEITEM checked = Add(nullptr, kChecked);
    HTREEITEM d1 = Add(checked, kChecked);

    EXPECT_EQ(std::vector<HTREEITEM>({c1, c3, d1}), CheckedLeaves());
}

TEST_F(CheckTreeTest, ItemsWithoutBoxesNeitherDecideNorTakeTheirParentsBox) {
    // A library's keys with their described values beneath them, the values without boxes.
    HTREEITEM library = Add(nullptr, kUnchecked);
    HTREEITEM logged = Add(library, kChecked);
    HTREEITEM value = Add(logged, kNoCheckBox);
    HTREEITEM other = Add(library, kUnchecked);
    Add(other, kNoCheckBox);
    tree.RecomputeAll();
    EXPECT_EQ(std::vector<int>({3, 2, 0, 1}), States({library, logged, value, other}));
    EXPECT_EQ(std::vector<HTREEITEM>({logged}), CheckedLeaves());
    Click(library);
    Click(library);
    EXPECT_EQ(std::vector<int>({2, 2, 0, 2}), States({library, logged, value, other}));
}

}  // namespace
