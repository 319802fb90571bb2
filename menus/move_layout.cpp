#include "move_layout.h"

#include <unordered_map>
#include <utility>

namespace {

// A name still to be placed: what is left of it below the groups above.
struct Placement {
    std::size_t position;
    std::string_view rest;
    // Shown whole, never split.
    bool whole;
};

bool HasEmptyPiece(std::string_view name) {
    return name.front() == '/' || name.back() == '/' || name.find("//") != std::string_view::npos;
}

// The nodes of one level; each group gathers the rest of its names and lays
// them out one level deeper, so that every byte is looked at once per level.
std::vector<MoveNode> LayOut(const std::vector<Placement>& placements) {
    std::vector<MoveNode> nodes;
    std::vector<std::vector<Placement>> groupPlacements;
    // Per group's first piece, its node and its gathered names.
    std::unordered_map<std::string_view, std::pair<std::size_t, std::size_t>> groups;
    for (const Placement& placement : placements) {
        const std::size_t slash =
            placement.whole ? std::string_view::npos : placement.rest.find('/');
        if (slash == std::string_view::npos) {
            nodes.push_back({placement.rest, placement.position, {}});
            continue;
        }
        const std::string_view piece = placement.rest.substr(0, slash);
        auto [group, added] = groups.try_emplace(piece, nodes.size(), groupPlacements.size());
        if (added) {
            nodes.push_back({piece, placement.position, {}});
            groupPlacements.emplace_back();
        }
        groupPlacements[group->second.second].push_back(
            {placement.position, placement.rest.substr(slash + 1), false});
    }
    for (const auto& [piece, group] : groups)
        nodes[group.first].children = LayOut(groupPlacements[group.second]);
    return nodes;
}

} // namespace

std::vector<MoveNode> MoveLayout(const std::vector<std::string_view>& names, bool grouped) {
    std::vector<Placement> placements;
    placements.reserve(names.size());
    for (std::size_t position = 0; position < names.size(); ++position) {
        const std::string_view name = names[position];
        const bool whole = !grouped || name.empty() || HasEmptyPiece(name);
        placements.push_back({position, name, whole});
    }
    return LayOut(placements);
}
