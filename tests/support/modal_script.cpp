#include "modal_script.h"

#include <gtest/gtest.h>

#include <exception>
#include <utility>

#include "desktop/window_driver.h"

namespace {

BOOL CALLBACK EndThreadDialog(HWND window, LPARAM) {
    if (ClassNameOf(window) == kDialogClass)
        EndDialog(window, 0);
    return TRUE;
}

// The one script whose timer is running; thread timers carry no context.
ModalScript* g_running = nullptr;

} // namespace

ModalScript::ModalScript(std::string className, std::string caption, DWORD timeoutMs)
    : className_(std::move(className)), caption_(std::move(caption)), timeoutMs_(timeoutMs) {}

ModalScript::~ModalScript() {
    if (timer_)
        KillTimer(nullptr, timer_);
    if (g_running == this)
        g_running = nullptr;
}

ModalScript& ModalScript::Then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

ModalScript& ModalScript::Do(std::function<void(HWND window)> action) {
    return Then([action = std::move(action)](HWND window) {
        action(window);
        return true;
    });
}

bool ModalScript::Run(const std::function<void()>& open) {
    if (g_running) {
        failure_ = "another script is running";
        return false;
    }
    g_running = this;
    started_ = GetTickCount();
    timer_ = SetTimer(nullptr, 0, 10, OnTimer);
    open();
    KillTimer(nullptr, timer_);
    timer_ = 0;
    g_running = nullptr;
    if (!timedOut_ && failure_.empty() && !window_)
        failure_ = "the window never appeared";
    if (!timedOut_ && failure_.empty() && next_ < steps_.size())
        failure_ = "the window closed after " + std::to_string(next_) + " of " +
                   std::to_string(steps_.size()) + " steps";
    if (failure_.empty() && window_ && IsWindow(window_))
        failure_ = "the window is still open";
    return failure_.empty();
}

void CALLBACK ModalScript::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_running)
        g_running->Tick();
}

void ModalScript::Tick() {
    if (GetTickCount() - started_ > timeoutMs_) {
        if (!timedOut_) {
            timedOut_ = true;
            failure_ = window_ ? "the window was still open after " + std::to_string(next_) +
                                     " of " + std::to_string(steps_.size()) + " steps"
                               : "the window never appeared";
        }
        EndEveryDialog();
        return;
    }
    // A step may run a nested modal loop (a message box) that ticks again.
    if (inStep_ || timedOut_)
        return;
    if (!window_) {
        window_ = FindThreadWindow(className_.c_str(), caption_);
        if (!window_)
            return;
    }
    if (next_ >= steps_.size() || !IsWindow(window_))
        return;
    inStep_ = true;
    bool done = false;
    try {
        done = steps_[next_](window_);
    } catch (const std::exception& error) {
        failure_ = std::string("a step threw: ") + error.what();
        next_ = steps_.size();
        EndEveryDialog();
    } catch (...) {
        failure_ = "a step threw";
        next_ = steps_.size();
        EndEveryDialog();
    }
    inStep_ = false;
    // An ASSERT that failed inside the step ended it early: stop here rather
    // than wait for the timeout.
    if (testing::Test::HasFatalFailure() && failure_.empty()) {
        failure_ = "a step failed an assertion";
        next_ = steps_.size();
        EndEveryDialog();
        return;
    }
    if (done)
        ++next_;
}

void ModalScript::EndEveryDialog() {
    EnumThreadWindows(GetCurrentThreadId(), EndThreadDialog, 0);
}
