#include "file_swap.h"

#include "../base/holders.h"
#include "../base/text.h"
#include "profile_reads.h"

FileSwapCalls g_fileSwapCalls;

namespace {

// Bytes; a larger file is not read whole.
constexpr LONGLONG kLargestFile = 0x40000000;

constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The side file that made the current load or save fail; empty when none did.
std::string g_failedSideFile;

DWORD Attributes(const std::string& path) {
    return GetFileAttributesW(LongFilePath(path).c_str());
}

bool SetAttributes(const std::string& path, DWORD attributes) {
    return SetFileAttributesW(LongFilePath(path).c_str(), attributes) != FALSE;
}

bool IsFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

UniqueHandle OpenFile(const std::string& path, DWORD access, DWORD sharing, DWORD disposition) {
    return OwnFile(CreateFileW(LongFilePath(path).c_str(), access, sharing, nullptr, disposition,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool MoveFile(const std::string& from, const std::string& to, DWORD flags) {
    return g_fileSwapCalls.move(LongFilePath(from).c_str(), LongFilePath(to).c_str(), flags) !=
           FALSE;
}

// Deletes a file, hidden, system or read-only as it may be; true once it is
// gone. The attributes are cleared only for a file that refuses the plain
// delete, which a missing file, the usual case, does not.
bool DeleteAnyFile(const std::string& path) {
    const std::wstring wide = LongFilePath(path);
    if (DeleteFileW(wide.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND)
        return true;
    if (GetLastError() != ERROR_ACCESS_DENIED)
        return false;
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(wide.c_str()) != FALSE;
}

// Removes the swap's backup: the step that makes a new file the settings
// file for good.
bool CommitBackup(const std::string& backup) {
    return WaitedFor([&] { return DeleteAnyFile(backup); });
}

// The old file's names while a replace puts the new one in its place, and
// while the file is changed in place: names that no user picks for a copy of
// their own, one for each, so that a replace's backup, which takes the old
// file's attributes, is never taken for a whole in-place backup.
std::string ReplaceBackupPath(const std::string& path) {
    return path + ".~replaced";
}

std::string InPlaceBackupPath(const std::string& path) {
    return path + ".~swap";
}

// The side file, for the box that tells of the failure; the last error stays.
bool SideFileFailed(const std::string& sideFile) {
    const DWORD error = GetLastError();
    NoteSideFileFailed(sideFile);
    SetLastError(error);
    return false;
}

// A new file holding bytes, on the disk. One that a crash left hidden or
// read-only refuses CREATE_ALWAYS and is deleted first; a folder in the way,
// or a folder that lets no file be made, is no reason to wait.
bool WriteNewFile(const std::string& path, std::string_view bytes,
                  const FILETIME* writeTime = nullptr) {
    const auto create = [&] { return OpenFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS); };
    UniqueHandle file;
    WaitedFor([&] {
        file = create();
        if (file || GetLastError() != ERROR_ACCESS_DENIED)
            return file != nullptr;
        const DWORD attributes = Attributes(path);
        if (attributes == INVALID_FILE_ATTRIBUTES || IsFolder(attributes)) {
            SetLastError(ERROR_CANNOT_MAKE);
            return false;
        }
        file = DeleteAnyFile(path) ? create() : nullptr;
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
// old file waits under the replace's backup name while the new one takes its
// place, so that a replace stopped in between loses nothing; it is put back
// before the step is tried again. The save has put back any backup left over
// before. A backup that cannot be removed afterwards (a scanner holds it)
// leaves a complete save: the next start or save removes it. A folder at the
// backup's name leaves the replace to the move.
bool ReplaceOldFile(const std::string& path, const std::string& replacement) {
    const std::string backup = ReplaceBackupPath(path);
    if (IsFolder(Attributes(backup)))
        return false;
    const std::wstring widePath = LongFilePath(path);
    const std::wstring wideReplacement = LongFilePath(replacement);
    const std::wstring wideBackup = LongFilePath(backup);
    const bool replaced = WaitedFor([&] {
        if (g_fileSwapCalls.replace(widePath.c_str(), wideReplacement.c_str(), wideBackup.c_str(),
                                    REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return true;
        const DWORD error = GetLastError();
        RestoreInterruptedSwap(path);
        SetLastError(error);
        return false;
    });
    if (replaced)
        CommitBackup(backup);
    return replaced;
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
    if (Attributes(path) == INVALID_FILE_ATTRIBUTES)
        return false;
    return WaitedFor([&] {
               return MoveFile(replacement, path,
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
           }) ||
           OverwriteWithFile(path, replacement);
}

} // namespace

std::string TemporaryPathFor(const std::string& path) {
    return path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
}

void DeleteStaleTemporaryFiles(const std::string& path) {
    WIN32_FIND_DATAW found;
    const UniqueFind search =
        OwnFind(FindFirstFileW(LongFilePath(path + ".*.tmp").c_str(), &found));
    if (!search)
        return;
    do {
        // Only the names this program gives: a process ID before ".tmp".
        const std::string name = FromUtf16(found.cFileName);
        const std::size_t dot = name.rfind('.', name.size() - 5);
        if (dot != std::string::npos && dot + 1 < name.size() - 4 &&
            name.find_first_not_of("0123456789", dot + 1) == name.size() - 4)
            DeleteAnyFile(path + name.substr(dot));
    } while (FindNextFileW(search.get(), &found));
}

void StartSideFileReport() {
    g_failedSideFile.clear();
}

void NoteSideFileFailed(const std::string& sideFile) {
    g_failedSideFile = sideFile;
}

void ReportSideFile(std::string* failedFile) {
    if (failedFile && !g_failedSideFile.empty())
        *failedFile = g_failedSideFile;
}

std::wstring LongFilePath(const std::string& path) {
    const std::wstring wide = ToUtf16(path);
    if (wide.size() < MAX_PATH || wide.rfind(L"\\\\?\\", 0) == 0)
        return wide;
    std::wstring full(0x8000, L'\0');
    const DWORD length =
        GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size())
        return wide;
    full.resize(length);
    if (full.rfind(L"\\\\", 0) == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
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
        const UniqueHandle file =
            OpenFile(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     OPEN_EXISTING);
        return file && FlushFileBuffers(file.get());
    });
}

bool ChangeInPlace(const std::string& path, const std::function<bool()>& change) {
    const std::optional<std::string> old = ReadFileBytes(path);
    if (!old &&
        !(Attributes(path) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND))
        return false;
    // A file that was missing comes back empty, which reads the same. The
    // backup is marked whole, hidden, only once its bytes are on the disk.
    const std::string backup = InPlaceBackupPath(path);
    if (!WriteNewFile(backup, old.value_or("")) || !SetAttributes(backup, FILE_ATTRIBUTE_HIDDEN) ||
        !FlushToDisk(backup)) {
        if (!IsFolder(Attributes(backup)))
            DeleteAnyFile(backup);
        return SideFileFailed(backup);
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
            OpenFile(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
        DWORD written = 0;
        return file &&
               WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) &&
               written == bytes.size() && SetEndOfFile(file.get()) && FlushFileBuffers(file.get());
    });
}

bool SwapInFile(const std::string& path, const std::string& replacement, DWORD oldAttributes) {
    if (oldAttributes == INVALID_FILE_ATTRIBUTES) {
        return WaitedFor([&] { return MoveFile(replacement, path, MOVEFILE_WRITE_THROUGH); });
    }
    if (!ReplaceExistingFile(path, replacement))
        return false;
    // Not every implementation of the replace keeps the attributes, and the
    // move gives the new file's.
    SetAttributes(path, (oldAttributes & kKeptAttributes) | FILE_ATTRIBUTE_ARCHIVE);
    return true;
}

namespace {

// After a stop between a replace and the removal of its backup: beside the
// file, the backup is the old file and the file the new one; without it, the
// backup is the only copy and goes back. A backup that cannot be removed now
// is removed by a later start or save.
bool RestoreReplaceBackup(const std::string& path) {
    const std::string backup = ReplaceBackupPath(path);
    const DWORD backupAttributes = Attributes(backup);
    if (backupAttributes == INVALID_FILE_ATTRIBUTES || IsFolder(backupAttributes))
        return true;
    if (Attributes(path) != INVALID_FILE_ATTRIBUTES) {
        DeleteAnyFile(backup);
        return true;
    }
    return WaitedFor([&] { return MoveFile(backup, path, MOVEFILE_WRITE_THROUGH); }) ||
           SideFileFailed(backup);
}

// After a stop during an in-place change: a backup marked whole (hidden) goes
// back over the file; one not marked whole was still being written, the file
// untouched. Without the file (a replace of an earlier version), it goes back
// as it is.
bool RestoreInPlaceBackup(const std::string& path) {
    const std::string backup = InPlaceBackupPath(path);
    const DWORD backupAttributes = Attributes(backup);
    if (backupAttributes == INVALID_FILE_ATTRIBUTES || IsFolder(backupAttributes))
        return true;
    const DWORD attributes = Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(backupAttributes & FILE_ATTRIBUTE_HIDDEN)) {
        DeleteAnyFile(backup);
        return true;
    }
    if (WaitedFor([&] {
            return MoveFile(backup, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        })) {
        SetAttributes(path, (attributes == INVALID_FILE_ATTRIBUTES
                                 ? backupAttributes & ~FILE_ATTRIBUTE_HIDDEN
                                 : attributes & kKeptAttributes) |
                                FILE_ATTRIBUTE_ARCHIVE);
        return true;
    }
    // Where no rename works, the backup's bytes go over the file's.
    const std::optional<std::string> bytes = ReadFileBytes(backup);
    if (!bytes)
        return SideFileFailed(backup);
    if (attributes == INVALID_FILE_ATTRIBUTES || !OverwriteFile(path, *bytes))
        return false;
    DeleteAnyFile(backup);
    return true;
}

} // namespace

bool RestoreInterruptedSwap(const std::string& path) {
    return RestoreReplaceBackup(path) && RestoreInPlaceBackup(path);
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    UniqueHandle file;
    if (!WaitedFor([&] {
            file = OpenFile(path, GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
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
