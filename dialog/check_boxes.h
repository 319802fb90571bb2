// Check boxes that show flags of the settings, one row for each.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "../folders/plugin_settings.h"

struct CheckBox {
    int id;
    std::int32_t PluginSettings::*field;
};

// Ticks each box whose flag is nonzero.
template <std::size_t N> void ShowCheckBoxes(HWND dialog, const CheckBox (&boxes)[N]) {
    for (const CheckBox& box : boxes)
        CheckDlgButton(dialog, box.id, g_settings.*box.field ? BST_CHECKED : BST_UNCHECKED);
}

// Stores 1 for each ticked box and 0 for the others.
template <std::size_t N> void StoreCheckBoxes(HWND dialog, const CheckBox (&boxes)[N]) {
    for (const CheckBox& box : boxes)
        g_settings.*box.field = IsDlgButtonChecked(dialog, box.id) == BST_CHECKED ? 1 : 0;
}
