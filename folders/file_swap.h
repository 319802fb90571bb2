// Replacing a file as a whole: the new one is built beside it and swapped in,
// so that the file on disk is always either the complete old one or the
// complete new one.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// The functions that move a file into place. Tests stand in ones that fail as
// they do on a network share or in a virtualized folder.
struct FileSwapCalls {
    decltype(&ReplaceFileA) replace = &ReplaceFileA;
    decltype(&MoveFileExA) move = &MoveFileExA;
};
extern FileSwapCalls g_fileSwapCalls;

// Starts the two seconds or so for which the steps that follow wait out a
// program that holds a file for a moment: a scanner, the search indexer, a
// sync client. Before the first start no step waits.
void StartFileWaits();
// After a step failed with error: false when no other program holds the file
// (no sharing or lock violation, no access denied) or the time is up;
// otherwise waits a little and gives true, to try the step again.
bool WaitToRetry(DWORD error);

// Runs step until it succeeds or WaitToRetry gives up; the last error stays.
template <class Step> bool WaitedFor(Step step) {
    while (!step()) {
        const DWORD error = GetLastError();
        if (!WaitToRetry(error)) {
            SetLastError(error);
            return false;
        }
    }
    return true;
}

// The new file, beside the old one; deleted unless kept.
class TemporaryFile {
  public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }
    // A new file holding bytes, on the disk, in place of one that a crash may
    // have left; false when the folder lets none be created or the bytes be
    // written.
    bool Create(std::string_view bytes = {});
    // Puts what was written to the file since on the disk.
    bool Flush() const;
    void Keep() { kept_ = true; }

  private:
    std::string path_;
    bool kept_ = false;
};

// A file's bytes before it is written in place, put back (or the file
// deleted, when there was none) unless kept.
class FileBytesGuard {
  public:
    explicit FileBytesGuard(std::string path);
    ~FileBytesGuard();
    FileBytesGuard(const FileBytesGuard&) = delete;
    FileBytesGuard& operator=(const FileBytesGuard&) = delete;

    // False when the file is there but its bytes could not be read: nothing
    // could be put back, so it must not be written.
    bool ready() const { return ready_; }
    void Keep() { kept_ = true; }

  private:
    std::string path_;
    std::optional<std::string> bytes_; // nullopt: there was no file
    bool ready_;
    bool kept_ = false;
};

// Changes the file in place by change(), putting its bytes back (or deleting
// it, when there was none) if the change fails. A file whose bytes cannot be
// read is not changed: nothing could be put back.
template <class Change> bool ChangeInPlace(const std::string& path, Change change) {
    FileBytesGuard before(path);
    if (!before.ready() || !change())
        return false;
    before.Keep();
    return true;
}

// Writes bytes over the file's own, to the disk: the one way into a file that
// may be neither replaced nor renamed (a folder that virtualization
// redirects). Other programs that share the file may keep it open meanwhile.
bool OverwriteFile(const std::string& path, const std::string& bytes);

// Copies the old file's bytes over the new one, as a plain file that the
// profile functions may write (not hidden, not read-only).
bool CopyOldFile(const std::string& path, const std::string& copy);

// Puts replacement, its data on the disk, in the place of the file at path.
// An existing file (oldAttributes not INVALID_FILE_ATTRIBUTES) keeps its
// hidden and system attributes, and, where the replace can work, its owner,
// access rights and creation time; a missing one is made by a rename.
bool SwapInFile(const std::string& path, const std::string& replacement, DWORD oldAttributes);

// Puts the old file back where a swap was stopped between taking it away and
// putting the new one in its place; drops the old one where the swap was
// stopped after that. False when the file is missing and the old one, still
// waiting under the swap's backup name, cannot be put back.
bool RestoreInterruptedSwap(const std::string& path);

// The file's bytes; nullopt when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);
