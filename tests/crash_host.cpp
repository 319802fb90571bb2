// A host that loads the plug-in from a folder, adds one destination through
// the folder menu's command, signals a named event and exits through
// ORC_OnExit. The crash-safety test kills it at varying moments of the save.
#include <windows.h>

#include <cstdio>

#include "base/menu_types.h"
#include "desktop/activation_watcher.h"
#include "standin_host.h"

namespace {

template <typename Fn> Fn Export(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    const std::string folder = argv[1];
    HANDLE saving = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    HMODULE plugin = LoadLibraryA((folder + "\\Varkel.dll").c_str());
    if (!plugin || !saving)
        return 3;
    const auto onStart = Export<int(WINAPI*)()>(plugin, "ORC_OnStart");
    const auto onExit = Export<int(WINAPI*)()>(plugin, "ORC_OnExit");
    const auto onMenuInit = Export<int(WINAPI*)(HWND, HMENU, int)>(plugin, "ORC_OnMenuInit");
    onStart();

    standin::Script().currentFolder = std::string("\\追加\\新しいフォルダ");
    standin::Script().displayNames["\\追加\\新しいフォルダ"] = std::string("新しいフォルダ");
    HMENU menu = CreatePopupMenu();
    onMenuInit(nullptr, menu, kFolderMenu);
    DestroyMenu(menu);
    {
        // Answers the add confirmation with OK.
        const ActivationWatcher boxes([](const ShownBox&) { return IDOK; });
        standin::InvokeCommand(standin::Registered().back().id, nullptr, 0);
    }

    SetEvent(saving);
    onExit();
    std::puts("saved");
    return 0;
}
