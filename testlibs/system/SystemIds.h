/* Resource ids of the Windows system library. */
#pragma once
#define IDI_SYSTEM 1
#define IDD_WINDOWS_AND_MEMORY 201
#define IDD_DISK_SPACE 202
