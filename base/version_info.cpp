#include "version_info.h"

#include <cstdio>
#include <new>

#include "module.h"

VersionData VersionData::Open() {
    VersionData data;
    const std::string path = ModuleFilePath();
    if (path.empty())
        return data;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return data;
    std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[size]);
    if (!block || !GetFileVersionInfoA(path.c_str(), 0, size, block.get()))
        return data;
    void* table = nullptr;
    UINT tableBytes = 0;
    if (!VerQueryValueA(block.get(), "\\VarFileInfo\\Translation", &table, &tableBytes) ||
        tableBytes < sizeof(DWORD))
        return data;
    data.translation_ = *static_cast<const DWORD*>(table);
    data.block_ = std::move(block);
    return data;
}

std::string VersionData::Read(const char* key) const {
    if (!block_)
        return std::string();
    std::string query(32 + std::char_traits<char>::length(key), '\0');
    const int length =
        std::snprintf(query.data(), query.size() + 1, "\\StringFileInfo\\%04x%04x\\%s",
                      LOWORD(translation_), HIWORD(translation_), key);
    query.resize(static_cast<std::size_t>(length));
    void* value = nullptr;
    UINT valueLength = 0;
    if (!VerQueryValueA(block_.get(), query.c_str(), &value, &valueLength) || !value)
        return std::string();
    return std::string(static_cast<const char*>(value));
}
