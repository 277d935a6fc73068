// The check-box rules of the tree, on a tree model in memory: propagation, recomputing the
// parents, the pressed look of a click, and the walk over the checked leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/CheckStates.h"

namespace {

class MemoryTree : public CheckTree {
public:
    // Items are numbered from 1 in the order they are added; 0 is "none".
    HTREEITEM Add(HTREEITEM parent, int state) {
        m_nodes.push_back({parent, state});
        return handle(m_nodes.size() - 1);
    }
    HTREEITEM FirstRoot() const override { return after(nullptr, 0); }
    HTREEITEM Parent(HTREEITEM item) const override { return node(item).parent; }
    HTREEITEM FirstChild(HTREEITEM item) const override { return after(item, 0); }
    HTREEITEM NextSibling(HTREEITEM item) const override { return after(Parent(item), index(item) + 1); }
    int State(HTREEITEM item) const override { return node(item).state; }
    void SetState(HTREEITEM item, int state) override { m_nodes[index(item)].state = state; }

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

private:
    struct Node {
        HTREEITEM parent;
        int state;
    };
    static HTREEITEM handle(size_t index) { return reinterpret_cast<HTREEITEM>(index + 1); }
    static size_t index(HTREEITEM item) { return reinterpret_cast<size_t>(item) - 1; }
    const Node& node(HTREEITEM item) const { return m_nodes.at(index(item)); }
    // The first item with that parent at or after an index.
    HTREEITEM after(HTREEITEM parent, size_t from) const {
        for (size_t i = from; i < m_nodes.size(); ++i)
            if (m_nodes[i].parent == parent) return handle(i);
        return nullptr;
    }
    std::vector<Node> m_nodes;
};

// Two libraries as the test tree builds them: roots without a box until their tests get theirs.
struct TwoLibraries {
    MemoryTree tree;
    HTREEITEM a = tree.Add(nullptr, kNoCheckBox);
    HTREEITEM a1 = tree.Add(a, kNoCheckBox);
    HTREEITEM a2 = tree.Add(a, kNoCheckBox);
    HTREEITEM a3 = tree.Add(a, kNoCheckBox);
    HTREEITEM b = tree.Add(nullptr, kNoCheckBox);
    HTREEITEM b1 = tree.Add(b, kNoCheckBox);
    TwoLibraries() {
        for (HTREEITEM test : {a1, a2, a3, b1}) tree.SetCheck(test, kUnchecked);
    }
};

TEST(CheckTree, ALibraryFollowsItsTestsAndPassesItsOwnClickOnToThem) {
    TwoLibraries t;
    EXPECT_EQ(std::vector<int>({1, 1, 1, 1, 1, 1}), t.tree.States({t.a, t.a1, t.a2, t.a3, t.b, t.b1}));

    EXPECT_EQ(kChecked, t.tree.Click(t.a));
    EXPECT_EQ(std::vector<int>({2, 2, 2, 2, 1}), t.tree.States({t.a, t.a1, t.a2, t.a3, t.b}));

    EXPECT_EQ(kUnchecked, t.tree.Click(t.a2));
    EXPECT_EQ(kPartlyChecked, t.tree.State(t.a));
    t.tree.Click(t.a1);
    EXPECT_EQ(kPartlyChecked, t.tree.State(t.a));
    t.tree.Click(t.a3);
    EXPECT_EQ(kUnchecked, t.tree.State(t.a));

    // A partly checked library, clicked, ends unchecked together with all its tests.
    t.tree.Click(t.a2);
    ASSERT_EQ(kPartlyChecked, t.tree.State(t.a));
    EXPECT_EQ(kUnchecked, t.tree.Click(t.a));
    EXPECT_EQ(std::vector<int>({1, 1, 1, 1}), t.tree.States({t.a, t.a1, t.a2, t.a3}));

    // Checking every test one by one checks the library.
    for (HTREEITEM test : {t.a1, t.a2, t.a3}) t.tree.Click(test);
    EXPECT_EQ(kChecked, t.tree.State(t.a));
    EXPECT_EQ(kUnchecked, t.tree.State(t.b));
}

TEST(CheckTree, ADisabledBoxNeverChangesAndNeverCountsAsChecked) {
    MemoryTree tree;
    HTREEITEM library = tree.Add(nullptr, kNoCheckBox);
    HTREEITEM test = tree.Add(library, kNoCheckBox);
    HTREEITEM disabled = tree.Add(library, kCheckDisabled);
    tree.SetCheck(test, kUnchecked);

    tree.SetCheck(library, kChecked);
    EXPECT_EQ(kCheckDisabled, tree.State(disabled));
    tree.Click(test);
    tree.Click(test);
    // One of two checked: the disabled test holds its library at partly checked.
    EXPECT_EQ(kPartlyChecked, tree.State(library));
    tree.SetCheck(library, kUnchecked);
    EXPECT_EQ(kCheckDisabled, tree.State(disabled));

    // A disabled library is not recomputed from its tests either.
    MemoryTree locked;
    HTREEITEM root = locked.Add(nullptr, kCheckDisabled);
    HTREEITEM child = locked.Add(root, kUnchecked);
    locked.SetCheck(child, kChecked);
    EXPECT_EQ(kCheckDisabled, locked.State(root));
}

TEST(CheckTree, CheckedLeavesComeInTreeOrderSkippingUncheckedAndDisabledSubtrees) {
    MemoryTree tree;
    HTREEITEM partly = tree.Add(nullptr, kPartlyChecked);
    HTREEITEM c1 = tree.Add(partly, kChecked);
    tree.Add(partly, kUnchecked);
    HTREEITEM deep = tree.Add(partly, kPartlyChecked);
    HTREEITEM deepLeaf = tree.Add(deep, kChecked);
    HTREEITEM c3 = tree.Add(partly, kChecked);
    HTREEITEM unchecked = tree.Add(nullptr, kUnchecked);
    tree.Add(unchecked, kChecked);  // inside an unchecked subtree: not visited
    HTREEITEM disabled = tree.Add(nullptr, kCheckDisabled);
    tree.Add(disabled, kChecked);
    HTREEITEM checkedLeaf = tree.Add(nullptr, kChecked);
    HTREEITEM withBoxlessChild = tree.Add(nullptr, kChecked);  // counts as a leaf
    tree.Add(withBoxlessChild, kNoCheckBox);

    std::vector<HTREEITEM> walked;
    for (HTREEITEM leaf = tree.NextCheckedLeaf(nullptr); leaf; leaf = tree.NextCheckedLeaf(leaf))
        walked.push_back(leaf);
    EXPECT_EQ(std::vector<HTREEITEM>({c1, deepLeaf, c3, checkedLeaf, withBoxlessChild}), walked);
    EXPECT_EQ(5u, tree.CountCheckedLeaves());

    MemoryTree empty;
    EXPECT_EQ(nullptr, empty.NextCheckedLeaf(nullptr));
    EXPECT_EQ(0u, empty.CountCheckedLeaves());
}

}  // namespace
