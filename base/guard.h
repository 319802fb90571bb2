#pragma once

#include <utility>

// Runs f and gives its value, or fallback when f throws: no C++ exception may
// unwind into the host.
template <typename T, typename F> T Guarded(T fallback, F&& f) noexcept {
    try {
        return std::forward<F>(f)();
    } catch (...) {
        return fallback;
    }
}

// The same for an f that gives nothing.
template <typename F> void Guarded(F&& f) noexcept {
    try {
        std::forward<F>(f)();
    } catch (...) {
    }
}
