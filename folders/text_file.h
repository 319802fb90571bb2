// Plain file access beside the profile functions, for the settings file.
#pragma once

#include <string>

enum class AppendResult { Appended, UnicodeFile, Failed };

// Appends code page 932 text to the file, on a line of its own, creating the
// file when missing. A file that starts with a UTF-8 or UTF-16 byte order
// mark, which the profile functions read and write as Unicode text, is left
// as it is.
AppendResult AppendToAnsiFile(const std::string& path, const std::string& text);

// True when the file can be read and holds neither a byte order mark nor a
// NUL byte. A byte order mark makes the file Unicode text to some
// implementations of the profile functions and bytes of its first line to
// others; a NUL ends a value for some, and what follows it may read as a line.
bool IsPlainAnsiFile(const std::string& path);
