// A host that loads the plug-in from a folder, signals a named event, adds
// one destination through the folder menu's command, which saves it, and
// exits through ORC_OnExit. The crash-safety test kills it at varying moments
// of the save. The confirmation is answered with OK; a box of the settings
// file's load or save is answered too, and the host then exits with 4. With
// "in-place" after the event's name, a folder stands in the place of the
// host's new file beside the settings file, so that the save writes in place.
#include <windows.h>

#include <cstdio>
#include <string>

#include "desktop/activation_watcher.h"
#include "host/plugin_callbacks.h"
#include "standin_host.h"

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    const std::string folder = argv[1];
    HANDLE saving = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    HMODULE plugin = LoadLibraryA((folder + "\\Varkel.dll").c_str());
    PluginCallbacks orc;
    if (!plugin || !saving || BindPluginCallbacks(plugin, orc))
        return 3;
    if (argc > 3 && std::string(argv[3]) == "in-place")
        CreateDirectoryA(
            (folder + "\\Varkel.ini." + std::to_string(GetCurrentProcessId()) + ".tmp").c_str(),
            nullptr);
    // Answers every box with OK, and counts those of the settings file.
    int settingsBoxes = 0;
    const ActivationWatcher watcher([&settingsBoxes](const ShownBox& box) {
        settingsBoxes += box.text.rfind("設定を", 0) == 0 ? 1 : 0;
        return IDOK;
    });
    orc.OnStart();

    standin::Script().currentFolder = std::string("\\追加\\新しいフォルダ");
    standin::Script().displayNames["\\追加\\新しいフォルダ"] = std::string("新しいフォルダ");
    HMENU menu = CreatePopupMenu();
    orc.OnMenuInit(nullptr, menu, kFolderMenu);
    DestroyMenu(menu);
    SetEvent(saving);
    standin::InvokeCommand(standin::Registered().back().id, nullptr, 0);
    orc.OnExit();
    const bool quiet = settingsBoxes == 0;
    std::puts(quiet ? "saved" : "a box of the start or the exit");
    return quiet ? 0 : 4;
}
