// The settings file over a session: read at the start, written after each
// change the user makes and at the exit.
#pragma once

void LoadSettingsAtStart();

// Saves what changed; a failed save tells the user and keeps memory as it is
// for the next change or the exit to try again. After a start that could not
// read the file, each save first reads it and keeps its list; a file that
// still cannot be read is not written.
void SaveSettingsNow();
