#include "own_desktop.h"

void EndDesktop(HDESK desktop) {
    if (GetThreadDesktop(GetCurrentThreadId()) == desktop)
        PostMessageA(GetDesktopWindow(), WM_CLOSE, 0, 0);
    CloseDesktop(desktop);
}

OwnDesktop UseOwnDesktop(const std::string& prefix) {
    const std::string name = prefix + "-" + std::to_string(GetCurrentProcessId());
    OwnDesktop desktop(CreateDesktopA(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr));
    if (!desktop || !SetThreadDesktop(desktop.get()))
        return nullptr;
    return desktop;
}
