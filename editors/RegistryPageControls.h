// The controls under and beside the Registry page's tree, and how a value is shown in them and
// collected from them: a DWORD or a string in the edit box, a choice in the drop-down list, and
// the description beside the tree.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Window.h"
#include "testlib/RegEditItem.h"

struct RegistryPageControls {
    fw::WindowRef list;
    fw::WindowRef edit;
    fw::WindowRef info;
    // The control that shows the value: the one a refused collection puts the focus on.
    int shownId() const;
};

// The edit box with text, read-only or not, in place of the list; info beside the tree.
void ShowText(const RegistryPageControls& controls, const std::string& text, bool readOnly, const std::string& info);
void ShowValue(const RegistryPageControls& controls, const RegEditItem& item);
// The typed text or the chosen label becomes the item's edited value; a refusal changes nothing.
CollectRefusal CollectValue(const RegistryPageControls& controls, RegEditItem& item, bool strict);
