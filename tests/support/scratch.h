// Scratch folders and files for tests.
#pragma once

#include <cstddef>
#include <string>

#include "desktop/window_text.h"

// A new, empty folder for the running test, with a trailing backslash.
std::string FreshScratchFolder();
// A folder of its own for one row of a table-driven test, below base.
std::string RowFolder(const std::string& base, std::size_t row);
// The path of a settings file in RowFolder(base, row), which it creates.
std::string RowSettingsPath(const std::string& base, std::size_t row);
void DeleteFolderTree(const std::string& folder);

void WriteWholeFile(const std::string& path, const std::string& bytes);
// Writes an INI file by hand and makes the profile functions forget any
// cached copy of it.
void WriteProfileFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// Dates a file an hour back, as a settings file is when the host starts. Wine
// re-reads a profile file younger than about two seconds on every call; an
// older one is read once and kept. What is read does not change.
bool AgeFile(const std::string& path);
