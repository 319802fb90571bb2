// Replacing a file as a whole: the new one is built beside it and swapped in,
// so that the file on disk is always either the complete old one or the
// complete new one.
#pragma once

#include <windows.h>

#include <string>

// The functions that move a file into place. Tests stand in ones that fail as
// they do on a network share or in a virtualized folder.
struct FileSwapCalls {
    decltype(&ReplaceFileA) replace = &ReplaceFileA;
    decltype(&MoveFileExA) move = &MoveFileExA;
};
extern FileSwapCalls g_fileSwapCalls;

// The new file, beside the old one; deleted unless kept.
class TemporaryFile {
  public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }
    // A new empty file, in place of one that a crash may have left; false
    // when the folder lets none be created.
    bool Create();
    void Keep() { kept_ = true; }

  private:
    std::string path_;
    bool kept_ = false;
};

// Copies the old file's bytes over the new one, as a plain file that the
// profile functions may write (not hidden, not read-only).
bool CopyOldFile(const std::string& path, const std::string& copy);

// Puts replacement in the place of the file at path, once its data is on the
// disk. An existing file (oldAttributes not INVALID_FILE_ATTRIBUTES) keeps its
// owner, access rights, creation time and hidden and system attributes; a
// missing one is made by a rename.
bool SwapInFile(const std::string& path, const std::string& replacement, DWORD oldAttributes);

// Puts the old file back where a swap was stopped between taking it away and
// putting the new one in its place; drops the old one where the swap was
// stopped after that.
void RestoreInterruptedSwap(const std::string& path);
