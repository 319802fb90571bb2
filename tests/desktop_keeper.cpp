// Holds Wine's default desktop for a run of tests. Wine's desktop process
// quits a second after the last thread leaves the desktop, and the next
// program that needs the desktop starts it anew, handing it its own standard
// error: a test runner then waits for that process as long as it lives, which
// is as long as other programs keep using the desktop. The keeper starts the
// desktop's process itself, with none of the tests' output, and stays on the
// desktop until it is killed (or for an hour).
#include <windows.h>

#include <cstdio>

int main() {
    GetDesktopWindow();
    // The caller waits for this line before it runs anything else.
    std::puts("ready");
    std::fflush(stdout);
    Sleep(60 * 60 * 1000);
    return 0;
}
