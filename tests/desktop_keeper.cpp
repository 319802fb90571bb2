// Holds Wine's default desktop while tools/with-display runs its command, so
// that its desktop process, started here with none of the tests' output, does
// not quit and come back as a child of a test that it then keeps waiting.
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
