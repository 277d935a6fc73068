// The system files that the test libraries declare, each written to the log once.
#pragma once
#include <windows.h>

#include "log/SystemFileMap.h"

// A dump cut short for want of memory is marked in the log.
void LogSystemFiles();
// One file of the map: its banner, then the whole file or its sections.
void LogSystemFile(const CSystemFileMap::File& file);
