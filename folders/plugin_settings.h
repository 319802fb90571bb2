// Options and dialog geometry, persisted in the settings file: the record and
// one row per setting. Adding a setting is adding a field and a row.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

struct PluginSettings {
    std::int32_t IsConfirm = 0;
    std::int32_t IsMenuTop = 0;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    std::int32_t ColWidth1 = 0;
    std::int32_t ColWidth2 = 0;
    // Extensions, each off (0) by default.
    std::int32_t SearchItem = 0;
    std::int32_t AccessKeys = 0;
    std::int32_t RecentCount = 0;
    std::int32_t GroupBySlash = 0;
    std::int32_t MarkMissing = 0;
    std::int32_t GrayCurrent = 0;
};

// All zero until the settings are loaded at start.
extern PluginSettings g_settings;

inline constexpr char kFolderList[] = "FolderList";
inline constexpr char kSetting[] = "Setting";
inline constexpr char kSize[] = "Size";
inline constexpr char kExtension[] = "Extension";
// The recent folder IDs, keyed as the list's entries are.
inline constexpr char kRecent[] = "Recent";
// Entries are keyed "%07d" from 1; the list ends at the first missing key or
// at this number.
inline constexpr std::size_t kFolderKeyLimit = 9999999;

// A 32-bit sum that wraps around instead of overflowing: a stored Left near
// the largest value still gives a Right.
inline std::int32_t WrappingSum(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

template <std::int32_t Value> std::int32_t Fixed(const PluginSettings&) {
    return Value;
}

// When the save writes a row: always, or only once the file has the row's
// section or a row of that section differs from its default, so that a file
// that never used a section added later does not get it.
enum class Written { kAlways, kOnceTheSectionIsUsed };

struct SettingRow {
    const char* section;
    const char* key;
    std::int32_t PluginSettings::*field;
    // The value when the file lacks the key, from the settings read before
    // it; called only when a default is needed.
    std::int32_t (*byDefault)(const PluginSettings& readSoFar);
    Written written = Written::kAlways;
};

// In the order the settings are read and written. The dialog's default is a
// 400 by 300 rectangle centred on the primary screen.
inline const SettingRow kSettingRows[] = {
    {kSetting, "IsConfirm", &PluginSettings::IsConfirm, Fixed<1>},
    {kSetting, "IsMenuTop", &PluginSettings::IsMenuTop, Fixed<0>},
    {kSize, "Left", &PluginSettings::Left,
     [](const PluginSettings&) { return (GetSystemMetrics(SM_CXSCREEN) - 400) / 2; }},
    {kSize, "Top", &PluginSettings::Top,
     [](const PluginSettings&) { return (GetSystemMetrics(SM_CYSCREEN) - 300) / 2; }},
    {kSize, "Right", &PluginSettings::Right,
     [](const PluginSettings& s) { return WrappingSum(s.Left, 400); }},
    {kSize, "Bottom", &PluginSettings::Bottom,
     [](const PluginSettings& s) { return WrappingSum(s.Top, 300); }},
    {kSize, "ColWidth1", &PluginSettings::ColWidth1, Fixed<160>},
    {kSize, "ColWidth2", &PluginSettings::ColWidth2, Fixed<180>},
    // Extensions, each off by default; a file that never had them gets none.
    {kExtension, "SearchItem", &PluginSettings::SearchItem, Fixed<0>,
     Written::kOnceTheSectionIsUsed},
    {kExtension, "AccessKeys", &PluginSettings::AccessKeys, Fixed<0>,
     Written::kOnceTheSectionIsUsed},
    {kExtension, "RecentCount", &PluginSettings::RecentCount, Fixed<0>,
     Written::kOnceTheSectionIsUsed},
    {kExtension, "GroupBySlash", &PluginSettings::GroupBySlash, Fixed<0>,
     Written::kOnceTheSectionIsUsed},
    {kExtension, "MarkMissing", &PluginSettings::MarkMissing, Fixed<0>,
     Written::kOnceTheSectionIsUsed},
    {kExtension, "GrayCurrent", &PluginSettings::GrayCurrent, Fixed<0>,
     Written::kOnceTheSectionIsUsed},
};
