// The plug-in's callbacks as a host holds them, and their binder.
#pragma once

#include <windows.h>

#include "base/plugin_interface.h"

// The plug-in's callbacks as a host holds them.
struct PluginCallbacks {
#define VARKEL_CALLBACK_POINTER(name, ordinal, parameters) int(WINAPI * name) parameters = nullptr;
    VARKEL_PLUGIN_CALLBACKS(VARKEL_CALLBACK_POINTER, VARKEL_CALLBACK_POINTER)
#undef VARKEL_CALLBACK_POINTER
};

// Binds every callback from module, or none: returns the name of the first
// missing export and leaves callbacks as they were, or nullptr once all are
// bound. The one binder of the tests, the client and the small hosts.
inline const char* BindPluginCallbacks(HMODULE module, PluginCallbacks& callbacks) {
    PluginCallbacks bound;
#define VARKEL_BIND_CALLBACK(name, ordinal, parameters)                                            \
    bound.name = reinterpret_cast<decltype(bound.name)>(                                           \
        reinterpret_cast<void*>(GetProcAddress(module, "ORC_" #name)));                            \
    if (!bound.name)                                                                               \
        return "ORC_" #name;
    VARKEL_PLUGIN_CALLBACKS(VARKEL_BIND_CALLBACK, VARKEL_BIND_CALLBACK)
#undef VARKEL_BIND_CALLBACK
    callbacks = bound;
    return nullptr;
}
