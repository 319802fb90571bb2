// Options and dialog geometry, persisted in the settings file.
#pragma once

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
};

// All zero until the settings are loaded at start.
extern PluginSettings g_settings;
