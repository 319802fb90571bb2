// One host at a time on the settings file, which two hosts may share (a
// portable copy on a share or a removable drive, two instances at once): no
// start reads while another's save is under way, and no two saves interleave.
#pragma once

#include <string>

#include "../base/holders.h"

// Holds a lock file beside the settings file, opened without sharing and
// deleted when closed, so that it also works between computers and is never
// left behind. Waits briefly for another host's lock; where no lock file can
// be made or opened (a folder without the right to create files, a folder at
// its name, a lock file of another account's) goes on without one, as no
// other host can hold it there either; a read-only one is cleared first.
class SettingsFileLock {
  public:
    explicit SettingsFileLock(const std::string& path);
    // False when another host still held the lock after the wait: then the
    // file must be neither written nor repaired.
    bool held() const { return !heldElsewhere_; }

  private:
    UniqueHandle file_;
    bool heldElsewhere_ = false;
};
