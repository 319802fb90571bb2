#pragma once

#include <utility>

// Runs f and swallows any C++ exception: nothing may unwind into the host.
template <typename F> void Guarded(F&& f) noexcept {
    try {
        std::forward<F>(f)();
    } catch (...) {
    }
}
