#include "list_merge.h"

#include <cstddef>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "folder_entry.h"

namespace {

// A destination's identity within one list: its folder ID and how many
// entries of that ID come before it, so that a list holding one ID twice
// merges each copy with its counterpart.
struct Key {
    std::string_view folderId;
    std::size_t occurrence;
    bool operator==(const Key& other) const {
        return folderId == other.folderId && occurrence == other.occurrence;
    }
};

struct KeyHash {
    std::size_t operator()(const Key& key) const {
        return std::hash<std::string_view>{}(key.folderId) ^ (key.occurrence * 0x9E3779B9u);
    }
};

// One side of the merge: its entries, their keys in order, and each key's
// position.
struct Side {
    const FolderList& entries;
    std::vector<Key> keys;
    std::unordered_map<Key, std::size_t, KeyHash> positions;

    explicit Side(const FolderList& list) : entries(list) {
        keys.reserve(list.size());
        positions.reserve(list.size());
        // How many entries of an ID came so far, kept only for an ID seen twice.
        std::unordered_map<std::string_view, std::size_t> repeated;
        for (std::size_t i = 0; i < list.size(); ++i) {
            Key key{FolderIdOf(list[i]), 0};
            if (!positions.emplace(key, i).second) {
                std::size_t& seen = repeated.try_emplace(key.folderId, 1).first->second;
                key.occurrence = seen++;
                positions.emplace(key, i);
            }
            keys.push_back(key);
        }
    }

    const std::string* Find(const Key& key) const {
        const auto found = positions.find(key);
        return found == positions.end() ? nullptr : &entries[found->second];
    }
};

// The merged entry of a destination, by the table in the header; null when
// it is removed. An entry's text is its folder ID and its name, so an equal
// text is an unchanged name.
const std::string* Resolve(const Side& base, const Side& mine, const Side& theirs, const Key& key) {
    const std::string* inBase = base.Find(key);
    const std::string* inMine = mine.Find(key);
    const std::string* inTheirs = theirs.Find(key);
    if (!inBase)
        return inMine ? inMine : inTheirs;
    if (!inMine)
        return inTheirs && *inTheirs != *inBase ? inTheirs : nullptr;
    if (!inTheirs)
        return *inMine != *inBase ? inMine : nullptr;
    return *inMine != *inBase ? inMine : inTheirs;
}

// True while the side's destinations that the base holds stand in the base's
// order.
bool KeepsBaseOrder(const Side& base, const Side& side) {
    std::size_t last = 0;
    for (const Key& key : side.keys) {
        const auto found = base.positions.find(key);
        if (found == base.positions.end())
            continue;
        if (found->second < last)
            return false;
        last = found->second;
    }
    return true;
}

} // namespace

FolderList MergeFolderLists(const FolderList& base, const FolderList& mine,
                            const FolderList& theirs) {
    if (theirs == base)
        return mine;
    if (mine == base)
        return theirs;
    const Side baseSide(base), mineSide(mine), theirsSide(theirs);
    const Side& leading = KeepsBaseOrder(baseSide, mineSide) ? theirsSide : mineSide;
    const Side& following = &leading == &mineSide ? theirsSide : mineSide;
    const auto resolve = [&](const Key& key) {
        return Resolve(baseSide, mineSide, theirsSide, key);
    };
    // What only the following side holds: a destination that the leading
    // side removed and the following one renamed stays after the entry that
    // it followed there (slot 0: before the first); what the following side
    // added goes at the end.
    std::vector<std::vector<const std::string*>> kept(leading.keys.size() + 1);
    std::vector<const std::string*> added;
    std::size_t slot = 0;
    for (const Key& key : following.keys) {
        const auto inLeading = leading.positions.find(key);
        if (inLeading != leading.positions.end()) {
            slot = inLeading->second + 1;
            continue;
        }
        if (const std::string* entry = resolve(key))
            (baseSide.positions.count(key) != 0 ? kept[slot] : added).push_back(entry);
    }
    FolderList merged;
    merged.reserve(mine.size() + theirs.size());
    for (std::size_t i = 0; i <= leading.keys.size(); ++i) {
        if (i > 0) {
            if (const std::string* entry = resolve(leading.keys[i - 1]))
                merged.push_back(*entry);
        }
        for (const std::string* entry : kept[i])
            merged.push_back(*entry);
    }
    for (const std::string* entry : added)
        merged.push_back(*entry);
    return merged;
}
