// Traces for a debugger. A boundary that must not let an exception through (a window or dialog
// procedure, the application's start-up) swallows it with catch (...) and calls
// TraceCaughtException there, so that what was swallowed can still be seen.
#pragma once

#include <string>

namespace fw {

// Only inside a catch handler: "TYPE (WHAT)" of the exception being handled, or its type alone.
std::string DescribeCaughtException();

// Only inside a catch handler: sends "Zelkor: TYPE (WHAT) caught in WHERE" to the debugger.
void TraceCaughtException(const char* where) noexcept;

}  // namespace fw
