// The platform's major version, which selects the compatibility paths for Windows before 4.
#pragma once

unsigned WindowsMajorVersion();
