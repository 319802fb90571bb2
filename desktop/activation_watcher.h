// The one watch on the windows that this thread activates (a WH_CBT hook):
// records them in order and hands each message box, once, to a handler that
// may answer it. Used by the tests, the tour and the small hosts.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct ShownBox {
    HWND owner;
    std::string caption;
    std::string text;
    // MB_OK, MB_OKCANCEL, ... read from the buttons, with the icon flag
    // (MB_ICONERROR, MB_ICONWARNING, ...) read from the icon.
    UINT style;
};

// The text with its line ends written out as "\r" and "\n", on one line.
std::string OneLine(const std::string& text);

class ActivationWatcher {
  public:
    // Returns the button to press (IDOK, IDCANCEL, ...), or 0 to leave the
    // box open.
    using OnBox = std::function<int(const ShownBox& box)>;

    explicit ActivationWatcher(OnBox onBox = nullptr);
    ~ActivationWatcher();
    ActivationWatcher(const ActivationWatcher&) = delete;
    ActivationWatcher& operator=(const ActivationWatcher&) = delete;

    // Unlike the foreground window, this does not depend on other processes
    // sharing the display.
    const std::vector<HWND>& activated() const { return activated_; }
    // The last message box seen while it is still shown, or null.
    HWND openBox() const;

  private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    void OnActivate(HWND window);

    OnBox onBox_;
    std::vector<HWND> activated_;
    std::vector<HWND> boxes_;
};
