#include "plugin.h"

#include <shlobj.h>

#include <stdexcept>

#include "scratch.h"

std::string ExecutableFolder() {
    char path[MAX_PATH * 4] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string BuiltPluginPath() {
    return ExecutableFolder() + "Varkel.dll";
}

LoadedPlugin::LoadedPlugin(const std::string& folder) : folder_(folder) {
    if (folder_.empty() || folder_.back() != '\\')
        folder_ += '\\';
    SHCreateDirectoryExA(nullptr, folder_.c_str(), nullptr);
    if (!CopyFileA(BuiltPluginPath().c_str(), dllPath().c_str(), FALSE))
        throw std::runtime_error("cannot copy " + BuiltPluginPath());
    Load();
}

LoadedPlugin::~LoadedPlugin() {
    Unload();
}

void LoadedPlugin::Reload() {
    Unload();
    Load();
}

void LoadedPlugin::Unload() {
    module_.reset();
    exports_ = PluginCallbacks{};
}

void LoadedPlugin::Load() {
    module_.reset(LoadLibraryA(dllPath().c_str()));
    if (!module_)
        return;
    if (const char* missing = BindPluginCallbacks(module_.get(), exports_))
        throw std::runtime_error(std::string("missing export ") + missing);
}
