// The last resort for a fault that leaves the process unable to go on (an access violation, or
// an exception that no frame of its module could catch): the log written so far is kept and
// marked incomplete, the user is told what failed, and the process ends with a non-zero code.
// A fault comes here only when no handler took it: through a frame of ours around each call into
// a library and each of our window procedures (framework/FaultFrame.h), or as unhandled.
#pragma once

void InstallFaultHandler();
