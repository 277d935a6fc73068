// The exception classes that the host and the test libraries share.
#include "zelkor.h"

XError::XError() = default;
XError& XError::operator=(const XError&) = default;

int XError::Check(int value) {
    if (value == 0) throw XError();
    return value;
}

XOleError::XOleError(long result) : m_result(result) {}
XOleError& XOleError::operator=(const XOleError&) = default;

long XOleError::Check(long result) {
    if (result < 0) throw XOleError(result);
    return result;
}

XWinError::XWinError(unsigned long error) : m_error(error) {}
XWinError& XWinError::operator=(const XWinError&) = default;

unsigned long XWinError::Check(unsigned long error) {
    if (error != 0) throw XWinError(error);
    return error;
}

XTerminate& XTerminate::operator=(const XTerminate&) = default;
