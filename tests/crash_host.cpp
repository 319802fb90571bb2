// A host that loads the plug-in from a folder, adds one destination through
// the folder menu's command and exits through ORC_OnExit. The command signals
// a named event as its confirmation is answered with OK, right before it
// saves; the crash-safety test kills the host at varying moments after that.
// A box of the settings file's load or save is answered too, and the host
// then exits with 4. With "in-place" after the event's name, a folder stands
// in the place of the host's new file beside the settings file, so that the
// save writes in place.
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
    // Answers every box with OK and counts those of the settings file; the
    // confirmation's answer, right before the save, is the signal.
    int settingsBoxes = 0;
    const ActivationWatcher watcher([&settingsBoxes, saving](const ShownBox& box) {
        if (box.text.rfind("設定を", 0) == 0)
            ++settingsBoxes;
        else
            SetEvent(saving);
        return IDOK;
    });
    orc.OnStart();

    standin::Script().currentFolder = std::string("\\追加\\新しいフォルダ");
    standin::Script().displayNames["\\追加\\新しいフォルダ"] = std::string("新しいフォルダ");
    HMENU menu = CreatePopupMenu();
    orc.OnMenuInit(nullptr, menu, kFolderMenu);
    DestroyMenu(menu);
    standin::InvokeCommand(standin::Registered().back().id, nullptr, 0);
    orc.OnExit();
    const bool quiet = settingsBoxes == 0;
    std::puts(quiet ? "saved" : "a box of the start or the exit");
    return quiet ? 0 : 4;
}
