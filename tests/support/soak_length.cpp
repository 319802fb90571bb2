#include "soak_length.h"

#include <cstdlib>

int SoakLength(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}
