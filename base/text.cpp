#include "text.h"

#include <windows.h>

#include <cstring>

std::size_t FittingPrefixLength(const std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text.size();
    std::size_t length = 0;
    while (length < maxBytes) {
        const std::size_t step = CharacterLength(text, length);
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

std::wstring ToUtf16(std::string_view text, UINT codePage) {
    text = text.substr(0, text.find('\0'));
    if (text.empty())
        return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string FromUtf16(std::wstring_view text, UINT codePage) {
    text = text.substr(0, text.find(L'\0'));
    if (text.empty())
        return std::string();
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}
