#include "plugin_module.h"

#include <cstring>

namespace {

template <typename Fn> bool Bind(HMODULE module, const char* name, Fn& target) {
    target = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return target != nullptr;
}

// A fixed-width field of the information record, up to its NUL.
std::string Field(const char* field, std::size_t width) {
    return std::string(field, strnlen(field, width));
}

} // namespace

bool PluginModule::Load(const std::string& path) {
    path_ = path;
    module_.reset(LoadLibraryA(path.c_str()));
    if (!module_) {
        error_ = "LoadLibrary failed (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    const HMODULE module = module_.get();
    const char* missing = nullptr;
    if (!Bind(module, "ORC_OnStart", callbacks_.OnStart))
        missing = "ORC_OnStart";
    else if (!Bind(module, "ORC_OnExit", callbacks_.OnExit))
        missing = "ORC_OnExit";
    else if (!Bind(module, "ORC_OnMenuInit", callbacks_.OnMenuInit))
        missing = "ORC_OnMenuInit";
    else if (!Bind(module, "ORC_OnPlugInSetup", callbacks_.OnPlugInSetup))
        missing = "ORC_OnPlugInSetup";
    else if (!Bind(module, "ORC_OnPlugInInfo", callbacks_.OnPlugInInfo))
        missing = "ORC_OnPlugInInfo";
    if (missing) {
        error_ = std::string("the DLL does not export ") + missing;
        module_.reset();
        callbacks_ = PluginCallbacks{};
        return false;
    }
    return true;
}

std::string PluginModule::Describe() const {
    if (!module_)
        return std::string();
    PluginInfo info{};
    callbacks_.OnPlugInInfo(&info);
    return Field(info.name, sizeof info.name) + " " + Field(info.version, sizeof info.version) +
           ": " + Field(info.description, sizeof info.description);
}
