#include "started_plugin.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

#include "scratch.h"
#include "settings_dialog_session.h"
#include "standin_host.h"

namespace {

std::string SettingsText(const StartSettings& settings) {
    std::string text = SettingsIni(settings.entries) + "[Setting]\r\n";
    if (settings.isConfirm)
        text += "IsConfirm=" + std::to_string(*settings.isConfirm) + "\r\n";
    if (settings.isMenuTop)
        text += "IsMenuTop=" + std::to_string(*settings.isMenuTop) + "\r\n";
    return text;
}

} // namespace

std::unique_ptr<LoadedPlugin> StartPlugin(const std::string& folder,
                                          const StartSettings& settings) {
    auto plugin = std::make_unique<LoadedPlugin>(folder);
    if (!plugin->loaded())
        throw std::runtime_error("cannot load the plug-in in " + folder);
    WriteProfileFile(plugin->settingsPath(), SettingsText(settings));
    plugin->orc().OnStart();
    return plugin;
}

std::vector<std::string> StoredFolderList(const std::string& path) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    std::string buffer(256 * 1024, '\0');
    const DWORD length = GetPrivateProfileSectionA("FolderList", buffer.data(),
                                                   static_cast<DWORD>(buffer.size()), path.c_str());
    buffer.resize(length);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < buffer.size()) {
        const std::size_t end = buffer.find('\0', start);
        lines.push_back(buffer.substr(start, end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

std::unique_ptr<LoadedPlugin> StartRowPlugin(const std::string& base, std::size_t row,
                                             const StartSettings& settings) {
    standin::Reset();
    return StartPlugin(RowFolder(base, row), settings);
}
