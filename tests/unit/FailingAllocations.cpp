#include "FailingAllocations.h"

#include <cstdlib>
#include <new>

namespace {
thread_local bool failing = false;
}  // namespace

FailingAllocations::FailingAllocations() { failing = true; }
FailingAllocations::~FailingAllocations() { failing = false; }

// Replaces the runtime's for this program; the runtime's operator delete frees what it returns.
void* operator new(std::size_t size) {
    if (!failing)
        if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}
