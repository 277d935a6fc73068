// Keelson's configured lines, each checked against the serial ports that exist.
#include <windows.h>

#include "SamplePage.h"
#include "SerialPorts.h"
#include "zelkor.h"

namespace {

const char kLinesKey[] = "Software\\Halvard\\Keelson\\Lines";

sample::Report g_lines{"Line", "Port", "Speed", "Modem", "Check"};

void ReadLines() {
    g_lines.Clear();
    const auto ports = DetectedSerialPorts();
    int faults = 0;
    for (const auto& line : sample::RegistrySubkeys(HKEY_LOCAL_MACHINE, kLinesKey)) {
        const std::string path = std::string(kLinesKey) + "\\" + line;
        const std::string port = sample::RegistryString(HKEY_LOCAL_MACHINE, path.c_str(), "Port");
        DWORD speed = 0;
        const bool hasSpeed = sample::RegistryDword(HKEY_LOCAL_MACHINE, path.c_str(), "Speed", speed);
        std::string check = "OK";
        if (port.empty()) check = "No port set";
        else if (!IsDetectedPort(ports, port)) {
            check = "Port not found";
            g_lines.Find(ZK_FINDING_PROBLEM, sample::Format("Keelson's %s uses %s, a port that this computer does not have.",
                                                            line.c_str(), port.c_str()));
        }
        else if (!hasSpeed) check = "No speed set";
        if (check != "OK") ++faults;
        g_lines.Add({line, port, hasSpeed ? sample::Grouped(speed) + " bps" : "",
                     sample::RegistryString(HKEY_LOCAL_MACHINE, path.c_str(), "Driver"), check});
    }
    if (g_lines.rows.empty())
        g_lines.summary = "Keelson has no lines set up on this computer.";
    else if (faults == 0)
        g_lines.summary = "Every line is set up correctly.";
    else
        g_lines.summary = sample::Format("%d of %u lines need attention.", faults,
                                         static_cast<unsigned>(g_lines.rows.size()));
}

}  // namespace

extern "C" INT_PTR CALLBACK KeelsonLinesPage(HWND page, UINT message, WPARAM wParam, LPARAM) {
    static const sample::ReportPage kPage{g_lines, {34, 30, 44, 78, 50}, ReadLines, "Keelson Lines", "Configured lines"};
    return sample::HandleReportPage(kPage, page, message, wParam);
}
