#include "editors/RegistryPageControls.h"

#include <vector>

#include "resources/resource.h"

namespace {
// The list with the labels, and the one whose index is given selected (-1: none).
void ShowChoices(const RegistryPageControls& controls, const std::vector<const char*>& labels, int selected) {
    controls.edit.show(SW_HIDE);
    controls.list.show(SW_SHOW);
    controls.list.send(CB_RESETCONTENT);
    for (const char* label : labels) controls.list.send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
    const LRESULT found = selected < 0 ? CB_ERR
                                       : controls.list.send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                            reinterpret_cast<LPARAM>(labels[selected]));
    controls.list.send(CB_SETCURSEL, found == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(found));
}

// The index of the label selected in the list; -1 when none is or its text is not a label.
int ChosenLabel(const RegistryPageControls& controls, const std::vector<const char*>& labels) {
    const LRESULT selected = controls.list.send(CB_GETCURSEL);
    if (selected == CB_ERR) return -1;
    const LRESULT length = controls.list.send(CB_GETLBTEXTLEN, static_cast<WPARAM>(selected));
    if (length == CB_ERR) return -1;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    controls.list.send(CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    for (size_t i = 0; i < labels.size(); ++i)
        if (text == labels[i]) return static_cast<int>(i);
    return -1;
}
}  // namespace

int RegistryPageControls::shownId() const {
    return (GetWindowLongA(edit, GWL_STYLE) & WS_VISIBLE) != 0 ? IDC_REGPAGE_EDIT : IDC_REGPAGE_LIST;
}

void ShowText(const RegistryPageControls& controls, const std::string& text, bool readOnly, const std::string& info) {
    controls.list.show(SW_HIDE);
    controls.edit.show(SW_SHOW);
    controls.edit.send(EM_SETREADONLY, readOnly);
    controls.edit.setText(text);
    controls.info.setText(info);
}

void ShowValue(const RegistryPageControls& controls, const RegEditItem& item) {
    if (!item.isChoice()) {
        ShowText(controls, item.text(), item.isReadOnly(), item.description());
        return;
    }
    controls.info.setText(item.description());
    ShowChoices(controls, item.choiceLabels(), item.chosen());
}

CollectRefusal CollectValue(const RegistryPageControls& controls, RegEditItem& item, bool strict) {
    if (!item.isChoice()) return item.TakeText(controls.edit.text(), strict);
    item.TakeChoice(ChosenLabel(controls, item.choiceLabels()));
    return {};
}
