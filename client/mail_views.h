// What the folder tree, the message list, the preview and the status bar
// show, and what the user has selected in them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

// Each item's lParam is its folder's index in the store; each label has the
// folder's message count.
void FillFolderTree();
// Relabels every folder with its message count.
void UpdateFolderCounts();
// Selects the folder in the tree, which shows its messages; false when the
// folder is not in the tree.
bool SelectFolder(const std::string& folderId);
// The ID of the folder selected in the tree, or an empty text.
std::string SelectedFolderId();

// Fills the message list with the folder's messages, none selected; each
// row's lParam is its message's serial.
void ShowFolder(const std::string& folderId);
std::vector<int> SelectedSerials();
// Moves the selected mails into the folder and shows the change; returns how
// many moved (none when the folder does not exist).
int MoveSelectedMails(const std::string& folderId);

// Shows the mail under the list's focus, or the first selected one, or
// nothing.
void UpdatePreview();
// The serial of the mail in the preview, or 0.
int PreviewSerial();

void SetStatus(const std::string& text);
