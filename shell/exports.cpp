// The module entry point and the callbacks the host calls; each forwards to
// the part of the plug-in that does the work.
#include <windows.h>

#include "../dialog/settings_dialog.h"
#include "../menus/context_menu.h"
#include "../base/guard.h"
#include "attach.h"
#include "lifecycle.h"
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
    Guarded(SaveSettingsAtExit);
    return 0;
}

int WINAPI ORC_OnMenuInit(HWND, HMENU menu, int menuType) {
    Guarded([&] { OnMenuInit(menu, menuType); });
    return 0;
}

int WINAPI ORC_OnOpenFolder(LPARAM) {
    return 0;
}
int WINAPI ORC_OnOpenMail(LPARAM) {
    return 0;
}
int WINAPI ORC_OnEveryMinute() {
    return 0;
}
int WINAPI ORC_OnOpenCompose(LPARAM, LPARAM) {
    return 0;
}
int WINAPI ORC_OnOutgoing(LPARAM, LPARAM) {
    return 0;
}
int WINAPI ORC_OnKeyDispatch(LPARAM, LPARAM, LPARAM) {
    return 0;
}
int WINAPI ORC_OnRetrieve(LPARAM, LPARAM) {
    return 0;
}
int WINAPI ORC_OnSend(LPARAM) {
    return 0;
}
int WINAPI ORC_OnFinishRetrieve(LPARAM) {
    return 0;
}

int WINAPI ORC_OnPlugInSetup(HWND window) {
    Guarded([&] { OpenSettingsDialog(window); });
    return 1;
}

int WINAPI ORC_OnPlugInInfo(PluginInfo* info) {
    Guarded([&] { ReportPluginInfo(info); });
    return 0;
}

int WINAPI ORC_OnDragDrop(LPARAM, LPARAM, LPARAM, LPARAM) {
    return 0;
}

} // extern "C"
