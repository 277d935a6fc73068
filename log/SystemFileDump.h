// The system files that the test libraries declare, each written to the log once.
#pragma once

void LogSystemFiles();
