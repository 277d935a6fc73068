// Hands the log to the system's mail client through Simple MAPI, on a thread of its own so that
// a client that never returns cannot hold the wizard.
#pragma once
#include <windows.h>

#include <string>

// What the user asked to send: the log file and who gets it.
struct MailRequest {
    std::string address;
    std::string subject;
    std::string body;
    std::string logPath;
    std::string attachmentName;
};

enum class MailOutcome { Sent, Cancelled, NoClient, Refused, NoAnswer };

struct MailResult {
    MailOutcome outcome;
    ULONG code;  // the client's MAPI code when it refused
};

// True when a default mail client is registered where MAPI looks for one.
bool HasMailClient();

// How long a client may stay silent once no window of its call is showing any more: the user's
// own dialog (the client's compose window) is never cut short.
constexpr DWORD kMailAnswerLimitMs = 30000;

// Calls MAPISendMail with the client's dialog (MAPI_DIALOG | MAPI_LOGON_UI), the log attached.
// ownerWindow is only handed to the client as the parent of its dialog. Waits until the call
// returns, or until limitMs have passed with none of the call's windows showing; the call is
// then left to itself.
MailResult SendLogByMail(const MailRequest& request, HWND ownerWindow, DWORD limitMs = kMailAnswerLimitMs);
