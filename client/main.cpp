// The stand-in mail client: loads Varkel.dll and drives it the way the mail
// client does, for a person; the tour (tour/) runs the same client scripted.
//   VarkelMail.exe [PLUGIN.DLL]
#include <windows.h>

#include "client_app.h"
#include "transcript.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    if (__argc > 2) {
        Note("usage: VarkelMail.exe [PLUGIN.DLL]");
        return 2;
    }
    if (!StartClient(instance, show, PluginPath(__argc > 1 ? __argv[1] : nullptr)))
        return 1;
    const int result = RunMessageLoop();
    StopClient();
    return result;
}
