#include "framework/ErrorText.h"

#include <cstdio>

std::string ErrorText(DWORD error) {
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n')) text[--length] = '\0';
    if (length == 0) std::snprintf(text, sizeof text, "Error %lu", static_cast<unsigned long>(error));
    return text;
}
