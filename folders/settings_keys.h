// Section and key names of the settings file.
#pragma once

#include <cstddef>

namespace settings_keys {
inline constexpr char kFolderList[] = "FolderList";
inline constexpr char kSetting[] = "Setting";
inline constexpr char kIsConfirm[] = "IsConfirm";
inline constexpr char kIsMenuTop[] = "IsMenuTop";
inline constexpr char kSize[] = "Size";
inline constexpr char kLeft[] = "Left";
inline constexpr char kTop[] = "Top";
inline constexpr char kRight[] = "Right";
inline constexpr char kBottom[] = "Bottom";
inline constexpr char kColWidth1[] = "ColWidth1";
inline constexpr char kColWidth2[] = "ColWidth2";
inline constexpr char kExtension[] = "Extension";
inline constexpr char kSearchItem[] = "SearchItem";
inline constexpr char kAccessKeys[] = "AccessKeys";
inline constexpr char kRecentCount[] = "RecentCount";
inline constexpr char kGroupBySlash[] = "GroupBySlash";
// Entries are keyed "%07d" from 1; the list ends at the first missing key or
// at this number.
inline constexpr std::size_t kFolderKeyLimit = 9999999;
} // namespace settings_keys
