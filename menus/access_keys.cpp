#include "access_keys.h"

namespace {
constexpr char kKeys[] = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ";
}

std::string AccessKeyOrder(std::string_view taken) {
    std::string keys;
    for (const char key : std::string_view(kKeys)) {
        if (taken.find(key) == std::string_view::npos)
            keys += key;
    }
    return keys;
}

std::string WithAccessKey(const std::string& keys, std::size_t index, const std::string& label) {
    if (index >= keys.size())
        return label;
    return std::string("&") + keys[index] + " " + label;
}
