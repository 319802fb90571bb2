#include "module.h"

#include "grow_buffer.h"

HINSTANCE g_module = nullptr;

std::string ModuleFilePath() {
    // GetModuleFileNameA fills the whole buffer when the path does not fit.
    return FillGrowing<char>(MAX_PATH, 0x10000, AtLimit::kGiveUp,
                             [](char* data, std::size_t size) -> std::optional<Filled> {
                                 const DWORD length =
                                     GetModuleFileNameA(g_module, data, static_cast<DWORD>(size));
                                 if (length == 0)
                                     return std::nullopt;
                                 return Filled{length, length >= size};
                             })
        .value_or(std::string());
}
