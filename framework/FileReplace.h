// Files replaced whole: new content is written into a file of its own beside the old one, which
// it replaces only once it is complete, so that a full disk, a refused file or a crash leaves the
// old file as it was.
#pragma once
#include <windows.h>

#include <string>

namespace fw {

// The complete file written takes target's place, keeping target's attributes. Windows refuses to
// replace a read-only file but not every system that runs the program does: the refusal is ours
// too (ERROR_ACCESS_DENIED). On failure written is removed. False, last error set, when it fails.
bool PutFileInPlace(const std::string& written, const std::string& target);
// The same for paths of any length and character (the "\\?\" form lifts MAX_PATH).
bool PutFileInPlace(const std::wstring& written, const std::wstring& target);
// The file `from` takes target's place as above, but a failure leaves it where it was: for a file
// that is not the caller's to lose.
bool MoveInPlace(const std::wstring& from, const std::wstring& target);
// False, last error ERROR_ACCESS_DENIED, for a target that PutFileInPlace would refuse: a caller
// that must do something first that is hard to undo asks before.
bool MayReplace(const std::wstring& target);

// Writes bytes into a new file beside path and puts it in path's place as above.
bool WriteFileInPlace(const std::string& path, const std::string& bytes);

}  // namespace fw
