#include "file_swap.h"

#include "../base/holders.h"

FileSwapCalls g_fileSwapCalls;

namespace {

// Deletes a file, hidden, system or read-only as it may be.
void DeleteAnyFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

std::string BackupPath(const std::string& path) {
    return path + ".bak";
}

bool FlushFile(const std::string& path) {
    const UniqueHandle file = OwnFile(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && FlushFileBuffers(file.get());
}

// ReplaceFile keeps the old file's owner, access rights and creation time; its
// attributes are carried over here, since not every implementation keeps
// them. ReplaceFile takes the old file away before it puts the new one in its
// place: the old one waits under the backup name meanwhile, so that a swap
// stopped in between loses nothing.
bool ReplaceOldFile(const std::string& path, const std::string& replacement, DWORD attributes) {
    const std::string backup = BackupPath(path);
    DeleteAnyFile(backup);
    if (!g_fileSwapCalls.replace(path.c_str(), replacement.c_str(), backup.c_str(),
                                 REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        RestoreInterruptedSwap(path);
        return false;
    }
    SetFileAttributesA(path.c_str(),
                       (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) |
                           FILE_ATTRIBUTE_ARCHIVE);
    DeleteAnyFile(backup);
    return true;
}

} // namespace

TemporaryFile::~TemporaryFile() {
    if (!kept_)
        DeleteAnyFile(path_);
}

bool TemporaryFile::Create() {
    DeleteAnyFile(path_);
    return OwnFile(CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr)) != nullptr;
}

bool CopyOldFile(const std::string& path, const std::string& copy) {
    if (!CopyFileA(path.c_str(), copy.c_str(), FALSE))
        return false;
    SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    return true;
}

bool SwapInFile(const std::string& path, const std::string& replacement, DWORD oldAttributes) {
    if (!FlushFile(replacement))
        return false;
    if (oldAttributes != INVALID_FILE_ATTRIBUTES)
        return ReplaceOldFile(path, replacement, oldAttributes);
    return g_fileSwapCalls.move(replacement.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
}

void RestoreInterruptedSwap(const std::string& path) {
    const std::string backup = BackupPath(path);
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        DeleteFileA(backup.c_str()); // left by a swap stopped after the new file was in place
    else if (GetLastError() == ERROR_FILE_NOT_FOUND)
        g_fileSwapCalls.move(backup.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH);
}
