#include "attach.h"

#include "../base/guard.h"
#include "../base/host_api.h"
#include "../base/module.h"
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
    bool bound = false;
    Guarded([&] { bound = BindHostApi(); });
    if (bound)
        return TRUE;
    // Inside the loader's notification too, nothing may unwind.
    Guarded(ShowBindingError);
    return FALSE;
}
