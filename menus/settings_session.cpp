#include "settings_session.h"

#include <string>

#include "../folders/folder_list.h"
#include "../folders/settings_file.h"
#include "confirm.h"

namespace {

// Whether a start ran. Before the first one there is no file's list to keep,
// so nothing is saved; after it every change is, also when the start could
// not read the file: the save reads it first and keeps what it holds.
bool g_started = false;

} // namespace

void LoadSettingsAtStart() {
    // A second start reads the file anew instead of adding its list to the
    // one that the first start read.
    if (g_started)
        ReplaceFolderEntries({});
    g_started = true;
    const std::string path = SettingsFilePath();
    std::string failed = path;
    if (!LoadSettings(path, &failed) && !path.empty())
        Warn(nullptr, "設定を読み込めませんでした。\r\n" + failed);
}

void SaveSettingsNow() {
    if (!g_started)
        return;
    const std::string path = SettingsFilePath();
    std::string failed = path;
    if (!path.empty() && !SaveSettings(path, &failed))
        Warn(nullptr, "設定を保存できませんでした。\r\n" + failed);
}
