// Whole-section access to profile (INI) files: one call per section instead of
// one per key, which re-reads the whole file each time.
#pragma once

#include <string>
#include <vector>

// The section's "key=value" lines as GetPrivateProfileSectionA gives them,
// each NUL-terminated; empty when the section or the file is missing.
std::string ReadProfileSection(const char* section, const std::string& path);

// The entries that reading keys "0000001", "0000002", ... one by one would
// give: the first occurrence of each key, surrounding quotes stripped as the
// key-by-key read strips them, ending at the first missing or empty value.
std::vector<std::string> FolderEntriesFromSection(const std::string& sectionLines);

// The key list that writes the entries under "0000001", "0000002", ...
std::string FolderListSectionText(const std::vector<std::string>& entries);

// The number of key lines in a section's text.
std::size_t CountSectionKeys(const std::string& sectionLines);
