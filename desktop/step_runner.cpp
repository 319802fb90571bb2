#include "step_runner.h"

#include <exception>
#include <utility>

namespace {

// The one runner whose timer is running; thread timers carry no context.
StepRunner* g_running = nullptr;

} // namespace

StepRunner::StepRunner(DWORD timeoutMs, std::function<void(const std::string& why)> onFailure)
    : timeoutMs_(timeoutMs), onFailure_(std::move(onFailure)) {}

StepRunner::~StepRunner() {
    Stop();
}

void StepRunner::Add(std::string what, std::function<bool()> done) {
    steps_.push_back({std::move(what), std::move(done)});
}

void StepRunner::Pause(DWORD milliseconds) {
    Add("a pause", [milliseconds, start = ULONGLONG(0)]() mutable {
        start = start ? start : GetTickCount64();
        return GetTickCount64() - start >= milliseconds;
    });
}

bool StepRunner::Start(UINT tickMs) {
    if (g_running)
        return false;
    g_running = this;
    started_ = GetTickCount64();
    timer_ = SetTimer(nullptr, 0, tickMs, OnTimer);
    return true;
}

void StepRunner::Stop() {
    if (timer_)
        KillTimer(nullptr, timer_);
    timer_ = 0;
    if (g_running == this)
        g_running = nullptr;
}

void CALLBACK StepRunner::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_running)
        g_running->Tick();
}

void StepRunner::Fail(std::string why) {
    if (failure_.empty())
        failure_ = std::move(why);
    onFailure_(failure_);
}

void StepRunner::Tick() {
    if (!failure_.empty()) {
        onFailure_(failure_);
        return;
    }
    if (GetTickCount64() - started_ > timeoutMs_) {
        const std::string steps = std::to_string(next_) + " of " + std::to_string(steps_.size());
        Fail(finished() ? "still running after its " + steps + " steps"
                        : "timed out after " + steps + " steps, waiting for " + steps_[next_].what);
        return;
    }
    // A step may run a nested modal loop (a message box) that ticks again.
    if (inStep_ || next_ >= steps_.size())
        return;
    inStep_ = true;
    bool done = false;
    try {
        done = steps_[next_].done();
    } catch (const std::exception& error) {
        Fail(steps_[next_].what + " threw: " + error.what());
    } catch (...) {
        Fail(steps_[next_].what + " threw");
    }
    inStep_ = false;
    if (done && failure_.empty())
        ++next_;
}
