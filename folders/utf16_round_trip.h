// Whether code page 932 text survives the profile functions' trip through
// UTF-16.
#pragma once

#include <string_view>
#include <vector>

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
