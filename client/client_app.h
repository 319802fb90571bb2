// Starting and stopping the stand-in mail client around its message loop.
#pragma once

#include <windows.h>

#include <string>

// The plug-in at the path given (relative to the current folder), or
// Varkel.dll beside the executable when none is given.
std::string PluginPath(const char* given);
// Shows the main window with the sample mail, installs the host backend,
// loads the plug-in and calls ORC_OnStart. False when the window cannot be
// created; a plug-in that fails to load leaves the client running without it.
bool StartClient(HINSTANCE instance, int show, const std::string& pluginPath);
// Runs until the main window has been destroyed; returns the quit code.
int RunMessageLoop();
// Unloads the plug-in and removes the host backend.
void StopClient();
