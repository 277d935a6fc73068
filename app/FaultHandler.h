// The last resort for a fault that leaves the process unable to go on (an access violation, or
// an exception that no frame of its module could catch): the log written so far is kept and
// marked incomplete, the user is told what failed, and the process ends with a non-zero code.
#pragma once

void InstallFaultHandler();
