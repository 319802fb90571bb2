// Runs the tour's actions one after another from a thread timer, so that they
// also run inside the modal loops of menus, message boxes and dialogs; keeps
// track of message boxes through a CBT hook; ends a tour that hangs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Called on every tick until it returns true; it must never block.
struct TourAction {
    std::string what;
    std::function<bool()> step;
};

class TourScript {
  public:
    // Writes a line into the transcript.
    void Say(const std::string& line);
    // Notes "> what" in the transcript and acts.
    void Do(const std::string& what, std::function<void()> action);
    void WaitFor(const std::string& what, std::function<bool()> done);
    // Lets the windows paint.
    void Pause(DWORD milliseconds);
    std::vector<TourAction> TakeActions() { return std::move(actions_); }

  private:
    std::vector<TourAction> actions_;
};

struct TourEnd {
    bool finished = false; // every action was done
    std::string failure;   // what was being waited for, when one timed out
};

// Starts the actions; each has a few seconds to finish. When one does not, or
// throws, onFailure runs (on the user-interface thread) and must end the
// process.
void StartTour(std::vector<TourAction> actions, std::function<void(const std::string&)> onFailure);
bool TourFinished();

// The message box that is open now, or nullptr.
HWND OpenMessageBox();
// Ends the process with code 3 if the tour has not called StopWatchdog after
// the given time.
void StartWatchdog(DWORD milliseconds);
void StopWatchdog();
