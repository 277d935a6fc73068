#include "framework/MessageBox.h"

#include <utility>

#include "framework/StringTable.h"
#include "resources/resource.h"

namespace fw {

namespace {
MessageAnswerer& answerer() {
    static MessageAnswerer instead;
    return instead;
}
}  // namespace

int ShowMessage(HWND owner, const std::string& text, UINT style) {
    if (answerer()) return answerer()(text, style);
    return MessageBoxA(owner, text.c_str(), LoadedString(IDS_APP_NAME).c_str(), style);
}

int ShowMessage(HWND owner, UINT stringId, UINT style) { return ShowMessage(owner, LoadedString(stringId), style); }

void AnswerMessagesWith(MessageAnswerer answerer) { fw::answerer() = std::move(answerer); }

int DefaultButton(UINT style) {
    static const int kButtons[][3] = {
        {IDOK, 0, 0},                         // MB_OK
        {IDOK, IDCANCEL, 0},                  // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE},         // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},              // MB_YESNOCANCEL
        {IDYES, IDNO, 0},                     // MB_YESNO
        {IDRETRY, IDCANCEL, 0},               // MB_RETRYCANCEL
        {IDCANCEL, IDTRYAGAIN, IDCONTINUE},   // MB_CANCELTRYCONTINUE
    };
    const UINT type = style & MB_TYPEMASK;
    if (type >= sizeof kButtons / sizeof kButtons[0]) return IDOK;
    const UINT chosen = (style & MB_DEFMASK) >> 8;
    const int button = chosen < 3 ? kButtons[type][chosen] : 0;
    return button ? button : kButtons[type][0];
}

}  // namespace fw
