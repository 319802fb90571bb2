// What the client and the plug-in did, line by line: written as UTF-8 to
// standard output and, once a file is opened, to that file as well.
#pragma once

#include <string>

// Starts the file anew; false when it cannot be created.
bool OpenTranscriptFile(const std::string& path);
// One line of code page 932 text.
void Note(const std::string& line);
