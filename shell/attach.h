#pragma once

#include <windows.h>

// The load-time step: records the module and binds the host's functions.
// FALSE, after the error box, refuses the load.
BOOL OnProcessAttach(HINSTANCE module);
