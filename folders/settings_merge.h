// Another client on the same settings file (a second mail client, a copy on a
// share or a synced folder) saves between this one's saves. What it added
// and changed is kept: the state as of this client's last load or save is
// the base, and a file that differs from it is merged into memory before the
// save writes memory.
#pragma once

#include <optional>

#include "settings_file.h"

// Remembers what the file holds after this client's load or save; nullopt
// forgets it, and a save without a base merges nothing.
void SetSettingsBase(std::optional<StoredSettings> base);

// Merges a file that differs from the base into memory: a destination (by
// folder ID) that the file has and the base never had was added elsewhere
// and goes after this client's, in the file's order, unless this client
// added and removed it again; a destination this client holds is never
// dropped. A setting takes the file's value unless this client changed it
// since the base. The recent list stays this client's. A file that holds
// nobody's save (missing or empty) is given as nullptr.
void MergeOtherClientsSaves(const StoredSettings* file);
