// The one stand-in mail client of the process: its mail, its windows and the
// plug-in it has loaded (the commands it registers are the stand-in host's).
// Everything runs on the user-interface thread.
#pragma once

#include <windows.h>

#include "base/plugin_interface.h"
#include "mail_store.h"
#include "plugin_module.h"

struct ClientWindows {
    HWND frame = nullptr;
    HWND tree = nullptr;
    HWND list = nullptr;
    HWND preview = nullptr;
    HWND status = nullptr;
};

struct ClientState {
    MailStore store;
    ClientWindows windows;
    PluginModule plugin;
};

inline ClientState& Client() {
    static ClientState state;
    return state;
}
