#include "module.h"

#include <vector>

HINSTANCE g_module = nullptr;

std::string ModuleFilePath() {
    // GetModuleFileNameA fills the whole buffer when the path does not fit, so
    // grow until the result is shorter than the buffer.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(g_module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::string();
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        if (buffer.size() >= 0x10000)
            return std::string();
        buffer.resize(buffer.size() * 2);
    }
}
