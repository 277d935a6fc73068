// Taking journaled changes back, newest first. Every step is itself journaled in this session's
// journal before it is made, so an undo can be undone in turn.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "journal/JournalRecord.h"

// A change that could not be taken back, and the system's reason.
struct UndoFailure {
    std::string change;  // DescribeChange's text
    DWORD error = ERROR_SUCCESS;
};

// Asked when a value is no longer what the change left (another program changed it since):
// true overwrites it, false leaves it (and the change is listed as not taken back).
using AskOverwrite = std::function<bool(const JournalRecord&)>;

// Takes back records in reverse order; what fails is listed and the rest is still undone.
std::vector<UndoFailure> UndoChanges(const std::vector<JournalRecord>& records, const AskOverwrite& askOverwrite);
