// Code page 932 text and UTF-16, converted as the profile functions convert
// them. Each text ends at its first NUL, as a C string does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

std::wstring WidenAnsi(std::string_view text);
std::string NarrowToAnsi(std::wstring_view text);

// Tells whether code page 932 text comes back byte for byte through UTF-16,
// the same whether a reader converts it or hands its bytes on. Asks the
// conversion functions once per distinct character; a lone lead byte does
// not come back.
class Utf16RoundTrip {
  public:
    bool Survives(std::string_view text);

  private:
    bool CharacterSurvives(const char* bytes, int size);

    // Per character code: 0 not asked yet, 1 comes back, 2 does not; empty
    // until the first character beyond ASCII.
    std::vector<unsigned char> known_;
};
