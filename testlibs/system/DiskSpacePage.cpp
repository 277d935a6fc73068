// The drives of the computer with their free space.
#include <windows.h>

#include "SamplePage.h"
#include "zelkor.h"

namespace {

// Below this a drive cannot hold a day's faxes.
const unsigned long long kLowSpace = 50ull * 1024 * 1024;
// A disk with less than a tenth free is about to fill up, whatever its size.
const unsigned long long kLowestFreePart = 10;

sample::Report g_disks{"Drive", "Kind", "Name", "Free", "Size"};

const char* DriveKind(UINT type) {
    switch (type) {
    case DRIVE_FIXED: return "Hard disk";
    case DRIVE_REMOVABLE: return "Removable";
    case DRIVE_REMOTE: return "Network";
    case DRIVE_CDROM: return "CD-ROM";
    case DRIVE_RAMDISK: return "RAM disk";
    default: return "Unknown";
    }
}

void ReadDisks() {
    g_disks.Clear();
    char drives[512] = {};
    GetLogicalDriveStringsA(sizeof drives - 1, drives);
    int low = 0;
    for (const char* drive = drives; *drive; drive += lstrlenA(drive) + 1) {
        const UINT type = GetDriveTypeA(drive);
        char label[MAX_PATH + 1] = {};
        std::string free, size;
        ULARGE_INTEGER available, total;
        if (type == DRIVE_FIXED || type == DRIVE_REMOTE || type == DRIVE_RAMDISK) {
            GetVolumeInformationA(drive, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0);
            if (GetDiskFreeSpaceExA(drive, &available, &total, nullptr)) {
                free = sample::Megabytes(available.QuadPart);
                size = sample::Megabytes(total.QuadPart);
                if (type == DRIVE_FIXED && available.QuadPart < kLowSpace) ++low;
                if (type == DRIVE_FIXED && available.QuadPart < total.QuadPart / kLowestFreePart)
                    g_disks.Find(ZK_FINDING_WARNING,
                                 sample::Format("Drive %s has less than 10%% free: %s of %s.", drive, free.c_str(),
                                                size.c_str()));
            }
        }
        g_disks.Add({drive, DriveKind(type), label, free, size});
    }
    g_disks.summary = low == 0   ? "Every hard disk has room for faxes."
                      : low == 1 ? "1 hard disk has less than 50 MB free."
                                 : sample::Format("%d hard disks have less than 50 MB free.", low);
}

}  // namespace

extern "C" INT_PTR CALLBACK DiskSpacePage(HWND page, UINT message, WPARAM wParam, LPARAM) {
    static const sample::ReportPage kPage{g_disks, {30, 46, 60, 50, 50}, ReadDisks, "Disk Space", "Drives"};
    return sample::HandleReportPage(kPage, page, message, wParam);
}
