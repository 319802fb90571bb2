#include "file_swap.h"

#include "../base/holders.h"
#include "profile_rules.h"

FileSwapCalls g_fileSwapCalls;

namespace {

// Bytes; a larger file is not read whole.
constexpr LONGLONG kLargestFile = 0x40000000;

constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Deletes a file, hidden, system or read-only as it may be; true once it is
// gone. The attributes are cleared only for a file that refuses the plain
// delete, which a missing file, the usual case, does not.
bool DeleteAnyFile(const std::string& path) {
    if (DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND)
        return true;
    if (GetLastError() != ERROR_ACCESS_DENIED)
        return false;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) != FALSE;
}

// Removes the swap's backup: the step that makes a new file the settings
// file for good.
bool CommitBackup(const std::string& backup) {
    return WaitedFor([&] { return DeleteAnyFile(backup); });
}

// The old file's name while the swap puts the new one in its place, or while
// the file is changed in place: one that no user picks for a copy of their
// own.
std::string BackupPath(const std::string& path) {
    return path + ".~swap";
}

// A new file holding bytes, on the disk. One that a crash left hidden or
// read-only refuses CREATE_ALWAYS and is deleted first; a folder in the way,
// or a folder that lets no file be made, is no reason to wait.
bool WriteNewFile(const std::string& path, std::string_view bytes,
                  const FILETIME* writeTime = nullptr) {
    const auto create = [&] {
        return OwnFile(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    UniqueHandle file;
    WaitedFor([&] {
        file = create();
        if (file || GetLastError() != ERROR_ACCESS_DENIED)
            return file != nullptr;
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            SetLastError(ERROR_CANNOT_MAKE);
            return false;
        }
        file = DeleteFileA(path.c_str()) ? create() : nullptr;
        return file != nullptr;
    });
    DWORD written = 0;
    return file && bytes.size() <= MAXDWORD &&
           (bytes.empty() || (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                        &written, nullptr) &&
                              written == bytes.size())) &&
           FlushFileBuffers(file.get()) &&
           (!writeTime || SetFileTime(file.get(), nullptr, nullptr, writeTime));
}

// ReplaceFile keeps the old file's owner, access rights and creation time. The
// old file waits under the backup name while the new one takes its place, so
// that a swap stopped in between loses nothing; it is put back before the
// step is tried again. The save has put back any backup left over before.
bool ReplaceOldFile(const std::string& path, const std::string& replacement) {
    const std::string backup = BackupPath(path);
    const bool replaced = WaitedFor([&] {
        if (g_fileSwapCalls.replace(path.c_str(), replacement.c_str(), backup.c_str(),
                                    REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return true;
        const DWORD error = GetLastError();
        RestoreInterruptedSwap(path);
        SetLastError(error);
        return false;
    });
    return replaced && CommitBackup(backup);
}

// Where neither a replace nor a move may take the old file away (on a share
// that lets no access rights change, in a virtualized folder), the new file's
// bytes are written over the old file's, in place.
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

std::string TemporaryPathFor(const std::string& path) {
    return path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
}

void DeleteStaleTemporaryFiles(const std::string& path) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((path + ".*.tmp").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        // Only the names this program gives: a process ID before ".tmp".
        const std::string_view name = found.cFileName;
        const std::size_t dot = name.rfind('.', name.size() - 5);
        if (dot != std::string_view::npos && dot + 1 < name.size() - 4 &&
            name.find_first_not_of("0123456789", dot + 1) == name.size() - 4)
            DeleteAnyFile(path + std::string(name.substr(dot)));
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

TemporaryFile::~TemporaryFile() {
    if (!kept_)
        DeleteAnyFile(path_);
}

bool TemporaryFile::Create(std::string_view bytes, const FILETIME* writeTime) {
    return WriteNewFile(path_, bytes, writeTime);
}

bool FlushToDisk(const std::string& path) {
    // Opened with full sharing: a program that has just opened the new file
    // to scan or index it keeps it open meanwhile.
    return WaitedFor([&] {
        const UniqueHandle file = OwnFile(CreateFileA(
            path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        return file && FlushFileBuffers(file.get());
    });
}

bool ChangeInPlace(const std::string& path, const std::function<bool()>& change) {
    const std::optional<std::string> old = ReadFileBytes(path);
    if (!old && !(GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES &&
                  GetLastError() == ERROR_FILE_NOT_FOUND))
        return false;
    // A file that was missing comes back empty, which reads the same. The
    // backup is marked whole, hidden, only once its bytes are on the disk.
    const std::string backup = BackupPath(path);
    if (!WriteNewFile(backup, old.value_or("")) ||
        !SetFileAttributesA(backup.c_str(), FILE_ATTRIBUTE_HIDDEN) || !FlushToDisk(backup)) {
        DeleteAnyFile(backup);
        return false;
    }
    if (change() && FlushToDisk(path))
        return CommitBackup(backup);
    const bool putBack = old ? OverwriteFile(path, *old) : (DeleteAnyFile(path), true);
    // The profile functions must not answer from the file as it was changed.
    ForgetCachedProfile(path);
    if (putBack)
        DeleteAnyFile(backup);
    return false;
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
    const DWORD backupAttributes = GetFileAttributesA(backup.c_str());
    if (backupAttributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
    // Beside a file, a backup not marked whole was still being written (the
    // file untouched), or a replace left it (the file the new one).
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(backupAttributes & FILE_ATTRIBUTE_HIDDEN))
        return DeleteAnyFile(backup);
    if (WaitedFor([&] {
            return g_fileSwapCalls.move(backup.c_str(), path.c_str(),
                                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
                   FALSE;
        })) {
        SetFileAttributesA(path.c_str(), (attributes == INVALID_FILE_ATTRIBUTES
                                              ? backupAttributes & ~FILE_ATTRIBUTE_HIDDEN
                                              : attributes & kKeptAttributes) |
                                             FILE_ATTRIBUTE_ARCHIVE);
        return true;
    }
    // Where no rename works, the backup's bytes go over the file's.
    const std::optional<std::string> bytes = ReadFileBytes(backup);
    if (!bytes || attributes == INVALID_FILE_ATTRIBUTES || !OverwriteFile(path, *bytes))
        return false;
    DeleteAnyFile(backup);
    return true;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    UniqueHandle file;
    if (!WaitedFor([&] {
            file = OwnFile(CreateFileA(path.c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            return file != nullptr;
        }))
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
