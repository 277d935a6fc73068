// The DDE conversation with the fax program and its printer.
#include <windows.h>
#include <ddeml.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "framework/Process.h"
#include "framework/StringTable.h"
#include "output/FaxProgram.h"
#include "output/FaxSettingsIds.h"
#include "registry/SettingsStore.h"
#include "resources/resource.h"

namespace {

constexpr UINT kClientOnlyNoNotifications = APPCMD_CLIENTONLY | CBF_SKIP_ALLNOTIFICATIONS;  // 0x3C0010
constexpr DWORD kRetryMs = 500;

// The conversation, touched by the wizard's thread only; every handle is 0 outside a fax.
struct FaxConversation {
    DWORD instance = 0;
    HSZ service = nullptr;
    HSZ topic = nullptr;
    HSZ item = nullptr;
    HCONV conversation = nullptr;
    DWORD savedWizardSetting = 1;
} g_fax;

HDDEDATA CALLBACK IgnoreTransactions(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

CSettingsKey WizardSettingKey() {
    return CSettingsKey(HKEY_CURRENT_USER, fw::LoadedString(IDS_FAX_WIZARD_KEY).c_str(), true, SETTINGS_FAX_WIZARD);
}

HSZ CreateStringHandle(UINT id) {
    return DdeCreateStringHandleA(g_fax.instance, fw::LoadedString(id).c_str(), CP_WINANSI);
}

std::string WithoutDoubleQuotes(std::string text) {
    std::replace(text.begin(), text.end(), '"', '\'');
    return text;
}

template <class... Arguments>
std::string Format(const char* format, Arguments... arguments) {
    const int size = std::snprintf(nullptr, 0, format, arguments...);
    std::string text(size > 0 ? size : 0, '\0');
    std::snprintf(text.data(), text.size() + 1, format, arguments...);
    return text;
}

bool Poke(const std::string& command) {
    return DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<char*>(command.data())),
                                static_cast<DWORD>(command.size()), g_fax.conversation, g_fax.item, CF_TEXT,
                                XTYP_POKE, TIMEOUT_ASYNC, nullptr) != nullptr;
}

// Starts the program minimised without taking the focus and waits until it takes input, at
// most for the time given.
bool StartProgram(const CFaxProgram& program, DWORD waitMs) {
    const std::string command = program.StartCommand();
    if (command.empty()) return false;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINNOACTIVE;
    const fw::UniqueKernelHandle process = fw::StartProcess(command, &startup);
    if (!process) return false;
    WaitForInputIdle(process.get(), waitMs);
    return true;
}

// Waits while keeping this thread's windows painted: the status window says what is being
// waited for, and a window left unpainted for seconds looks hung.
void WaitPainting(DWORD waitMs) {
    const DWORD start = GetTickCount();
    for (DWORD elapsed = 0; elapsed < waitMs; elapsed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs - elapsed, QS_PAINT);
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&message);
    }
}

// Tries until the fax program answers; the first refusal starts it. False on an unexpected
// error, when it cannot be started, or when the time is up.
bool Converse(const CFaxProgram& program, DWORD limitMs) {
    const DWORD start = GetTickCount();
    bool started = false;
    for (;;) {
        g_fax.conversation = DdeConnect(g_fax.instance, g_fax.service, g_fax.topic, nullptr);
        if (g_fax.conversation) return true;
        if (DdeGetLastError(g_fax.instance) != DMLERR_NO_CONV_ESTABLISHED) return false;
        if (GetTickCount() - start >= limitMs) return false;
        if (!started) {
            if (!StartProgram(program, limitMs - (GetTickCount() - start))) return false;
            started = true;
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= limitMs) return false;
        WaitPainting(std::min(kRetryMs, limitMs - elapsed));
    }
}

}  // namespace

std::string RecipientCommand(const std::string& number) {
    return Format("%s(\"%s\",\"\",\"\",\"%s\",\"%s\",\"%s\",\"\",\"\",\"%s\")",
                  fw::LoadedString(IDS_FAX_CMD_RECIPIENT).c_str(), WithoutDoubleQuotes(number).c_str(),
                  fw::LoadedString(IDS_FAX_RECIPIENT_NAME).c_str(), fw::LoadedString(IDS_FAX_COMPANY).c_str(),
                  fw::LoadedString(IDS_FAX_DOC_NAME).c_str(), fw::LoadedString(IDS_FAX_COVER_TYPE).c_str());
}

std::string CoverPageCommand(const std::string& details) {
    return Format("%s(\"%s\")", fw::LoadedString(IDS_FAX_CMD_COVERPAGE).c_str(), WithoutDoubleQuotes(details).c_str());
}

bool ConnectFaxProgram(const CFaxProgram& program, const FaxRequest& request, DWORD limitMs) {
    if (program.version() == kFaxVersion750) {
        // Version 7.50 shows its send wizard unless told not to; the setting is given back afterwards.
        CSettingsKey wizard = WizardSettingKey();
        g_fax.savedWizardSetting = wizard.getDword(FAX_WIZARD_DO_NOT_USE_WIZARD);
        if (g_fax.savedWizardSetting == 0) wizard.setDword(FAX_WIZARD_DO_NOT_USE_WIZARD, 1);
    }
    if (DdeInitializeA(&g_fax.instance, IgnoreTransactions, kClientOnlyNoNotifications, 0) != DMLERR_NO_ERROR) {
        g_fax.instance = 0;
        return false;
    }
    g_fax.service = CreateStringHandle(IDS_FAX_DDE_SERVICE);
    g_fax.topic = CreateStringHandle(IDS_FAX_DDE_TOPIC);
    g_fax.item = CreateStringHandle(IDS_FAX_DDE_ITEM);
    return g_fax.service && g_fax.topic && g_fax.item && Converse(program, limitMs) &&
           Poke(RecipientCommand(request.number)) && Poke(CoverPageCommand(request.details));
}

void DisconnectFaxProgram(const CFaxProgram& program) {
    for (HSZ* handle : {&g_fax.service, &g_fax.topic, &g_fax.item}) {
        if (*handle) DdeFreeStringHandle(g_fax.instance, *handle);
        *handle = nullptr;
    }
    if (g_fax.conversation) DdeDisconnect(g_fax.conversation);
    g_fax.conversation = nullptr;
    if (g_fax.instance) DdeUninitialize(g_fax.instance);
    g_fax.instance = 0;
    if (program.version() == kFaxVersion750 && g_fax.savedWizardSetting == 0)
        WizardSettingKey().setDword(FAX_WIZARD_DO_NOT_USE_WIZARD, 0);
    g_fax.savedWizardSetting = 1;
}

HDC CreateFaxPrinterDC() {
    const std::string printer = fw::LoadedString(IDS_FAX_PRINTER);
    const bool windowsNt = (GetVersion() & 0x80000000) == 0;
    return CreateDCA(windowsNt ? "WINSPOOL" : nullptr, printer.c_str(), nullptr, nullptr);
}
