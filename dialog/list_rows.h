// The settings dialog's rows: the working copy of the destination list.
#pragma once

#include <windows.h>

#include <string>

#include "../base/list_view.h"

void FillRows(HWND list);
// The host's name for the folder, or a note that the host knows no such
// folder.
std::string FolderDisplayName(const std::string& folderId);
// Inserts the entry as a row at index: menu name, the host's display name and
// the folder ID (in a hidden column).
void InsertRow(HWND list, const std::string& entry, int index);
// The row's entry: its folder ID, ":" and its menu name.
std::string ReadRow(HWND list, int index);
void MoveRow(HWND dialog, int step);
// Moves the row to target, kept within the rows, where it is selected and
// focused; other rows keep their selection. Where the row landed.
int MoveRowTo(HWND list, int row, int target);
// Removes every selected row, without asking.
void DeleteRow(HWND dialog);
// Starts editing the first selected row's menu name in place.
void RenameRow(HWND dialog);
// Selects exactly the rows whose folder the host no longer knows, so that
// one delete removes them all.
void SelectMissingRows(HWND dialog);
// A label edit ended: the notification carries the new text, or none when the
// user cancelled with Escape. An empty text keeps the old name as well. The
// list view takes no edited label by itself: this sets it.
void EndLabelEdit(HWND list, int row, const std::string* newName);
// Merges the rows into the destination list three ways against the list as
// the rows were filled from it, so that a destination registered, removed or
// merged in from another client's save while the dialog was open stays so.
void CommitRows(HWND list);
