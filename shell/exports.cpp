// The module entry point and the callbacks the host calls; each forwards to
// the part of the plug-in that does the work.
#include <windows.h>

#include <type_traits>

#include "../dialog/settings_dialog.h"
#include "../menus/context_menu.h"
#include "../menus/settings_session.h"
#include "../base/guard.h"
#include "attach.h"
#include "plugin_info.h"

extern "C" {

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    return OnProcessAttach(module);
}

int WINAPI ORC_OnStart() {
    Guarded(LoadSettingsAtStart);
    return 0;
}

int WINAPI ORC_OnExit() {
    Guarded(SaveSettingsNow);
    return 0;
}

int WINAPI ORC_OnMenuInit(HWND, HMENU menu, int menuType) {
    Guarded([&] { OnMenuInit(menu, menuType); });
    return 0;
}

int WINAPI ORC_OnPlugInSetup(HWND window) {
    Guarded([&] { OpenSettingsDialog(window, SaveSettingsNow); });
    return 1;
}

int WINAPI ORC_OnPlugInInfo(PluginInfo* info) {
    Guarded([&] { ReportPluginInfo(info); });
    return 0;
}

// The callbacks the plug-in has no use for.
#define VARKEL_IDLE_CALLBACK(name, ordinal, parameters)                                            \
    int WINAPI ORC_##name parameters {                                                             \
        return 0;                                                                                  \
    }
#define VARKEL_NO_DEFINITION(name, ordinal, parameters)
VARKEL_PLUGIN_CALLBACKS(VARKEL_NO_DEFINITION, VARKEL_IDLE_CALLBACK)

} // extern "C"

// Each export has the type that the interface lists for it.
#define VARKEL_CHECK_CALLBACK(name, ordinal, parameters)                                           \
    static_assert(std::is_same_v<decltype(&ORC_##name), int(WINAPI*) parameters>,                  \
                  "ORC_" #name " differs from its listed signature");
VARKEL_PLUGIN_CALLBACKS(VARKEL_CHECK_CALLBACK, VARKEL_CHECK_CALLBACK)
