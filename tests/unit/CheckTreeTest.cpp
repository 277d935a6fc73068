// The check-box rules of the tree, on a tree model in memory: filling, propagation, recomputing
// the parents, clicks, and the walk over the checked leaves.
#include <gtest/gtest.h>

#include <vector>

#include "controls/CheckStates.h"

namespace {

class MemoryTree : public CheckTree {
public:
    // Items are numbered from 1 in the order they are added; 0 is "none".
    HTREEITEM Add(HTREEITEM parent, int state) {
        m_nodes.push_back({parent, state});
        return reinterpret_cast<HTREEITEM>(m_nodes.size());
    }
    HTREEITEM FirstRoot() const override { return after(nullptr, 0); }
    HTREEITEM Parent(HTREEITEM item) const override { return node(item).parent; }
    HTREEITEM FirstChild(HTREEITEM item) const override { return after(item, 0); }
    HTREEITEM NextSibling(HTREEITEM item) const override { return after(Parent(item), index(item) + 1); }
    int State(HTREEITEM item) const override { return node(item).state; }
    void SetState(HTREEITEM item, int state) override { m_nodes.at(index(item)).state = state; }

    // A click as the control completes it: pressed look on button-down, then the release.
    int Click(HTREEITEM item) {
        SetState(item, PressedLook(State(item)));
        return CompleteClick(item);
    }
    std::vector<int> States(std::initializer_list<HTREEITEM> items) const {
        std::vector<int> states;
        for (HTREEITEM item : items) states.push_back(State(item));
        return states;
    }
    std::vector<HTREEITEM> CheckedLeaves() const {
        std::vector<HTREEITEM> leaves;
        for (HTREEITEM leaf = NextCheckedLeaf(nullptr); leaf; leaf = NextCheckedLeaf(leaf)) leaves.push_back(leaf);
        return leaves;
    }

private:
    struct Node {
        HTREEITEM parent;
        int state;
    };
    static size_t index(HTREEITEM item) { return reinterpret_cast<size_t>(item) - 1; }
    const Node& node(HTREEITEM item) const { return m_nodes.at(index(item)); }
    HTREEITEM after(HTREEITEM parent, size_t from) const {
        for (size_t i = from; i < m_nodes.size(); ++i)
            if (m_nodes[i].parent == parent) return reinterpret_cast<HTREEITEM>(i + 1);
        return nullptr;
    }
    std::vector<Node> m_nodes;
};

TEST(CheckTree, ALibraryFollowsItsTestsAndPassesItsOwnClickOnToThem) {
    // Filled as the test tree fills: libraries without a box, tests unchecked, then one pass.
    MemoryTree tree;
    HTREEITEM a = tree.Add(nullptr, kNoCheckBox);
    HTREEITEM a1 = tree.Add(a, kUnchecked), a2 = tree.Add(a, kUnchecked), a3 = tree.Add(a, kUnchecked);
    HTREEITEM b = tree.Add(nullptr, kNoCheckBox);
    HTREEITEM b1 = tree.Add(b, kUnchecked);
    tree.RecomputeAll();
    EXPECT_EQ(std::vector<int>({1, 1, 1, 1, 1, 1}), tree.States({a, a1, a2, a3, b, b1}));

    EXPECT_EQ(kChecked, tree.Click(a));
    EXPECT_EQ(std::vector<int>({2, 2, 2, 2, 1}), tree.States({a, a1, a2, a3, b}));
    EXPECT_EQ(kUnchecked, tree.Click(a2));
    EXPECT_EQ(kPartlyChecked, tree.State(a));
    tree.Click(a1);
    tree.Click(a3);
    EXPECT_EQ(kUnchecked, tree.State(a)) << "the last checked test unchecks its library";

    // A partly checked library, clicked, ends unchecked together with all its tests.
    tree.Click(a2);
    ASSERT_EQ(kPartlyChecked, tree.State(a));
    EXPECT_EQ(kUnchecked, tree.Click(a));
    EXPECT_EQ(std::vector<int>({1, 1, 1, 1}), tree.States({a, a1, a2, a3}));
    for (HTREEITEM test : {a1, a2, a3}) tree.Click(test);
    EXPECT_EQ(kChecked, tree.State(a));
    EXPECT_EQ(kUnchecked, tree.State(b));
}

TEST(CheckTree, ADisabledBoxNeverChangesAndNeverCountsAsChecked) {
    MemoryTree tree;
    HTREEITEM library = tree.Add(nullptr, kNoCheckBox);
    HTREEITEM test = tree.Add(library, kUnchecked);
    HTREEITEM disabled = tree.Add(library, kCheckDisabled);
    HTREEITEM locked = tree.Add(nullptr, kCheckDisabled);
    HTREEITEM inLocked = tree.Add(locked, kChecked);
    tree.RecomputeAll();
    EXPECT_EQ(std::vector<int>({1, 7}), tree.States({library, locked}));

    tree.SetCheck(library, kChecked);
    EXPECT_EQ(std::vector<int>({2, 7}), tree.States({test, disabled}));
    tree.SetCheck(test, kChecked);
    EXPECT_EQ(kPartlyChecked, tree.State(library)) << "the disabled test holds its library at partly checked";
    tree.SetCheck(inLocked, kUnchecked);
    EXPECT_EQ(kCheckDisabled, tree.State(locked));
    tree.SetCheck(test, kUnchecked);
    EXPECT_EQ(kUnchecked, tree.State(library));
}

TEST(CheckTree, CheckedLeavesComeInTreeOrderSkippingUncheckedAndDisabledSubtrees) {
    MemoryTree tree;
    HTREEITEM partly = tree.Add(nullptr, kPartlyChecked);
    HTREEITEM c1 = tree.Add(partly, kChecked);
    tree.Add(partly, kUnchecked);
    HTREEITEM deep = tree.Add(partly, kPartlyChecked);
    HTREEITEM deepLeaf = tree.Add(deep, kChecked);
    HTREEITEM c3 = tree.Add(partly, kChecked);
    tree.Add(tree.Add(nullptr, kUnchecked), kChecked);  // inside an unchecked subtree: not visited
    tree.Add(tree.Add(nullptr, kCheckDisabled), kChecked);
    HTREEITEM checkedLeaf = tree.Add(nullptr, kChecked);
    HTREEITEM withBoxlessChild = tree.Add(nullptr, kChecked);  // counts as a leaf
    tree.Add(withBoxlessChild, kNoCheckBox);

    EXPECT_EQ(std::vector<HTREEITEM>({c1, deepLeaf, c3, checkedLeaf, withBoxlessChild}), tree.CheckedLeaves());
    EXPECT_TRUE(MemoryTree().CheckedLeaves().empty());
}

}  // namespace
