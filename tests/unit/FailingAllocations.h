// A want of memory on this thread, for the code that must survive one: while an object of this
// class lives, every allocation that the program's own code makes through operator new fails.
// (Allocations inside the C++ runtime's DLL, std::string's among them, do not come through here.)
#pragma once

class FailingAllocations {
public:
    FailingAllocations();
    ~FailingAllocations();
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;
};
