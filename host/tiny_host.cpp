// A host that lacks some of the 54 functions: it tries to load the plug-in
// named on its command line and prints what happened, including every
// message box (answered at once).
#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace {

HHOOK g_hook = nullptr;

LRESULT CALLBACK ReportBox(int code, WPARAM wParam, LPARAM lParam) {
    const HWND box = reinterpret_cast<HWND>(wParam);
    char className[32] = {};
    if (code == HCBT_ACTIVATE && GetClassNameA(box, className, sizeof className) &&
        lstrcmpA(className, "#32770") == 0 && GetDlgItem(box, 0xFFFF)) {
        char caption[512] = {}, text[2048] = {};
        GetWindowTextA(box, caption, sizeof caption);
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        const bool cancel = GetDlgItem(box, IDCANCEL) != nullptr;
        bool errorIcon = false;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) ==
                    LoadIconA(nullptr, IDI_HAND))
                errorIcon = true;
        }
        std::printf("box owner=%p cancel=%d erroricon=%d caption=[%s] text=[",
                    static_cast<void*>(GetWindow(box, GW_OWNER)), cancel ? 1 : 0,
                    errorIcon ? 1 : 0, caption);
        for (const char* p = text; *p; ++p)
            std::printf(*p == '\r' ? "\\r" : *p == '\n' ? "\\n" : "%c", *p);
        std::printf("]\n");
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

} // namespace

extern "C" void TinyHostStub() {}

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    _setmode(_fileno(stdout), _O_BINARY);
    g_hook = SetWindowsHookExA(WH_CBT, ReportBox, nullptr, GetCurrentThreadId());
    HMODULE plugin = LoadLibraryA(argv[1]);
    std::printf("loaded=%d\n", plugin ? 1 : 0);
    std::fflush(stdout);
    if (plugin)
        FreeLibrary(plugin);
    UnhookWindowsHookEx(g_hook);
    return 0;
}
