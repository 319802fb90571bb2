#include "profile_string.h"

#include <windows.h>

namespace {

// Bytes; a value beyond this size is taken as its first bytes.
constexpr DWORD kLargestValue = 0x10000000;

} // namespace

std::string ReadProfileString(const char* section, const char* key, const std::string& path) {
    std::string buffer(1024, '\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length =
            GetPrivateProfileStringA(section, key, "", buffer.data(), size, path.c_str());
        // A value that fills the buffer to its last byte may have been cut.
        if (length + 1 < size || size >= kLargestValue) {
            buffer.resize(length < size ? length : size - 1);
            return buffer;
        }
        buffer.resize(buffer.size() * 4);
    }
}
