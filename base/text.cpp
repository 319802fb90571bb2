#include "text.h"

#include <windows.h>

#include <cstring>

std::size_t FittingPrefixLength(const std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text.size();
    std::size_t length = 0;
    while (length < maxBytes) {
        const bool lead = IsDBCSLeadByteEx(932, static_cast<BYTE>(text[length]));
        const std::size_t step = lead && length + 1 < text.size() ? 2 : 1;
        if (length + step > maxBytes)
            break;
        length += step;
    }
    return length;
}

void CopyTextToField(char* field, std::size_t capacity, const std::string& text) {
    if (capacity == 0)
        return;
    const std::size_t length = FittingPrefixLength(text, capacity - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}
