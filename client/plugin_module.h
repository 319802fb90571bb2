// The plug-in DLL as the client loads it: the module and the callbacks the
// client calls.
#pragma once

#include <windows.h>

#include <string>

#include "base/holders.h"
#include "host/plugin_callbacks.h"

class PluginModule {
  public:
    // Loads the DLL and binds its callbacks; on failure the module is not kept
    // and error() says why.
    bool Load(const std::string& path);
    bool loaded() const { return module_ != nullptr; }
    const PluginCallbacks& orc() const { return callbacks_; }
    const std::string& path() const { return path_; }
    const std::string& error() const { return error_; }
    // "name version: description", from the plug-in's own information.
    std::string Describe() const;

  private:
    UniqueModule module_;
    PluginCallbacks callbacks_;
    std::string path_;
    std::string error_;
};
