// Code page 932 text helpers.
#pragma once

#include <cstddef>
#include <string>

// Copies text and its NUL into a field of capacity bytes, cut at a character
// boundary when it does not fit. Bytes after the NUL are left as they were.
void CopyTextToField(char* field, std::size_t capacity, const std::string& text);

// The longest prefix of text that fits in maxBytes without splitting a
// double-byte character.
std::size_t FittingPrefixLength(const std::string& text, std::size_t maxBytes);
