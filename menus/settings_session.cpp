#include "settings_session.h"

#include <string>

#include "../folders/settings_file.h"
#include "confirm.h"

namespace {

// Whether saves may write the file: only after a start that read it, or
// found none. A session that runs on defaults because the file could not be
// read must not save them over the user's list.
bool g_mayWriteSettings = false;

} // namespace

void LoadSettingsAtStart() {
    const std::string path = SettingsFilePath();
    g_mayWriteSettings = LoadSettings(path);
    if (!g_mayWriteSettings && !path.empty())
        Warn(nullptr, "設定を読み込めませんでした。\r\n" + path);
}

void SaveSettingsNow() {
    if (!g_mayWriteSettings)
        return;
    const std::string path = SettingsFilePath();
    if (!path.empty() && !SaveSettings(path))
        Warn(nullptr, "設定を保存できませんでした。\r\n" + path);
}
