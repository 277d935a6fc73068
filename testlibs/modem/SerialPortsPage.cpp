// Opens every detected serial port to see whether a modem could use it.
#include <windows.h>

#include "SamplePage.h"
#include "SerialPorts.h"
#include "zelkor.h"

namespace {

sample::Report g_ports{"Port", "Device", "Status"};

std::string ProbePort(const std::string& name) {
    HANDLE port = CreateFileA(("\\\\.\\" + name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) return "In use by another program";
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return "Not present";
        return sample::Format("Cannot be opened (error %lu)", error);
    }
    DCB settings{};
    settings.DCBlength = sizeof settings;
    std::string status = "Available";
    if (GetCommState(port, &settings))
        status += sample::Format(", %s bps %d%c%s", sample::Grouped(settings.BaudRate).c_str(), settings.ByteSize,
                                 "NOEMS"[settings.Parity % 5], settings.StopBits == TWOSTOPBITS ? "2" : "1");
    CloseHandle(port);
    return status;
}

void ProbePorts() {
    g_ports.Clear();
    int available = 0;
    for (const auto& port : DetectedSerialPorts()) {
        std::string status = ProbePort(port.name);
        if (status.compare(0, 9, "Available") == 0) ++available;
        g_ports.Add({port.name, port.device, status});
    }
    g_ports.summary = g_ports.rows.empty()
                          ? "Windows has detected no serial port on this computer."
                          : sample::Format("Serial ports detected: %u. Available: %d.",
                                           static_cast<unsigned>(g_ports.rows.size()), available);
    if (g_ports.rows.empty()) g_ports.Find(ZK_FINDING_WARNING, g_ports.summary + " A modem cannot be used.");
}

}  // namespace

extern "C" INT_PTR CALLBACK SerialPortsPage(HWND page, UINT message, WPARAM wParam, LPARAM) {
    static const sample::ReportPage kPage{g_ports, {40, 80, 116}, ProbePorts, "Serial Ports", "Detected serial ports"};
    return sample::HandleReportPage(kPage, page, message, wParam);
}
