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
    const std::string stars(60, '*');
    std::string banner = stars + "\r\n* ";
    banner.append(title.substr(0, title.find('\0'))).append("\r\n").append(stars).append("\r\n\r\n");
    // As one formatted write of it would be: cut at the formatting buffer's end.
    if (banner.size() > kLogFormatSize - 1) banner.resize(kLogFormatSize - 1);
    LogWrite(banner);
}

void LogSubsection(std::string_view title) {
    std::string heading;
    AppendSubsectionHeading(heading, std::string(title).c_str());
    LogWrite(heading);
}
