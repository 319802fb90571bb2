// Runs steps one after another from a thread timer, so that they also run
// inside the modal loops of menus, message boxes and dialogs. Shared by the
// tests' modal scripts and the tour.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Called on every tick until it returns true; it must never block.
struct Step {
    std::string what;
    std::function<bool()> done;
};

class StepRunner {
  public:
    // After a failure (still running timeoutMs after Start, or a step that
    // threw), onFailure runs with the reason on every tick until Stop,
    // so that it can also end windows that open later.
    StepRunner(DWORD timeoutMs, std::function<void(const std::string& why)> onFailure);
    ~StepRunner();
    StepRunner(const StepRunner&) = delete;
    StepRunner& operator=(const StepRunner&) = delete;

    void Add(std::string what, std::function<bool()> done);
    // Lets the windows paint.
    void Pause(DWORD milliseconds);

    // One runner's timer runs at a time: false when another one runs.
    bool Start(UINT tickMs);
    void Stop();

    std::size_t stepsDone() const { return next_; }
    std::size_t stepCount() const { return steps_.size(); }
    bool finished() const { return next_ == steps_.size(); }
    const std::string& failure() const { return failure_; }

  private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    void Fail(std::string why);

    DWORD timeoutMs_;
    std::function<void(const std::string&)> onFailure_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    ULONGLONG started_ = 0;
    bool inStep_ = false;
    std::string failure_;
    UINT_PTR timer_ = 0;
};
