// The tree of the Select Diagnostics page: every library that has tests, with its tests beneath
// it, each with a check box.
#pragma once
#include <map>

#include "controls/CheckTreeCtrl.h"
#include "testlib/TestLibrary.h"

// What an item of the test tree stands for; owned by the item and deleted with it.
struct TestTreeItemData {
    enum Kind { Library = 0, Test = 1 };
    Kind kind;
    CTestLibrary* library;  // library nodes
    TestEntry test;         // test nodes: a copy of the library's entry
};

class CTestTreeCtrl : public CCheckTreeCtrl {
public:
    void Initialise() override;
    // The record of an item; null for none.
    const TestTreeItemData* ItemData(HTREEITEM item) const;

protected:
    void FreeItemData(LPARAM data) override { delete reinterpret_cast<TestTreeItemData*>(data); }

private:
    void AddTest(const CTestLibrary& library, const TestEntry& test, HTREEITEM libraryItem,
                 std::map<WORD, int>& imageOfIcon);
    // Hands the record to the item, which deletes it with itself.
    void SetItemData(HTREEITEM item, const TestTreeItemData& data);
};
