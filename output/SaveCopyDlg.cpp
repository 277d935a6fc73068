#include "output/SaveCopyDlg.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>

#include "framework/StringTable.h"
#include "log/PersonalDetails.h"
#include "resources/resource.h"

std::string ProposedCopyName(const std::string& computer, const SYSTEMTIME& when) {
    return fw::FormattedString(IDS_COPY_FILE_NAME, computer.c_str(), when.wYear, when.wMonth, when.wDay, when.wHour,
                               when.wMinute);
}

std::string AskCopyPath(HWND owner) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char file[MAX_PATH] = {};
    ProposedCopyName(CurrentMachineNames().computer, now).copy(file, MAX_PATH - 1);
    char documents[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents);
    // The string table cannot hold NULs: its pieces end in '|' instead.
    std::string filter = fw::LoadedString(IDS_COPY_FILTER);
    std::replace(filter.begin(), filter.end(), '|', '\0');

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = documents[0] ? documents : nullptr;
    dialog.lpstrDefExt = "log";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return GetSaveFileNameA(&dialog) ? file : "";
}
