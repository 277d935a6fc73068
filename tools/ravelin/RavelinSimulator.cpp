// A stand-in for Corvane's fax product, Ravelin, for tests and demos: a DDE server for the service
// "FAXMNG", topic "TRANSMIT", that writes every poke to the item "Sendfax" to a record file,
// byte for byte. Built as rvlsnd32.exe (7.50) and rvlctl32.exe (8.00).
//
// The environment chooses how it behaves:
//   RAVELIN_SIM_MODE    at-once (default), delay (answer after RAVELIN_SIM_DELAY_MS),
//                       never (refuse every conversation), refuse-pokes (answer, refuse pokes)
//   RAVELIN_SIM_RECORD  the record file; default received.txt beside the program
// The record holds one entry per event: "START <command line>", and "POKE <item> <n>" followed
// by a line with the n bytes poked; every line ends with CR LF.
#include <windows.h>
#include <ddeml.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/ravelin/RavelinSimulator.h"

namespace {

enum class Mode { AtOnce, Delay, Never, RefusePokes };

struct Simulator {
    Mode mode = Mode::AtOnce;
    DWORD delayMs = 0;
    std::string record;
    DWORD instance = 0;
    HSZ service = nullptr;
    HSZ topic = nullptr;
    HSZ item = nullptr;
} g_sim;

std::string Environment(const char* name) {
    char value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length && length < sizeof value ? value : "";
}

void Configure() {
    const std::string mode = Environment("RAVELIN_SIM_MODE");
    if (mode == "delay") g_sim.mode = Mode::Delay;
    if (mode == "never") g_sim.mode = Mode::Never;
    if (mode == "refuse-pokes") g_sim.mode = Mode::RefusePokes;
    g_sim.delayMs = static_cast<DWORD>(std::strtoul(Environment("RAVELIN_SIM_DELAY_MS").c_str(), nullptr, 10));
    g_sim.record = Environment("RAVELIN_SIM_RECORD");
    if (g_sim.record.empty()) {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        g_sim.record = path;
        g_sim.record.erase(g_sim.record.find_last_of('\\') + 1);
        g_sim.record += "received.txt";
    }
}

void Record(const std::string& entry) {
    HANDLE file = CreateFileA(g_sim.record.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, entry.data(), static_cast<DWORD>(entry.size()), &written, nullptr);
    CloseHandle(file);
}

HDDEDATA OnPoke(HSZ item, HDDEDATA data) {
    char name[64] = {};
    DdeQueryStringA(g_sim.instance, item, name, sizeof name, CP_WINANSI);
    const DWORD size = DdeGetData(data, nullptr, 0, 0);
    std::string bytes(size, '\0');
    DdeGetData(data, reinterpret_cast<BYTE*>(bytes.data()), size, 0);
    char header[128];
    std::snprintf(header, sizeof header, "POKE %s %lu\r\n", name, static_cast<unsigned long>(size));
    Record(header + bytes + "\r\n");
    const bool accepted = g_sim.mode != Mode::RefusePokes && DdeCmpStringHandles(item, g_sim.item) == 0;
    return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(accepted ? DDE_FACK : DDE_FNOTPROCESSED));
}

HDDEDATA CALLBACK OnTransaction(UINT type, UINT, HCONV, HSZ topic, HSZ item, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    switch (type) {
    case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(
            static_cast<ULONG_PTR>(g_sim.mode != Mode::Never && DdeCmpStringHandles(topic, g_sim.topic) == 0));
    case XTYP_POKE:
        return OnPoke(item, data);
    default:
        return nullptr;
    }
}

void Announce() { DdeNameService(g_sim.instance, g_sim.service, nullptr, DNS_REGISTER); }

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        KillTimer(window, wParam);
        Announce();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    Configure();
    Record(std::string("START ") + GetCommandLineA() + "\r\n");
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kRavelinSimulatorClass;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA(kRavelinSimulatorClass, "Ravelin", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                320, 120, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, show);

    if (DdeInitializeA(&g_sim.instance, OnTransaction, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0) !=
        DMLERR_NO_ERROR)
        return 1;
    g_sim.service = DdeCreateStringHandleA(g_sim.instance, "FAXMNG", CP_WINANSI);
    g_sim.topic = DdeCreateStringHandleA(g_sim.instance, "TRANSMIT", CP_WINANSI);
    g_sim.item = DdeCreateStringHandleA(g_sim.instance, "Sendfax", CP_WINANSI);
    if (g_sim.mode == Mode::Delay)
        SetTimer(window, 1, g_sim.delayMs, nullptr);
    else
        Announce();

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DdeNameService(g_sim.instance, nullptr, nullptr, DNS_UNREGISTER);
    for (HSZ handle : {g_sim.service, g_sim.topic, g_sim.item}) DdeFreeStringHandle(g_sim.instance, handle);
    DdeUninitialize(g_sim.instance);
    return 0;
}
