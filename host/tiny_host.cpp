// A host that lacks some of the 54 functions: it tries to load the plug-in
// named on its command line and prints what happened, including every
// message box (answered at once).
#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

#include "desktop/activation_watcher.h"

namespace {

int ReportBox(const ShownBox& box) {
    const UINT buttons = box.style & MB_TYPEMASK;
    std::printf("box owner=%p cancel=%d erroricon=%d caption=[%s] text=[%s]\n",
                static_cast<void*>(box.owner),
                buttons == MB_OKCANCEL || buttons == MB_YESNOCANCEL ? 1 : 0,
                (box.style & MB_ICONMASK) == MB_ICONERROR ? 1 : 0, box.caption.c_str(),
                OneLine(box.text).c_str());
    return IDOK;
}

} // namespace

extern "C" void TinyHostStub() {}

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    _setmode(_fileno(stdout), _O_BINARY);
    const ActivationWatcher boxes(ReportBox);
    HMODULE plugin = LoadLibraryA(argv[1]);
    std::printf("loaded=%d\n", plugin ? 1 : 0);
    std::fflush(stdout);
    if (plugin)
        FreeLibrary(plugin);
    return 0;
}
