#include "output/MailSender.h"

#include <mapi.h>
#include <process.h>

#include <memory>

#include "framework/Handles.h"
#include "framework/StringTable.h"
#include "resources/resource.h"

namespace {

// Everything the mail thread reads and writes; shared, so that a call left to itself still has it.
struct MailCall {
    MailRequest request;
    HWND owner = nullptr;
    LPMAPISENDMAIL send = nullptr;
    ULONG code = MAPI_E_FAILURE;
};

// MAPI32 stays loaded once found: a call left to itself may still be running inside it.
LPMAPISENDMAIL SendMailEntry() {
    static const LPMAPISENDMAIL entry = []() -> LPMAPISENDMAIL {
        HMODULE mapi = LoadLibraryA("MAPI32.DLL");
        return mapi ? reinterpret_cast<LPMAPISENDMAIL>(reinterpret_cast<void*>(GetProcAddress(mapi, "MAPISendMail")))
                    : nullptr;
    }();
    return entry;
}

unsigned __stdcall MailThreadProc(void* parameter) {
    const std::unique_ptr<std::shared_ptr<MailCall>> owned(static_cast<std::shared_ptr<MailCall>*>(parameter));
    MailCall& call = **owned;
    std::string smtp = "SMTP:" + call.request.address;
    MapiRecipDesc recipient{};
    recipient.ulRecipClass = MAPI_TO;
    recipient.lpszName = call.request.address.data();
    recipient.lpszAddress = smtp.data();
    MapiFileDesc attachment{};
    attachment.nPosition = static_cast<ULONG>(-1);
    attachment.lpszPathName = call.request.logPath.data();
    attachment.lpszFileName = call.request.attachmentName.data();
    MapiMessage message{};
    message.lpszSubject = call.request.subject.data();
    message.lpszNoteText = call.request.body.data();
    message.nRecipCount = 1;
    message.lpRecips = &recipient;
    message.nFileCount = 1;
    message.lpFiles = &attachment;
    call.code = call.send(0, reinterpret_cast<ULONG_PTR>(call.owner), &message, MAPI_DIALOG | MAPI_LOGON_UI, 0);
    return 0;
}

BOOL CALLBACK NoteVisible(HWND window, LPARAM found) {
    if (!IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

// True while the mail thread shows a window: the client's dialog, in the user's hands.
bool ShowsWindow(DWORD threadId) {
    bool shown = false;
    EnumThreadWindows(threadId, NoteVisible, reinterpret_cast<LPARAM>(&shown));
    return shown;
}

}  // namespace

bool HasMailClient() {
    char client[MAX_PATH] = {};
    DWORD size = sizeof client;
    return RegGetValueA(HKEY_LOCAL_MACHINE, fw::LoadedString(IDS_MAIL_CLIENTS_KEY).c_str(), nullptr,
                        RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, client, &size) == ERROR_SUCCESS &&
           client[0] != '\0';
}

MailResult SendLogByMail(const MailRequest& request, HWND ownerWindow, DWORD limitMs) {
    auto call = std::make_shared<MailCall>();
    call->request = request;
    call->owner = ownerWindow;
    call->send = SendMailEntry();
    if (!call->send) return {MailOutcome::NoClient, MAPI_E_NOT_SUPPORTED};
    auto parameter = std::make_unique<std::shared_ptr<MailCall>>(call);
    unsigned threadId = 0;
    fw::UniqueKernelHandle thread(
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, MailThreadProc, parameter.get(), 0, &threadId)));
    if (!thread) return {MailOutcome::Refused, MAPI_E_INSUFFICIENT_MEMORY};
    parameter.release();  // the thread owns it now
    DWORD quietSince = GetTickCount();
    while (WaitForSingleObject(thread.get(), 100) == WAIT_TIMEOUT) {
        if (ShowsWindow(threadId)) quietSince = GetTickCount();
        else if (GetTickCount() - quietSince >= limitMs) return {MailOutcome::NoAnswer, 0};
    }
    switch (call->code) {
    case SUCCESS_SUCCESS:
        return {MailOutcome::Sent, SUCCESS_SUCCESS};
    case MAPI_USER_ABORT:
        return {MailOutcome::Cancelled, MAPI_USER_ABORT};
    case MAPI_E_NOT_SUPPORTED:
        return {MailOutcome::NoClient, MAPI_E_NOT_SUPPORTED};
    default:
        return {MailOutcome::Refused, call->code};
    }
}
