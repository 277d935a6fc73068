// A stand-in for a mail client, for tests and demos: a Simple MAPI provider (registered as the
// default client under HKLM\Software\Clients\Mail, DLLPath) whose MAPISendMail writes what it is
// given to a record file instead of sending it.
//
// The environment chooses how it behaves:
//   MAILSIM_MODE    send (default), refuse (MAPI_E_FAILURE), cancel (MAPI_USER_ABORT),
//                   never (the call never returns)
//   MAILSIM_RECORD  the record file; default sent.txt beside the DLL
// The record holds, for every call: "FLAGS <hex>", "TO <name>|<address>" per recipient,
// "SUBJECT <text>", "BODY <n>" and the n bytes of the body on the next line,
// "ATTACHMENT <name>|<path> <n>" and the n bytes of the file on the next line; every line ends
// with CR LF.
#include <windows.h>

#include <mapi.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

HMODULE g_module = nullptr;

std::string Environment(const char* name) {
    char value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length && length < sizeof value ? value : "";
}

std::string RecordPath() {
    std::string path = Environment("MAILSIM_RECORD");
    if (!path.empty()) return path;
    char module[MAX_PATH] = {};
    GetModuleFileNameA(g_module, module, MAX_PATH);
    path = module;
    return path.substr(0, path.find_last_of('\\') + 1) + "sent.txt";
}

std::string Text(const char* text) { return text ? text : ""; }

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string Record(const MapiMessage& message, FLAGS flags) {
    char line[64];
    std::snprintf(line, sizeof line, "FLAGS %lx\r\n", static_cast<unsigned long>(flags));
    std::string record = line;
    for (ULONG i = 0; i < message.nRecipCount; ++i)
        record += "TO " + Text(message.lpRecips[i].lpszName) + "|" + Text(message.lpRecips[i].lpszAddress) + "\r\n";
    record += "SUBJECT " + Text(message.lpszSubject) + "\r\n";
    const std::string body = Text(message.lpszNoteText);
    record += "BODY " + std::to_string(body.size()) + "\r\n" + body + "\r\n";
    for (ULONG i = 0; i < message.nFileCount; ++i) {
        const std::string path = Text(message.lpFiles[i].lpszPathName);
        const std::string bytes = FileBytes(path);
        record += "ATTACHMENT " + Text(message.lpFiles[i].lpszFileName) + "|" + path + " " +
                  std::to_string(bytes.size()) + "\r\n" + bytes + "\r\n";
    }
    return record;
}

}  // namespace

extern "C" __declspec(dllexport) ULONG WINAPI MAPISendMail(LHANDLE, ULONG_PTR, lpMapiMessage message, FLAGS flags,
                                                           ULONG) {
    const std::string mode = Environment("MAILSIM_MODE");
    if (mode == "never") Sleep(INFINITE);
    if (mode == "refuse") return MAPI_E_FAILURE;
    if (mode == "cancel") return MAPI_USER_ABORT;
    if (!message) return MAPI_E_FAILURE;
    std::ofstream(RecordPath(), std::ios::binary | std::ios::app) << Record(*message, flags);
    return SUCCESS_SUCCESS;
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = module;
    return TRUE;
}
