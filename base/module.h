// The plug-in module's own handle and file path.
#pragma once

#include <windows.h>

#include <string>

extern HINSTANCE g_module;

// The module file's full path, however long; empty when it cannot be had.
std::string ModuleFilePath();
