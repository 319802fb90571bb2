#include "settings_lock.h"

#include <windows.h>

namespace {

constexpr DWORD kLongestLockWait = 10000; // ms; a save of a long list on a share
constexpr DWORD kLockPause = 50;

HANDLE OpenLockFile(const std::string& lockPath) {
    return CreateFileA(lockPath.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

// After a failed open: true when another host holds the lock file. A lock
// file that its holder has just closed is denied until it is gone; where the
// folder lets none be created, no lock file is there.
bool HeldByAnotherHost(const std::string& lockPath) {
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION ||
           (error == ERROR_ACCESS_DENIED &&
            GetFileAttributesA(lockPath.c_str()) != INVALID_FILE_ATTRIBUTES);
}

} // namespace

SettingsFileLock::SettingsFileLock(const std::string& path) {
    if (path.empty())
        return;
    const std::string lockPath = path + ".~lock";
    for (const DWORD started = GetTickCount();; Sleep(kLockPause)) {
        file_ = OwnFile(OpenLockFile(lockPath));
        if (file_ || !HeldByAnotherHost(lockPath))
            return;
        if (GetTickCount() - started >= kLongestLockWait) {
            heldElsewhere_ = true;
            return;
        }
    }
}
