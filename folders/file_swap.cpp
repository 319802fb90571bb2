#include "file_swap.h"

#include "../base/holders.h"

FileSwapCalls g_fileSwapCalls;

namespace {

// Bytes; a larger file is not read whole.
constexpr LONGLONG kLargestFile = 0x40000000;

constexpr DWORD kLongestWait = 2000; // ms for all the steps together
constexpr DWORD kRetryPause = 50;
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

DWORD g_waitsStarted = 0;
bool g_waitsRunning = false;

// Deletes a file, hidden, system or read-only as it may be. The attributes
// are cleared only for a file that refuses the plain delete, which a missing
// file, the usual case, does not.
void DeleteAnyFile(const std::string& path) {
    if (DeleteFileA(path.c_str()) || GetLastError() != ERROR_ACCESS_DENIED)
        return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

// The old file's name while the swap puts the new one in its place: one that
// no user picks for a copy of their own.
std::string BackupPath(const std::string& path) {
    return path + ".~swap";
}

// Opened with full sharing: a program that has just opened the new file to
// scan or index it keeps it open meanwhile.
bool FlushFile(const std::string& path) {
    const UniqueHandle file = OwnFile(CreateFileA(
        path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && FlushFileBuffers(file.get());
}

// ReplaceFile keeps the old file's owner, access rights and creation time.
// It takes the old file away before it puts the new one in its place: the old
// one waits under the backup name meanwhile, so that a swap stopped in
// between loses nothing, and is put back before the step is tried again.
bool ReplaceOldFile(const std::string& path, const std::string& replacement) {
    const std::string backup = BackupPath(path);
    DeleteAnyFile(backup);
    const bool replaced = WaitedFor([&] {
        if (g_fileSwapCalls.replace(path.c_str(), replacement.c_str(), backup.c_str(),
                                    REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return true;
        const DWORD error = GetLastError();
        RestoreInterruptedSwap(path);
        SetLastError(error);
        return false;
    });
    if (replaced)
        DeleteAnyFile(backup);
    return replaced;
}

// Where neither a replace nor a move may take the old file away (on a share
// that lets no access rights change, in a virtualized folder), the new file's
// checked bytes are written over the old file's; a write that fails part way
// puts the old bytes back.
bool OverwriteWithFile(const std::string& path, const std::string& replacement) {
    const std::optional<std::string> bytes = ReadFileBytes(replacement);
    if (!bytes || !ChangeInPlace(path, [&] { return OverwriteFile(path, *bytes); }))
        return false;
    DeleteAnyFile(replacement);
    return true;
}

// Puts the new file in the place of an existing one by the first means that
// works.
bool ReplaceExistingFile(const std::string& path, const std::string& replacement) {
    if (ReplaceOldFile(path, replacement))
        return true;
    // The old file was taken away and cannot be put back now; the next start
    // puts it back.
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    return WaitedFor([&] {
               return g_fileSwapCalls.move(replacement.c_str(), path.c_str(),
                                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
                      FALSE;
           }) ||
           OverwriteWithFile(path, replacement);
}

} // namespace

void StartFileWaits() {
    g_waitsStarted = GetTickCount();
    g_waitsRunning = true;
}

bool WaitToRetry(DWORD error) {
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION &&
        error != ERROR_ACCESS_DENIED)
        return false;
    if (!g_waitsRunning || GetTickCount() - g_waitsStarted >= kLongestWait)
        return false;
    Sleep(kRetryPause);
    return true;
}

TemporaryFile::~TemporaryFile() {
    if (!kept_)
        DeleteAnyFile(path_);
}

bool TemporaryFile::Create(std::string_view bytes) {
    // A file that a crash left hidden or read-only refuses CREATE_ALWAYS.
    const auto create = [&] {
        return OwnFile(CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    UniqueHandle file = create();
    if (!file) {
        DeleteAnyFile(path_);
        file = create();
    }
    DWORD written = 0;
    return file && bytes.size() <= MAXDWORD &&
           (bytes.empty() || (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                        &written, nullptr) &&
                              written == bytes.size() && FlushFileBuffers(file.get())));
}

bool TemporaryFile::Flush() const {
    return WaitedFor([&] { return FlushFile(path_); });
}

FileBytesGuard::FileBytesGuard(std::string path) : path_(std::move(path)) {
    bytes_ = ReadFileBytes(path_);
    ready_ = bytes_ || (GetFileAttributesA(path_.c_str()) == INVALID_FILE_ATTRIBUTES &&
                        GetLastError() == ERROR_FILE_NOT_FOUND);
}

FileBytesGuard::~FileBytesGuard() {
    if (kept_ || !ready_)
        return;
    if (bytes_)
        OverwriteFile(path_, *bytes_);
    else
        DeleteAnyFile(path_);
    // The profile functions must not answer from the file as it was before.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
}

bool OverwriteFile(const std::string& path, const std::string& bytes) {
    if (bytes.size() > MAXDWORD)
        return false;
    return WaitedFor([&] {
        const UniqueHandle file =
            OwnFile(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        return file &&
               WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) &&
               written == bytes.size() && SetEndOfFile(file.get()) && FlushFileBuffers(file.get());
    });
}

bool CopyOldFile(const std::string& path, const std::string& copy) {
    if (!WaitedFor([&] { return CopyFileA(path.c_str(), copy.c_str(), FALSE) != FALSE; }))
        return false;
    SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    return true;
}

bool SwapInFile(const std::string& path, const std::string& replacement, DWORD oldAttributes) {
    if (oldAttributes == INVALID_FILE_ATTRIBUTES) {
        return WaitedFor([&] {
            return g_fileSwapCalls.move(replacement.c_str(), path.c_str(),
                                        MOVEFILE_WRITE_THROUGH) != FALSE;
        });
    }
    if (!ReplaceExistingFile(path, replacement))
        return false;
    // Not every implementation of the replace keeps the attributes, and the
    // move gives the new file's.
    SetFileAttributesA(path.c_str(), (oldAttributes & kKeptAttributes) | FILE_ATTRIBUTE_ARCHIVE);
    return true;
}

bool RestoreInterruptedSwap(const std::string& path) {
    const std::string backup = BackupPath(path);
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        DeleteFileA(backup.c_str()); // left by a swap stopped after the new file was in place
        return true;
    }
    if (GetLastError() != ERROR_FILE_NOT_FOUND)
        return true;
    if (GetFileAttributesA(backup.c_str()) == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    return WaitedFor([&] {
        return g_fileSwapCalls.move(backup.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
    });
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    const UniqueHandle file = OwnFile(CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestFile)
        return std::nullopt;
    // One byte more than the size, to see a file that grew meanwhile end.
    std::string bytes(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
    for (std::size_t filled = 0;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + filled, static_cast<DWORD>(bytes.size() - filled),
                      &read, nullptr))
            return std::nullopt;
        filled += read;
        if (read == 0 || filled < bytes.size()) {
            bytes.resize(filled);
            return bytes;
        }
        if (bytes.size() > kLargestFile)
            return std::nullopt;
        bytes.resize(bytes.size() * 2);
    }
}
