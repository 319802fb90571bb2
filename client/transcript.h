// What the client and the plug-in did, line by line: written as UTF-8 to
// standard output and, once a file is opened, to that file as well.
#pragma once

#include <string>
#include <vector>

// Starts the file anew; false when it cannot be created.
bool OpenTranscriptFile(const std::string& path);
void CloseTranscriptFile();
// One line of code page 932 text.
void Note(const std::string& line);

// Code page 932 to UTF-8.
std::string Utf8(const std::string& text);
// The texts one after another, with the separator between them.
std::string Joined(const std::vector<std::string>& texts, const char* separator);
