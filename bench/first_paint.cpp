#include "first_paint.h"

#include <chrono>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// One timed run. The hooks and window procedures below reach it through
// g_run: only one run exists at a time, on the benchmark's thread.
struct Run {
    Clock::time_point start;
    HWND dialog = nullptr;
    WNDPROC dialogProc = nullptr;
    HWND list = nullptr;
    WNDPROC listProc = nullptr;
    bool dialogPainted = false;
    bool listPainted = false;
    DialogTimes times;
};
Run* g_run = nullptr;

double SinceStart() {
    return std::chrono::duration<double, std::milli>(Clock::now() - g_run->start).count();
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

void NotePainted() {
    if (g_run->times.painted || !g_run->dialogPainted || !g_run->listPainted)
        return;
    g_run->times.painted = true;
    g_run->times.firstPaint = SinceStart();
    PostMessageW(g_run->dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcW(g_run->dialogProc, window, message, wParam, lParam);
    if (message == WM_PAINT) {
        g_run->dialogPainted = true;
        NotePainted();
    }
    return result;
}

LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcW(g_run->listProc, window, message, wParam, lParam);
    if (message == WM_PAINT) {
        g_run->listPainted = true;
        NotePainted();
    }
    return result;
}

// Subclasses the first dialog and the first list view created on this thread
// as they are created, before they receive any message.
LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_run) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        const std::string name = ClassOf(window);
        if (!g_run->dialog && name == "#32770") {
            g_run->dialog = window;
            g_run->dialogProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DialogProc)));
        } else if (!g_run->list && name == "SysListView32") {
            g_run->list = window;
            g_run->listProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc)));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK OnTimeout(HWND, UINT, UINT_PTR, DWORD) {
    if (g_run && g_run->dialog && IsWindow(g_run->dialog))
        EndDialog(g_run->dialog, 0);
}

} // namespace

DialogTimes TimeDialogToFirstPaint(const std::function<void()>& open, DWORD timeoutMs) {
    Run run;
    g_run = &run;
    const HHOOK hook = SetWindowsHookExW(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
    const UINT_PTR timer = SetTimer(nullptr, 0, timeoutMs, OnTimeout);
    run.start = Clock::now();
    open();
    run.times.openToClose = SinceStart();
    KillTimer(nullptr, timer);
    if (hook)
        UnhookWindowsHookEx(hook);
    g_run = nullptr;
    return run.times;
}
