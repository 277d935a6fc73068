// Copies of whole files into the log (LogTextFile in log/LogWriter.h) keep the file's text and leave
// out every byte that is not text: a binary file is neither cut at its first NUL nor pasted
// raw into the log.
#pragma once
#include <windows.h>

class CSecretNames;

// The line that says how much of a file was left out, and the empty line after it.
void LogBytesLeftOut(unsigned long long count);
// The copy of an open file with the values of these names hidden; LogOpenTextFile hides the
// program's list (an empty list is the copy without masking that a benchmark compares with).
void LogFilteredTextFile(HANDLE file, const CSecretNames& names);
