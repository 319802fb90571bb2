#include "attach.h"

#include "host_api.h"
#include "module.h"
#include "plugin_info.h"

namespace {

void ShowBindingError() {
    PluginInfo info{};
    FillPluginInfo(info);
    char message[256];
    wsprintfA(message,
              "プラグイン「%s」でエラーが発生しました。\r\n"
              "Orvane とプラグインのバージョンを確認してください",
              info.name);
    MessageBoxA(nullptr, message, "プラグインエラー", MB_ICONERROR);
}

} // namespace

BOOL OnProcessAttach(HINSTANCE module) {
    g_module = module;
    if (BindHostApi())
        return TRUE;
    ShowBindingError();
    return FALSE;
}
