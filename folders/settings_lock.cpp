#include "settings_lock.h"

#include <windows.h>

#include "file_swap.h"

namespace {

constexpr DWORD kLongestLockWait = 10000; // ms; a save of a long list on a share
// A lock file that its holder has just closed is denied until it is gone.
constexpr DWORD kLongestDeniedWait = 2000;
constexpr DWORD kLockPause = 50;

HANDLE OpenLockFile(const std::string& lockPath) {
    return CreateFileW(LongFilePath(lockPath).c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

// What a failed open of the lock file means.
enum class LockAnswer {
    kHeld,    // another host holds it: wait
    kDenied,  // denied: its holder is closing it, or no right to open it
    kCleared, // marked read-only (a copy, a restored backup): cleared, try again
    kNone,    // no lock file can be had here (a folder at its name, one that
              // lets no file be made): go on without
};

LockAnswer WhyNotOpened(const std::string& lockPath) {
    const DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION)
        return LockAnswer::kHeld;
    if (error != ERROR_ACCESS_DENIED)
        return LockAnswer::kNone;
    const std::wstring wide = LongFilePath(lockPath);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return LockAnswer::kDenied;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return LockAnswer::kNone;
    if ((attributes & FILE_ATTRIBUTE_READONLY) &&
        SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN))
        return LockAnswer::kCleared;
    return LockAnswer::kDenied;
}

} // namespace

SettingsFileLock::SettingsFileLock(const std::string& path) {
    if (path.empty())
        return;
    const std::string lockPath = path + ".~lock";
    for (const DWORD started = GetTickCount();; Sleep(kLockPause)) {
        file_ = OwnFile(OpenLockFile(lockPath));
        if (file_)
            return;
        const LockAnswer answer = WhyNotOpened(lockPath);
        const DWORD waited = GetTickCount() - started;
        if (answer == LockAnswer::kNone ||
            (answer == LockAnswer::kDenied && waited >= kLongestDeniedWait))
            return;
        if (answer == LockAnswer::kHeld && waited >= kLongestLockWait) {
            heldElsewhere_ = true;
            NoteSideFileFailed(lockPath);
            return;
        }
    }
}
