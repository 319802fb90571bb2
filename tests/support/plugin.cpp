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
    if (module_)
        FreeLibrary(module_);
    module_ = nullptr;
    exports_ = PluginExports{};
}

namespace {
template <typename Fn> void Bind(HMODULE module, const char* name, Fn& target) {
    target = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (!target)
        throw std::runtime_error(std::string("missing export ") + name);
}
} // namespace

void LoadedPlugin::Load() {
    module_ = LoadLibraryA(dllPath().c_str());
    if (!module_)
        return;
    Bind(module_, "ORC_OnStart", exports_.OnStart);
    Bind(module_, "ORC_OnExit", exports_.OnExit);
    Bind(module_, "ORC_OnMenuInit", exports_.OnMenuInit);
    Bind(module_, "ORC_OnOpenFolder", exports_.OnOpenFolder);
    Bind(module_, "ORC_OnOpenMail", exports_.OnOpenMail);
    Bind(module_, "ORC_OnEveryMinute", exports_.OnEveryMinute);
    Bind(module_, "ORC_OnOpenCompose", exports_.OnOpenCompose);
    Bind(module_, "ORC_OnOutgoing", exports_.OnOutgoing);
    Bind(module_, "ORC_OnKeyDispatch", exports_.OnKeyDispatch);
    Bind(module_, "ORC_OnRetrieve", exports_.OnRetrieve);
    Bind(module_, "ORC_OnSend", exports_.OnSend);
    Bind(module_, "ORC_OnFinishRetrieve", exports_.OnFinishRetrieve);
    Bind(module_, "ORC_OnPlugInSetup", exports_.OnPlugInSetup);
    Bind(module_, "ORC_OnPlugInInfo", exports_.OnPlugInInfo);
    Bind(module_, "ORC_OnDragDrop", exports_.OnDragDrop);
}
