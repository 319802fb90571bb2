#include "client_app.h"

#include "base/module.h"
#include "client_state.h"
#include "host_backend.h"
#include "mail_views.h"
#include "main_window.h"
#include "paths.h"
#include "standin_host.h"
#include "transcript.h"

namespace {

void LoadPlugin(const std::string& path) {
    ClientState& client = Client();
    Note("client: LoadLibrary " + path);
    if (!client.plugin.Load(path)) {
        Note("client: the plug-in did not load: " + client.plugin.error());
        SetStatus("プラグインを読み込めませんでした: " + path);
        return;
    }
    Note("client: loaded " + client.plugin.Describe());
    Note("client: ORC_OnStart returned " + std::to_string(client.plugin.orc().OnStart()));
    SetStatus("プラグインを読み込みました: " + client.plugin.Describe());
}

} // namespace

std::string PluginPath(const char* given) {
    return given ? FullPath(given) : JoinPath(FolderOf(ModuleFilePath()), "Varkel.dll");
}

bool StartClient(HINSTANCE instance, int show, const std::string& pluginPath) {
    Client().store = SampleMailStore();
    if (!CreateMainWindow(instance, show))
        return false;
    InstallClientBackend();
    SelectFolder("\\仕事\\受信箱");
    LoadPlugin(pluginPath);
    return true;
}

int RunMessageLoop() {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

void StopClient() {
    Client().plugin = PluginModule();
    standin::InstallBackend(nullptr);
}
