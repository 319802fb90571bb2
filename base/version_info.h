// Reads string values from the module's own version resource.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

// The module file's version data and its first translation; released when the
// object goes. Empty (every value reads as "") when there is none.
class VersionData {
  public:
    static VersionData Open();
    // The value of key in the first translation's string table, or "".
    std::string Read(const char* key) const;

  private:
    std::unique_ptr<BYTE[]> block_;
    DWORD translation_ = 0;
};
