#include "framework/MessageBox.h"

#include "framework/StringTable.h"
#include "resources/resource.h"

namespace fw {

int ShowMessage(HWND owner, const std::string& text, UINT style) {
    return MessageBoxA(owner, text.c_str(), LoadedString(IDS_APP_NAME).c_str(), style);
}

int ShowMessage(HWND owner, UINT stringId, UINT style) { return ShowMessage(owner, LoadedString(stringId), style); }

}  // namespace fw
