// Drives a modal window (a dialog box, a message box) from a test while the
// modal loop that shows it runs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "desktop/step_runner.h"

// Runs steps, one per timer tick, against a window that appears while a
// modal loop runs on this thread (a dialog box, a message box). Each step
// gets the window; a step that returns false is tried again on the next tick.
// When the window does not appear, is still open timeoutMs after the run
// began, or a step fails an ASSERT, every dialog of the thread is ended and
// the run counts as failed.
class ModalScript {
  public:
    using WindowStep = std::function<bool(HWND window)>;

    ModalScript(std::string className, std::string caption, DWORD timeoutMs = 5000);

    ModalScript& Then(WindowStep step);
    // A step that always completes in one tick.
    ModalScript& Do(std::function<void(HWND window)> action);

    // Calls open (which runs the modal loop) with the script armed; returns
    // when open has returned. The result says whether every step ran and the
    // window had closed in time; failure() explains a false result.
    bool Run(const std::function<void()>& open);

    bool windowFound() const { return window_ != nullptr; }
    HWND window() const { return window_; }
    const std::string& failure() const { return failure_; }

  private:
    StepRunner runner_;
    HWND window_ = nullptr;
    std::string failure_;
};
