// The status window: a small captionless pop-up with an icon and one line of text, shown over
// the wizard (which it disables) while long work runs. One at a time; the code that opens it
// closes it. Any thread may call these: the wizard's thread carries each call out while the
// caller waits, so no thread ever reaches a window that another has deleted.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>

// A second opening replaces the first. A null module means the program's own icons.
void BeginStatus(UINT iconId, const std::string& text, HMODULE module = nullptr);
void UpdateStatus(const std::string& text);
// Shows Cancel under the text; a click sets the flag (which must outlive the window), says that
// the work is being cancelled and disables the button. The work reads the flag and stops.
void OfferStatusCancel(std::atomic<bool>& cancelled);
void EndStatus();
