#include "first_paint.h"

#include <chrono>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// A window watched for its first paint: subclassed as it is created.
struct Watched {
    HWND window = nullptr;
    WNDPROC original = nullptr;
    bool painted = false;
};

// One timed run. The hooks and window procedures below reach it through
// g_run: only one run exists at a time, on the benchmark's thread.
struct Run {
    Clock::time_point start;
    Watched dialog;
    Watched list;
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

LRESULT CALLBACK PaintWatcher(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Watched& watched = window == g_run->dialog.window ? g_run->dialog : g_run->list;
    const LRESULT result = CallWindowProcW(watched.original, window, message, wParam, lParam);
    if (message == WM_PAINT && !watched.painted) {
        watched.painted = true;
        if (g_run->dialog.painted && g_run->list.painted) {
            g_run->times.painted = true;
            g_run->times.firstPaint = SinceStart();
            PostMessageW(g_run->dialog.window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    }
    return result;
}

void Watch(Watched& watched, HWND window) {
    watched.window = window;
    watched.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaintWatcher)));
}

// Watches the first dialog and the first list view created on this thread,
// before they receive any message.
LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_run) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        const std::string name = ClassOf(window);
        if (!g_run->dialog.window && name == "#32770")
            Watch(g_run->dialog, window);
        else if (!g_run->list.window && name == "SysListView32")
            Watch(g_run->list, window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK OnTimeout(HWND, UINT, UINT_PTR, DWORD) {
    if (g_run && g_run->dialog.window && IsWindow(g_run->dialog.window))
        EndDialog(g_run->dialog.window, 0);
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
