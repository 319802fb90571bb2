// Replacing a file as a whole: the new one is built beside it and swapped in,
// so that the file on disk is always either the complete old one or the
// complete new one.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "../base/waited_for.h"

// The functions that move a file into place. Tests stand in ones that fail as
// they do on a network share or in a virtualized folder.
struct FileSwapCalls {
    decltype(&ReplaceFileW) replace = &ReplaceFileW;
    decltype(&MoveFileExW) move = &MoveFileExW;
};
extern FileSwapCalls g_fileSwapCalls;

// The path as the wide file functions take it: with the "\\?\" prefix where
// it is too long for the plain form (a side file's name beside a settings
// file deep in a folder tree).
std::wstring LongFilePath(const std::string& path);

// The side file (the lock, a backup) that made the current load or save
// fail, for the box to name: forgotten by StartSideFileReport, noted by the
// step that failed, and handed to *failedFile by ReportSideFile, which
// leaves it as it is where no side file failed.
void StartSideFileReport();
void NoteSideFileFailed(const std::string& sideFile);
void ReportSideFile(std::string* failedFile);

// This process's own name for the new file beside the settings file, so that
// two processes never write into one.
std::string TemporaryPathFor(const std::string& path);
// Deletes the new files that stopped saves left beside the settings file;
// only under the settings lock, when no other process is writing one.
void DeleteStaleTemporaryFiles(const std::string& path);

// The new file, beside the old one; deleted unless kept.
class TemporaryFile {
  public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }
    // A new file holding bytes, on the disk, in place of one that a crash may
    // have left, written last at writeTime when given; false when none can
    // be created or written.
    bool Create(std::string_view bytes = {}, const FILETIME* writeTime = nullptr);
    void Keep() { kept_ = true; }

  private:
    std::string path_;
    bool kept_ = false;
};

// Changes the file in place by change() as a transaction: the old bytes go to
// the swap's backup, on the disk, first; the backup is removed once the
// changed file is on the disk, or put back when the change fails, or by the
// next start or save when the process was stopped. A file whose bytes cannot
// be read, or whose backup cannot be written, is not changed.
bool ChangeInPlace(const std::string& path, const std::function<bool()>& change);

// Puts what was written to the file on the disk.
bool FlushToDisk(const std::string& path);

// Writes bytes over the file's own, to the disk: the one way into a file that
// may be neither replaced nor renamed (a folder that virtualization
// redirects). Other programs that share the file may keep it open meanwhile.
bool OverwriteFile(const std::string& path, const std::string& bytes);

// Puts replacement, its data on the disk, in the place of the file at path.
// An existing file (oldAttributes not INVALID_FILE_ATTRIBUTES) keeps its
// hidden and system attributes, and, where the replace can work, its owner,
// access rights and creation time; a missing one is made by a rename.
bool SwapInFile(const std::string& path, const std::string& replacement, DWORD oldAttributes);

// Puts the old file back where a replace or an in-place change was stopped
// before it removed its backup: the file is then the old one again, or, after
// a replace, the new one, its backup removed. A folder at a backup's name is
// no backup. False when a backup is there and cannot be put back.
bool RestoreInterruptedSwap(const std::string& path);

// The file's bytes; nullopt when it cannot be read, also after waiting for a
// program that holds it.
std::optional<std::string> ReadFileBytes(const std::string& path);
