#include "settings_dialog_session.h"

#include <gtest/gtest.h>

#include <utility>

#include "res/resource.h"
#include "scratch.h"

namespace {

// While one exists, records the window rectangle of every dialog of this
// thread with the given caption right after its WM_INITDIALOG: where the
// dialog put itself, before a window manager can shift it as it is shown.
class InitDialogRecorder {
  public:
    explicit InitDialogRecorder(std::string caption);
    ~InitDialogRecorder();
    InitDialogRecorder(const InitDialogRecorder&) = delete;
    InitDialogRecorder& operator=(const InitDialogRecorder&) = delete;

    // One rectangle per dialog initialised, in order.
    const std::vector<RECT>& rects() const { return rects_; }

  private:
    static LRESULT CALLBACK OnCallReturn(int code, WPARAM wParam, LPARAM lParam);
    std::string caption_;
    HHOOK hook_;
    std::vector<RECT> rects_;
};

InitDialogRecorder* g_recorder = nullptr;

InitDialogRecorder::InitDialogRecorder(std::string caption)
    : caption_(std::move(caption)),
      hook_(SetWindowsHookExA(WH_CALLWNDPROCRET, OnCallReturn, nullptr, GetCurrentThreadId())) {
    g_recorder = this;
}

InitDialogRecorder::~InitDialogRecorder() {
    UnhookWindowsHookEx(hook_);
    if (g_recorder == this)
        g_recorder = nullptr;
}

LRESULT CALLBACK InitDialogRecorder::OnCallReturn(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && g_recorder && call->message == WM_INITDIALOG &&
        WindowText(call->hwnd) == g_recorder->caption_)
        g_recorder->rects_.push_back(WindowRectOf(call->hwnd));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void AddSteps(ModalScript& script, std::initializer_list<DialogStep> steps) {
    for (const DialogStep& step : steps)
        script.Then(step.run);
}

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

DialogSession::DialogSession(const std::string& ini)
    : plugin_(StartPluginOnFile(FreshScratchFolder(), ini)) {}

int DialogSession::Setup(ModalScript& script, HWND owner) {
    int result = -1;
    const InitDialogRecorder recorder(kSettingsCaption);
    const bool ran = script.Run([&] { result = plugin_->orc().OnPlugInSetup(owner); });
    EXPECT_TRUE(ran) << script.failure();
    EXPECT_EQ(recorder.rects().size(), script.windowFound() ? 1u : 0u) << "dialogs opened";
    openedAt_ = recorder.rects().empty() ? RECT{} : recorder.rects().front();
    return result;
}

void DialogSession::Open(std::initializer_list<DialogStep> steps, HWND owner) {
    ModalScript script = DialogScript();
    AddSteps(script, steps);
    EXPECT_EQ(Setup(script, owner), 1) << "the setup callback's result";
}

int RunSettingsDialog(const LoadedPlugin& plugin, std::initializer_list<DialogStep> steps,
                      HWND owner, DWORD timeoutMs) {
    ModalScript script = DialogScript(timeoutMs);
    AddSteps(script, steps);
    int result = -1;
    EXPECT_TRUE(script.Run([&] { result = plugin.orc().OnPlugInSetup(owner); }))
        << script.failure();
    return result;
}

SavedSettings DialogSession::Exit() {
    const int kMissing = -99999;
    plugin_->orc().OnExit();
    const std::string path = plugin_->settingsPath();
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    SavedSettings saved;
    saved.folders = KeyByKeyFolderList(path);
    saved.isConfirm = ProfileInt(path, "Setting", "IsConfirm", kMissing);
    saved.isMenuTop = ProfileInt(path, "Setting", "IsMenuTop", kMissing);
    saved.rect = RECT{
        ProfileInt(path, "Size", "Left", kMissing), ProfileInt(path, "Size", "Top", kMissing),
        ProfileInt(path, "Size", "Right", kMissing), ProfileInt(path, "Size", "Bottom", kMissing)};
    saved.colWidth1 = ProfileInt(path, "Size", "ColWidth1", kMissing);
    saved.colWidth2 = ProfileInt(path, "Size", "ColWidth2", kMissing);
    return saved;
}

ModalScript DialogScript(DWORD timeoutMs) {
    return ModalScript(kDialogClass, kSettingsCaption, timeoutMs);
}

HWND RowList(HWND dialog) {
    return GetDlgItem(dialog, IDC_SETTINGS_FOLDER_LIST);
}

OwnerWindow::OwnerWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VarkelTestOwner";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, "VarkelTestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20,
                              20, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

OwnerWindow::~OwnerWindow() {
    DestroyWindow(window_);
}
