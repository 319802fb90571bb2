#include "message_boxes.h"

#include "desktop/window_text.h"

#include <algorithm>
#include <stdexcept>

namespace {

HHOOK g_hook = nullptr;
std::vector<CapturedBox> g_boxes;
std::deque<int> g_answers;
// A box can be activated more than once (focus moving between it and another
// window of the thread); it is recorded and answered once.
std::vector<HWND> g_answered;

UINT ButtonStyle(HWND box) {
    const bool ok = GetDlgItem(box, IDOK) != nullptr;
    const bool cancel = GetDlgItem(box, IDCANCEL) != nullptr;
    const bool yes = GetDlgItem(box, IDYES) != nullptr;
    const bool no = GetDlgItem(box, IDNO) != nullptr;
    if (yes && no)
        return cancel ? MB_YESNOCANCEL : MB_YESNO;
    if (ok && cancel)
        return MB_OKCANCEL;
    return MB_OK;
}

// The icon flag whose system icon the box shows, or 0.
UINT IconStyle(HWND box) {
    struct Known {
        LPCSTR icon;
        UINT style;
    };
    const Known known[] = {{IDI_HAND, MB_ICONERROR},
                           {IDI_EXCLAMATION, MB_ICONWARNING},
                           {IDI_ASTERISK, MB_ICONINFORMATION},
                           {IDI_QUESTION, MB_ICONQUESTION}};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            continue;
        const auto shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        if (!shown)
            continue;
        for (const Known& k : known) {
            if (LoadIconA(nullptr, k.icon) == shown)
                return k.style;
        }
    }
    return 0;
}

LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        const HWND box = reinterpret_cast<HWND>(wParam);
        const bool seen = std::find(g_answered.begin(), g_answered.end(), box) != g_answered.end();
        // Closing a window can hand activation to another process's box.
        const bool ours = GetWindowThreadProcessId(box, nullptr) == GetCurrentThreadId();
        if (!seen && ours && IsMessageBox(box)) {
            g_answered.push_back(box);
            g_boxes.push_back({GetWindow(box, GW_OWNER), WindowText(box),
                               WindowText(GetDlgItem(box, 0xFFFF)),
                               ButtonStyle(box) | IconStyle(box)});
            int answer = IDOK;
            if (!g_answers.empty()) {
                answer = g_answers.front();
                g_answers.pop_front();
            }
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

} // namespace

MessageBoxCapture::MessageBoxCapture() {
    if (g_hook)
        throw std::logic_error("one MessageBoxCapture at a time");
    g_boxes.clear();
    g_answers.clear();
    g_answered.clear();
    g_hook = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
}

MessageBoxCapture::~MessageBoxCapture() {
    UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
}

void MessageBoxCapture::Answer(std::initializer_list<int> answers) {
    g_answers.insert(g_answers.end(), answers);
}

const std::vector<CapturedBox>& MessageBoxCapture::boxes() const {
    return g_boxes;
}

void MessageBoxCapture::Clear() {
    g_boxes.clear();
}

bool operator==(const CapturedBox& a, const CapturedBox& b) {
    return a.owner == b.owner && a.caption == b.caption && a.text == b.text && a.style == b.style;
}

std::ostream& operator<<(std::ostream& out, const CapturedBox& box) {
    return out << "{owner " << box.owner << ", caption \"" << box.caption << "\", text \""
               << box.text << "\", style 0x" << std::hex << box.style << std::dec << "}";
}
