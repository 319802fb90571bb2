// A settings file in the one plain form that every implementation of the
// profile functions reads alike, parsed without them. Files that this program
// saves are in this form unless a value needed quotes; a file in any other
// form goes through the profile functions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct PlainKey {
    std::string_view name;
    std::string_view value;
};

struct PlainSection {
    std::string_view name;
    std::vector<PlainKey> keys;

    // The key's value, its name compared as the profile functions compare it.
    std::optional<std::string_view> Value(std::string_view key) const;
    // The values of the keys numbered from 1 up to the first missing one.
    std::vector<std::string> NumberedValues() const;
};

// Views into the file's bytes, in the file's order.
struct PlainProfile {
    std::vector<PlainSection> sections;

    const PlainSection* Find(std::string_view name) const;
};

// The file's sections when every line is "[Name]" or "Key=value" ending in
// CR LF, names are letters, digits and "_" and unique (ignoring case), every
// value is plain and survives UTF-16, and a section comes first; otherwise
// nullopt.
std::optional<PlainProfile> ParsePlainProfile(std::string_view bytes);
