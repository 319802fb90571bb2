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

// Stores 1 for each ticked box and 0 for the others, the settings as the
// boxes were shown being atOpening. A flag that changed while the dialog was
// open (another client's save merged in) keeps its new value where the user
// left its box as it was shown.
template <std::size_t N>
void StoreCheckBoxes(HWND dialog, const CheckBox (&boxes)[N], const PluginSettings& atOpening) {
    for (const CheckBox& box : boxes) {
        const bool ticked = IsDlgButtonChecked(dialog, box.id) == BST_CHECKED;
        const bool changedMeanwhile = g_settings.*box.field != atOpening.*box.field;
        if (!changedMeanwhile || ticked != (atOpening.*box.field != 0))
            g_settings.*box.field = ticked ? 1 : 0;
    }
}
