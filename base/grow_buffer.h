// One loop for the Windows calls that fill a caller's buffer and can only say
// that the answer did not fit.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>

// What one call into a buffer gave: the length it wrote, and whether the
// answer may have been cut to fit.
struct Filled {
    std::size_t length;
    bool cut;
};

// What to give when the answer is still cut with a buffer of the limit's size.
enum class AtLimit { kKeepCut, kGiveUp };

// Calls fill(data, size) with a buffer of size elements that grows fourfold
// while the answer may have been cut. fill returns nullopt when the call
// failed; so does this, and for an answer still cut at limit with kGiveUp.
template <class Char, class Fill>
std::optional<std::basic_string<Char>> FillGrowing(std::size_t size, std::size_t limit,
                                                   AtLimit atLimit, Fill fill) {
    std::basic_string<Char> buffer(std::max<std::size_t>(size, 1), Char());
    for (;;) {
        const std::optional<Filled> filled = fill(buffer.data(), buffer.size());
        if (!filled)
            return std::nullopt;
        const bool full = buffer.size() >= limit;
        if (!filled->cut || full) {
            if (filled->cut && atLimit == AtLimit::kGiveUp)
                return std::nullopt;
            buffer.resize(std::min(filled->length, buffer.size()));
            return buffer;
        }
        buffer.assign(std::min(buffer.size() * 4, std::max(limit, buffer.size())), Char());
    }
}
