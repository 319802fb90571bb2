#include "started_plugin.h"

#include <windows.h>

#include <stdexcept>

#include "scratch.h"
#include "settings_files.h"
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

std::unique_ptr<LoadedPlugin> StartPluginOnFile(const std::string& folder,
                                                const std::string& bytes) {
    auto plugin = std::make_unique<LoadedPlugin>(folder);
    if (!plugin->loaded())
        throw std::runtime_error("cannot load the plug-in in " + folder);
    if (!bytes.empty())
        WriteProfileFile(plugin->settingsPath(), bytes);
    plugin->orc().OnStart();
    return plugin;
}

std::unique_ptr<LoadedPlugin> StartPlugin(const std::string& folder, const StartSettings& settings,
                                          const std::string& sections) {
    return StartPluginOnFile(folder, SettingsText(settings) + sections);
}

std::vector<std::string> ListWrittenAtExit(const LoadedPlugin& plugin) {
    plugin.orc().OnExit();
    return StoredFolderList(plugin.settingsPath());
}

std::unique_ptr<LoadedPlugin> StartRowPlugin(const std::string& base, std::size_t row,
                                             const StartSettings& settings,
                                             const std::string& sections) {
    standin::Reset();
    return StartPlugin(RowFolder(base, row), settings, sections);
}
