// Loading and saving the destination list and the settings.
#pragma once

#include <string>

// The module's path with its last three characters replaced by "ini"; empty
// when the module's path cannot be had.
std::string SettingsFilePath();

// Appends the stored entries to the destination list and sets every setting,
// from the file or from its default.
void LoadSettings();
// False, with every setting at its default and an empty list, when the file
// is there but cannot be read.
bool LoadSettingsFrom(const std::string& path);

// Replaces the file in one step with one holding the list and the settings;
// on failure the old file stays as it was and the user is told.
void SaveSettings();
bool SaveSettingsTo(const std::string& path);
