// The test libraries (*.ZKL) found beside the program at start-up.
#pragma once

// True when at least one library was found and loaded.
bool FindTestLibraries();
void FreeTestLibraries();
