// The printers of this computer, and whether Ravelin's fax printer is among them.
#include <windows.h>
#include <winspool.h>

#include <vector>

#include "SamplePage.h"
#include "zelkor.h"

namespace {

const char kFaxPrinter[] = "Ravelin";

sample::Report g_printers{"Printer", "Port", "Driver"};

void ListPrinters() {
    g_printers.Clear();
    const DWORD scope = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersA(scope, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    if (needed && EnumPrintersA(scope, nullptr, 2, buffer.data(), needed, &needed, &count)) {
        const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
        for (DWORD i = 0; i < count; ++i)
            g_printers.Add({printers[i].pPrinterName ? printers[i].pPrinterName : "",
                            printers[i].pPortName ? printers[i].pPortName : "",
                            printers[i].pDriverName ? printers[i].pDriverName : ""});
    }
    bool found = false;
    for (const auto& row : g_printers.rows) found = found || lstrcmpiA(row[0].c_str(), kFaxPrinter) == 0;
    g_printers.summary = found ? "The Ravelin fax printer is installed."
                               : "The Ravelin fax printer is missing: programs cannot fax by printing.";
    if (!found) g_printers.Find(ZK_FINDING_PROBLEM, g_printers.summary);
}

}  // namespace

extern "C" INT_PTR CALLBACK FaxPrinterPage(HWND page, UINT message, WPARAM wParam, LPARAM) {
    static const sample::ReportPage kPage{g_printers, {80, 60, 96}, ListPrinters, "Ravelin Fax Printer", "Printers"};
    return sample::HandleReportPage(kPage, page, message, wParam);
}
