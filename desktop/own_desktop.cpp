#include "own_desktop.h"

UniqueDesktop UseOwnDesktop(const std::string& prefix) {
    const std::string name = prefix + "-" + std::to_string(GetCurrentProcessId());
    UniqueDesktop desktop(CreateDesktopA(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr));
    if (!desktop || !SetThreadDesktop(desktop.get()))
        return nullptr;
    return desktop;
}
