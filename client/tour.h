// The scripted tour: runs the client and uses it the way a person would,
// writing a transcript and screenshots into the output folder.
#pragma once

#include <windows.h>

#include <string>

// Returns 0 when every step was done.
int RunTour(HINSTANCE instance, const std::string& outputFolder, const std::string& pluginPath);
