// The 3-D controls library, loaded only on Windows versions before 4.
#pragma once

bool Load3dControls();
void Free3dControls();
