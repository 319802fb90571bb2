#include "plain_profile.h"

#include <algorithm>
#include <unordered_set>

#include "../base/text.h"
#include "profile_rules.h"

namespace {

// Names that every implementation compares alike, ignoring only the case of
// letters.
bool IsPlainName(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
               c == '_';
    });
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

struct NameHash {
    std::size_t operator()(std::string_view name) const {
        std::size_t hash = 14695981039346656037ull & SIZE_MAX;
        for (const char c : name)
            hash = (hash ^ static_cast<unsigned char>(Lower(c))) * (1099511628211ull & SIZE_MAX);
        return hash;
    }
};

struct NameEqual {
    bool operator()(std::string_view a, std::string_view b) const {
        return EqualIgnoringAsciiCase(a, b);
    }
};

using NameSet = std::unordered_set<std::string_view, NameHash, NameEqual>;

} // namespace

std::optional<std::string_view> PlainSection::Value(std::string_view key) const {
    for (const PlainKey& plainKey : keys) {
        if (EqualIgnoringAsciiCase(plainKey.name, key))
            return plainKey.value;
    }
    return std::nullopt;
}

std::vector<std::string> PlainSection::NumberedValues() const {
    std::vector<std::string_view> byNumber(keys.size() + 1);
    for (const PlainKey& key : keys) {
        const std::size_t number = FolderKeyNumber(key.name);
        if (number != 0 && number < byNumber.size())
            byNumber[number] = key.value;
    }
    std::vector<std::string> values;
    for (std::size_t n = 1; n < byNumber.size() && !byNumber[n].empty(); ++n)
        values.emplace_back(byNumber[n]);
    return values;
}

const PlainSection* PlainProfile::Find(std::string_view name) const {
    for (const PlainSection& section : sections) {
        if (EqualIgnoringAsciiCase(section.name, name))
            return &section;
    }
    return nullptr;
}

std::optional<PlainProfile> ParsePlainProfile(std::string_view bytes) {
    PlainProfile profile;
    NameSet keyNames;
    Utf16RoundTrip roundTrip;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string_view::npos)
            return std::nullopt;
        const std::string_view line = bytes.substr(start, end - start);
        start = end + 2;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            const std::string_view name = line.substr(1, line.size() - 2);
            if (!IsPlainName(name) || profile.Find(name))
                return std::nullopt;
            profile.sections.push_back({name, {}});
            keyNames.clear();
            continue;
        }
        const std::size_t equals = line.find('=');
        if (profile.sections.empty() || equals == std::string_view::npos)
            return std::nullopt;
        const PlainKey key{line.substr(0, equals), line.substr(equals + 1)};
        if (!IsPlainName(key.name) || !IsPlainValue(key.value) || !roundTrip.Survives(key.value) ||
            !keyNames.insert(key.name).second)
            return std::nullopt;
        profile.sections.back().keys.push_back(key);
    }
    return profile;
}
