// File paths in code page 932, where a backslash byte may be the second half
// of a double-byte character: every search walks the text character by
// character.
#pragma once

#include <string>

// The path up to and including its last backslash; empty when it has none.
std::string FolderOf(const std::string& path);
// folder + "\" + name, with no doubled backslash.
std::string JoinPath(const std::string& folder, const std::string& name);
// Forward slashes to backslashes ("/" is never part of a double-byte
// character).
std::string WithBackslashes(std::string path);
// The folder of the running executable, with a trailing backslash.
std::string ExecutableFolder();
// The full path of a path relative to the current folder.
std::string FullPath(const std::string& path);
// Creates the folder and any missing parents; false when it still does not
// exist afterwards.
bool CreateFolderTree(const std::string& folder);
// The path as the Unix side sees it when running under Wine, else unchanged.
std::string HostVisiblePath(const std::string& path);
