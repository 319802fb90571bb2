// The stand-in mail client: loads Varkel.dll and drives it the way the mail
// client does, for a person or for the scripted tour.
#include <windows.h>

#include <cstdlib>

#include "client_app.h"
#include "options.h"
#include "tour.h"
#include "transcript.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    const Options options = ParseOptions(__argc, __argv);
    if (!options.error.empty()) {
        Note("VarkelMail: " + options.error);
        Note("usage: VarkelMail.exe [--tour OUTDIR] [PLUGIN.DLL]");
        return 2;
    }
    if (options.tour)
        return RunTour(instance, options);
    if (!StartClient(instance, show, options.pluginPath))
        return 1;
    const int result = RunMessageLoop();
    StopClient();
    return result;
}
