#pragma once

// The settings file's load at start and its save at exit; each tells the
// user in a box when the file could not be read or written.
void LoadSettingsAtStart();
void SaveSettingsAtExit();
