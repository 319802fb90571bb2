// One key's value, read as the key-by-key profile function reads it.
#pragma once

#include <string>

// The whole value of the first key of that name in the first section of that
// name, as GetPrivateProfileStringA gives it; empty when the key is missing.
std::string ReadProfileString(const char* section, const char* key, const std::string& path);
