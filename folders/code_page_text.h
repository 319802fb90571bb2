// Code page 932 text and UTF-16, converted as the profile functions convert
// them. Each text ends at its first NUL, as a C string does.
#pragma once

#include <string>
#include <string_view>

std::wstring WidenAnsi(std::string_view text);
std::string NarrowToAnsi(std::wstring_view text);
