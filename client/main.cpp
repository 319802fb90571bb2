// The stand-in mail client: loads Varkel.dll and drives it the way the mail
// client does, for a person or for the scripted tour.
//   VarkelMail.exe [PLUGIN.DLL]               runs the client for a person
//   VarkelMail.exe --tour OUTDIR [PLUGIN.DLL] runs the scripted tour
// The plug-in defaults to Varkel.dll beside the executable.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "base/module.h"
#include "client_app.h"
#include "paths.h"
#include "tour.h"
#include "transcript.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    int i = 1;
    const bool tour = i < __argc && std::strcmp(__argv[i], "--tour") == 0;
    std::string outputFolder;
    if (tour && ++i < __argc)
        outputFolder = FullPath(__argv[i++]);
    const std::string plugin =
        i < __argc ? FullPath(__argv[i++]) : JoinPath(FolderOf(ModuleFilePath()), "Varkel.dll");
    if ((tour && outputFolder.empty()) || i < __argc) {
        Note("usage: VarkelMail.exe [--tour OUTDIR] [PLUGIN.DLL]");
        return 2;
    }
    if (tour)
        return RunTour(instance, outputFolder, plugin);
    if (!StartClient(instance, show, plugin))
        return 1;
    const int result = RunMessageLoop();
    StopClient();
    return result;
}
