// The scripted tour: runs the client and uses it the way a person would,
// writing a transcript and screenshots into the output folder.
#pragma once

#include <windows.h>

#include "options.h"

// Returns 0 when every step was done.
int RunTour(HINSTANCE instance, const Options& options);
