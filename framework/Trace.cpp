#include "framework/Trace.h"

#include <windows.h>

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <typeinfo>

namespace fw {
namespace {

// The class of the exception being handled, readable: the program's own exceptions do not
// derive from std::exception, so their type is all there is to name them by.
std::string CaughtTypeName() {
    const std::type_info* type = abi::__cxa_current_exception_type();
    if (!type) return "an exception";
    int status = 0;
    char* readable = abi::__cxa_demangle(type->name(), nullptr, nullptr, &status);
    std::string name = status == 0 && readable ? readable : type->name();
    std::free(readable);
    return name;
}

}  // namespace

std::string DescribeCaughtException() {
    std::string text = CaughtTypeName();
    try {
        throw;
    } catch (const std::exception& error) {
        text += std::string(" (") + error.what() + ")";
    } catch (...) {
    }
    return text;
}

void TraceCaughtException(const char* where) noexcept {
    try {
        const std::string text = "Zelkor: " + DescribeCaughtException() + " caught in " + where + "\n";
        OutputDebugStringA(text.c_str());
    } catch (...) {
        OutputDebugStringA("Zelkor: an exception was caught; no memory to describe it\n");
    }
}

}  // namespace fw
