// The shape of the move submenu's list part: the entries in list order, or,
// grouped by the slashes in their menu names, a tree of submenus.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

struct MoveNode {
    // The item's text as written: the whole name, or one piece of it; a view
    // into the names that the layout was made from.
    std::string_view text;
    // For an item, the position of its entry in the list.
    std::size_t position = 0;
    // For a group, its nodes in list order; empty for an item.
    std::vector<MoveNode> children;
};

// One item per name, in order; names[i] is the menu name of entry i. Grouped,
// "a/b" becomes the item "b" inside the group "a", more slashes nest deeper,
// and a group stands where its first name stands. A name with an empty piece
// (a leading, trailing or doubled slash) stays whole. The byte search is
// safe in code page 932, where '/' is never a trail byte.
std::vector<MoveNode> MoveLayout(const std::vector<std::string_view>& names, bool grouped);
