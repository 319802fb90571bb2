#include "activation_watcher.h"

#include <algorithm>

#include "window_text.h"

namespace {

// The watchers alive on this thread share one hook.
std::vector<ActivationWatcher*> g_watchers;
HHOOK g_hook = nullptr;

// A message box: a dialog of the standard class holding the message text.
bool IsMessageBox(HWND window) {
    return ClassNameOf(window) == kDialogClass && GetDlgItem(window, 0xFFFF) != nullptr;
}

UINT ButtonStyle(HWND box) {
    const bool cancel = GetDlgItem(box, IDCANCEL) != nullptr;
    if (GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO))
        return cancel ? MB_YESNOCANCEL : MB_YESNO;
    return GetDlgItem(box, IDOK) && cancel ? MB_OKCANCEL : MB_OK;
}

// The icon flag whose system icon the box shows, or 0.
UINT IconStyle(HWND box) {
    const std::pair<LPCSTR, UINT> known[] = {{IDI_HAND, MB_ICONERROR},
                                             {IDI_EXCLAMATION, MB_ICONWARNING},
                                             {IDI_ASTERISK, MB_ICONINFORMATION},
                                             {IDI_QUESTION, MB_ICONQUESTION}};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            continue;
        const auto shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        for (const auto& [icon, style] : known) {
            if (shown && LoadIconA(nullptr, icon) == shown)
                return style;
        }
    }
    return 0;
}

} // namespace

std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text)
        line += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    return line;
}

ActivationWatcher::ActivationWatcher(OnBox onBox) : onBox_(std::move(onBox)) {
    if (g_watchers.empty())
        g_hook = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
    g_watchers.push_back(this);
}

ActivationWatcher::~ActivationWatcher() {
    g_watchers.erase(std::find(g_watchers.begin(), g_watchers.end(), this));
    if (g_watchers.empty())
        UnhookWindowsHookEx(g_hook);
}

HWND ActivationWatcher::openBox() const {
    const HWND box = boxes_.empty() ? nullptr : boxes_.back();
    return box && IsWindow(box) && IsWindowVisible(box) ? box : nullptr;
}

LRESULT CALLBACK ActivationWatcher::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    const auto window = reinterpret_cast<HWND>(wParam);
    // Closing a window can hand activation to another process's window.
    if (code == HCBT_ACTIVATE &&
        GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        for (ActivationWatcher* watcher : std::vector<ActivationWatcher*>(g_watchers))
            watcher->OnActivate(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ActivationWatcher::OnActivate(HWND window) {
    activated_.push_back(window);
    // A box can be activated more than once (focus moving between it and
    // another window of the thread); it is handed on once.
    if (!IsMessageBox(window) || std::count(boxes_.begin(), boxes_.end(), window))
        return;
    boxes_.push_back(window);
    if (!onBox_)
        return;
    const int answer =
        onBox_({GetWindow(window, GW_OWNER), WindowText(window),
                WindowText(GetDlgItem(window, 0xFFFF)), ButtonStyle(window) | IconStyle(window)});
    if (answer)
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
}
