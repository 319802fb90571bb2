#include "tour_driver.h"

#include <exception>

#include "base/holders.h"
#include "desktop/window_text.h"
#include "transcript.h"

namespace {

constexpr UINT kTickMilliseconds = 100;
constexpr ULONGLONG kActionTimeout = 20000;

std::vector<TourAction> g_actions;
std::size_t g_next = 0;
ULONGLONG g_actionStarted = 0;
bool g_inTick = false;
UINT_PTR g_timer = 0;
std::function<void(const std::string&)> g_onFailure;

HHOOK g_cbtHook = nullptr;
HWND g_messageBox = nullptr;

UniqueHandle g_watchdogStop;
UniqueHandle g_watchdogThread;
DWORD g_watchdogMilliseconds = 0;

// Line ends inside a message box's text, shown as "\r\n".
std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text)
        line += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    return line;
}

LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        if (window != g_messageBox && IsMessageBox(window)) {
            g_messageBox = window;
            Note("  box: [" + WindowText(window) + "] " +
                 OneLine(WindowText(GetDlgItem(window, 0xFFFF))));
        }
    }
    return CallNextHookEx(g_cbtHook, code, wParam, lParam);
}

void Finish() {
    KillTimer(nullptr, g_timer);
    UnhookWindowsHookEx(g_cbtHook);
    g_cbtHook = nullptr;
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_inTick || g_next >= g_actions.size())
        return;
    g_inTick = true;
    const TourAction& action = g_actions[g_next];
    if (g_actionStarted == 0)
        g_actionStarted = GetTickCount64();
    bool done = false;
    try {
        done = action.step();
    } catch (const std::exception& error) {
        Finish();
        g_onFailure(action.what + ": " + error.what());
    }
    if (done) {
        ++g_next;
        g_actionStarted = 0;
        if (g_next == g_actions.size())
            Finish();
    } else if (GetTickCount64() - g_actionStarted > kActionTimeout) {
        Finish();
        g_onFailure("timed out: " + action.what);
    }
    g_inTick = false;
}

DWORD WINAPI WatchdogThread(LPVOID) {
    if (WaitForSingleObject(g_watchdogStop.get(), g_watchdogMilliseconds) == WAIT_TIMEOUT) {
        Note("tour: FAILED: still running after " + std::to_string(g_watchdogMilliseconds / 1000) +
             " s; stopped by the watchdog");
        CloseTranscriptFile();
        TerminateProcess(GetCurrentProcess(), 3);
    }
    return 0;
}

} // namespace

void TourScript::Say(const std::string& line) {
    actions_.push_back({line, [line] {
                            Note(line);
                            return true;
                        }});
}

void TourScript::Do(const std::string& what, std::function<void()> action) {
    actions_.push_back({what, [what, action] {
                            Note("  > " + what);
                            action();
                            return true;
                        }});
}

void TourScript::WaitFor(const std::string& what, std::function<bool()> done) {
    actions_.push_back({what, std::move(done)});
}

void TourScript::Pause(DWORD milliseconds) {
    actions_.push_back({"a pause", [milliseconds, start = ULONGLONG(0)]() mutable {
                            const ULONGLONG now = GetTickCount64();
                            if (start == 0)
                                start = now;
                            return now - start >= milliseconds;
                        }});
}

void StartTour(std::vector<TourAction> actions, std::function<void(const std::string&)> onFailure) {
    g_actions = std::move(actions);
    g_next = 0;
    g_actionStarted = 0;
    g_onFailure = std::move(onFailure);
    g_cbtHook = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
    g_timer = SetTimer(nullptr, 0, kTickMilliseconds, OnTick);
}

bool TourFinished() {
    return g_next == g_actions.size();
}

HWND OpenMessageBox() {
    return g_messageBox && IsWindow(g_messageBox) && IsWindowVisible(g_messageBox) ? g_messageBox
                                                                                   : nullptr;
}

void StartWatchdog(DWORD milliseconds) {
    g_watchdogMilliseconds = milliseconds;
    g_watchdogStop.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    g_watchdogThread.reset(CreateThread(nullptr, 0, WatchdogThread, nullptr, 0, nullptr));
}

void StopWatchdog() {
    SetEvent(g_watchdogStop.get());
    WaitForSingleObject(g_watchdogThread.get(), INFINITE);
    g_watchdogThread.reset();
    g_watchdogStop.reset();
}
