// Plain file access beside the profile functions, for the settings file.
#pragma once

#include <optional>
#include <string>

enum class AppendResult { Appended, UnicodeFile, Failed };

// Appends code page 932 text to the file, on a line of its own, creating the
// file when missing. A file that starts with a UTF-8 or UTF-16 byte order
// mark, which the profile functions read and write as Unicode text, is left
// as it is.
AppendResult AppendToAnsiFile(const std::string& path, const std::string& text);

// The file's bytes; nullopt when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);
