#include "plugin_module.h"

#include <cstring>

namespace {

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
    const char* missing = BindPluginCallbacks(module_.get(), callbacks_);
    if (missing) {
        error_ = std::string("the DLL does not export ") + missing;
        module_.reset();
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
