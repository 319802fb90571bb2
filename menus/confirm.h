#pragma once

#include <windows.h>

#include <string>

// The plug-in's OK/Cancel confirmation, owned by the host's window; true on OK.
bool Confirm(HWND owner, const std::string& text);

// The same with the warning icon, for a move that may go wrong; true on OK.
bool ConfirmDespiteWarning(HWND owner, const std::string& text);

// A warning with a single OK button, owned by the host's window.
void Warn(HWND owner, const std::string& text);

// "選択したメールを「menu name」に移動します。": the move item's description
// and the move confirmation.
std::string MoveDescription(const std::string& menuName);

// The warning for a move to a folder that the host no longer knows.
std::string MissingFolderText(const std::string& menuName);
