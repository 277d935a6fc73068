#include "log/LogWriter.h"

#include <cstdio>

#include "log/LogLayout.h"

DWORD LogFormatList(const char* format, va_list arguments) {
    char buffer[kLogFormatSize];
    // Longer output is cut at the buffer's end: vsnprintf never writes past it.
    const int length = vsnprintf(buffer, sizeof buffer, format, arguments);
    return length < 0 ? 0 : LogWrite(buffer);
}

DWORD LogFormat(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const DWORD written = LogFormatList(format, arguments);
    va_end(arguments);
    return written;
}

void LogSection(std::string_view title) {
    std::string banner;
    AppendSectionBanner(banner, title);
    LogWrite(banner);
}

void LogSubsection(std::string_view title) {
    std::string heading;
    AppendSubsectionHeading(heading, std::string(title).c_str());
    LogWrite(heading);
}
