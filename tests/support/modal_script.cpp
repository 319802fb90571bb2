#include "modal_script.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "desktop/window_driver.h"

namespace {

BOOL CALLBACK EndThreadDialog(HWND window, LPARAM) {
    if (ClassNameOf(window) == kDialogClass)
        EndDialog(window, 0);
    return TRUE;
}

void EndEveryDialog(const std::string&) {
    EnumThreadWindows(GetCurrentThreadId(), EndThreadDialog, 0);
}

} // namespace

ModalScript::ModalScript(std::string className, std::string caption, DWORD timeoutMs)
    : runner_(timeoutMs, EndEveryDialog) {
    runner_.Add("the window",
                [this, className = std::move(className), caption = std::move(caption)] {
                    window_ = FindThreadWindow(className.c_str(), caption);
                    return window_ != nullptr;
                });
}

ModalScript& ModalScript::Then(WindowStep step) {
    const std::string what = "step " + std::to_string(runner_.stepCount());
    runner_.Add(what, [this, step = std::move(step)] {
        if (!IsWindow(window_))
            return false;
        const bool done = step(window_);
        // An ASSERT that failed inside the step ended it early: stop here
        // rather than wait for the timeout.
        if (testing::Test::HasFatalFailure())
            throw std::runtime_error("an assertion failed");
        return done;
    });
    return *this;
}

ModalScript& ModalScript::Do(std::function<void(HWND window)> action) {
    return Then([action = std::move(action)](HWND window) {
        action(window);
        return true;
    });
}

bool ModalScript::Run(const std::function<void()>& open) {
    if (!runner_.Start(10)) {
        failure_ = "another script is running";
        return false;
    }
    open();
    runner_.Stop();
    failure_ = runner_.failure();
    if (failure_.empty() && !window_)
        failure_ = "the window never appeared";
    if (failure_.empty() && !runner_.finished())
        failure_ = "the window closed after " + std::to_string(runner_.stepsDone() - 1) + " of " +
                   std::to_string(runner_.stepCount() - 1) + " steps";
    if (failure_.empty() && IsWindow(window_))
        failure_ = "the window is still open";
    return failure_.empty();
}
