// Loads a fresh copy of Varkel.dll, from its own scratch folder, into the
// test process, which exports the stand-in host's functions.
#pragma once

#include <windows.h>

#include <string>

#include "base/holders.h"
#include "host/plugin_callbacks.h"

// The test executable's folder, with a trailing backslash.
std::string ExecutableFolder();
// The built Varkel.dll beside the test executables.
std::string BuiltPluginPath();

class LoadedPlugin {
  public:
    // Copies the DLL into folder (created when missing) and loads it there;
    // its settings file is folder\Varkel.ini.
    explicit LoadedPlugin(const std::string& folder);
    ~LoadedPlugin();
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    bool loaded() const { return module_ != nullptr; }
    HMODULE module() const { return module_.get(); }
    const PluginCallbacks& orc() const { return exports_; }
    const std::string& folder() const { return folder_; }
    std::string settingsPath() const { return folder_ + "Varkel.ini"; }
    std::string dllPath() const { return folder_ + "Varkel.dll"; }
    // Unloads and loads the same copy again: fresh module-wide state.
    void Reload();
    void Unload();

  private:
    void Load();
    std::string folder_;
    UniqueModule module_;
    PluginCallbacks exports_;
};
