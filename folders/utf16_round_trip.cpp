#include "utf16_round_trip.h"

#include <windows.h>

#include <algorithm>

#include "../base/text.h"

bool Utf16RoundTrip::Survives(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80)
            continue;
        const bool lead = IsLeadByte(c);
        if (lead && i + 1 == text.size())
            return false;
        if (known_.empty())
            known_.assign(0x10000, 0);
        const int size = lead ? 2 : 1;
        const std::size_t code = lead ? (c << 8) | static_cast<unsigned char>(text[i + 1]) : c;
        if (known_[code] == 0)
            known_[code] = CharacterSurvives(text.data() + i, size) ? 1 : 2;
        if (known_[code] == 2)
            return false;
        i += static_cast<std::size_t>(size - 1);
    }
    return true;
}

bool Utf16RoundTrip::CharacterSurvives(const char* bytes, int size) {
    wchar_t wide[4] = {};
    const int length =
        MultiByteToWideChar(kTextCodePage, MB_ERR_INVALID_CHARS, bytes, size, wide, 4);
    if (length <= 0)
        return false;
    char back[8] = {};
    const int backSize =
        WideCharToMultiByte(kTextCodePage, 0, wide, length, back, sizeof back, nullptr, nullptr);
    return backSize == size && std::equal(bytes, bytes + size, back);
}
