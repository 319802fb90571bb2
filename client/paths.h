// File paths in the ANSI code page, handed to the shell's path functions,
// which walk them character by character.
#pragma once

#include <string>

// The path without its last part; the path itself when it has one part.
std::string FolderOf(const std::string& path);
// folder + "\" + name, with no doubled backslash.
std::string JoinPath(const std::string& folder, const std::string& name);
// The full path of a path relative to the current folder, with forward
// slashes turned into backslashes.
std::string FullPath(const std::string& path);
