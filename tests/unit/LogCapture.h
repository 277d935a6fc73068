// A fresh session log, "C:\Zelkor.log" of the test prefix, for one test.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "ScratchDirectory.h"
#include "log/LogFile.h"

class LogCapture {
public:
    LogCapture() { CreateLogFile(); }
    ~LogCapture() { CommitLogFile(); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // Puts the log in place and returns what was written.
    std::string text() {
        EXPECT_TRUE(CommitLogFile()) << "the log was not put in place";
        return ReadTextFile(LogFileName());
    }
};
