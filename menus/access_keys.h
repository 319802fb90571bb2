// Access keys for the items of one submenu, for names that cannot be typed
// inside a popup menu.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The keys in the order items get them: "1" to "9", "0", then "A" to "Z",
// without the letters that other items of the same submenu use (taken).
std::string AccessKeyOrder(std::string_view taken);

// The label with "&key " in front for the item at index (from 0) among those
// that get keys, or the label as it is when the keys have run out.
std::string WithAccessKey(const std::string& keys, std::size_t index, const std::string& label);
