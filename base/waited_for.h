// Waiting out another program that holds a file for a moment.
#pragma once

#include <windows.h>

// Runs step until it succeeds; while another program holds the file (a
// sharing or lock violation, access denied: a scanner, the search indexer, a
// sync client), tries again for two seconds or so. Each step has a wait of
// its own, so a slow step spends none of the next's. The last error stays.
template <class Step> bool WaitedFor(Step step) {
    const DWORD started = GetTickCount();
    while (!step()) {
        const DWORD error = GetLastError();
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION &&
             error != ERROR_ACCESS_DENIED) ||
            GetTickCount() - started >= 2000) {
            SetLastError(error);
            return false;
        }
        Sleep(50);
    }
    return true;
}
