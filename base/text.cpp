#include "text.h"

#include <windows.h>

#include <cstring>

std::size_t FittingPrefixLength(const std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text.size();
    std::size_t length = 0;
    while (length < maxBytes) {
        const bool lead = IsDBCSLeadByteEx(kTextCodePage, static_cast<BYTE>(text[length]));
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

std::wstring WidenAnsi(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    if (text.empty())
        return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(kTextCodePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kTextCodePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string NarrowToAnsi(std::wstring_view text) {
    text = text.substr(0, text.find(L'\0'));
    if (text.empty())
        return std::string();
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(kTextCodePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kTextCodePage, 0, text.data(), size, narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}
