// A host that loads the plug-in from a folder, adds one destination through
// the folder menu's command, signals a named event and exits through
// ORC_OnExit. The crash-safety test kills it at varying moments of the save.
// Any other box, at the start or the exit, is answered too, and the host then
// exits with 4.
#include <windows.h>

#include <cstdio>

#include "host/plugin_callbacks.h"
#include "standin_host.h"

namespace {

HHOOK g_hook = nullptr;
int g_boxes = 0;

// Answers every box with OK.
LRESULT CALLBACK AnswerOk(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        ++g_boxes;
        PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    const std::string folder = argv[1];
    HANDLE saving = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    HMODULE plugin = LoadLibraryA((folder + "\\Varkel.dll").c_str());
    PluginCallbacks orc;
    if (!plugin || !saving || BindPluginCallbacks(plugin, orc))
        return 3;
    g_hook = SetWindowsHookExA(WH_CBT, AnswerOk, nullptr, GetCurrentThreadId());
    orc.OnStart();
    const int startBoxes = g_boxes;

    standin::Script().currentFolder = std::string("\\追加\\新しいフォルダ");
    standin::Script().displayNames["\\追加\\新しいフォルダ"] = std::string("新しいフォルダ");
    HMENU menu = CreatePopupMenu();
    orc.OnMenuInit(nullptr, menu, kFolderMenu);
    DestroyMenu(menu);
    standin::InvokeCommand(standin::Registered().back().id, nullptr, 0);

    g_boxes = 0;
    SetEvent(saving);
    orc.OnExit();
    UnhookWindowsHookEx(g_hook);
    const bool quiet = startBoxes == 0 && g_boxes == 0;
    std::puts(quiet ? "saved" : "a box of the start or the exit");
    return quiet ? 0 : 4;
}
