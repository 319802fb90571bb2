// Where two copies of the destination list meet (this client's memory and the
// file that another client saved; the settings dialog's rows and the list
// they edit), each side keeps its own changes since the copies' last common
// state, as a three-way merge of a file does.
#pragma once

#include <cstdint>

#include "folder_list.h"

// The list that base, changed into mine on one side and into theirs on the
// other, becomes. Destinations are matched by folder ID (the n-th entry of an
// ID with the n-th); for each one:
//
//   base     mine          theirs        result
//   absent   present       absent        mine's (added here)
//   absent   absent        present       theirs' (added there)
//   absent   present       present       mine's
//   present  removed       as the base   removed
//   present  as the base   removed       removed
//   present  removed       renamed       theirs' (an edit wins over a removal)
//   present  renamed       removed       mine's
//   present  renamed       as the base   mine's
//   present  as the base   renamed       theirs'
//   present  renamed       renamed       mine's
//
// Order: theirs' while mine keeps the base's order of the destinations it
// shares with the base, else mine's. What the other side added follows at
// the end, in that side's order; one that it kept over a removal stays
// after the entry it follows there. A side equal to the base gives the other
// side whole. Linear in the lists' lengths.
FolderList MergeFolderLists(const FolderList& base, const FolderList& mine,
                            const FolderList& theirs);

// One setting: mine where it changed since the base, else theirs.
inline std::int32_t MergeSetting(std::int32_t base, std::int32_t mine, std::int32_t theirs) {
    return mine != base ? mine : theirs;
}
