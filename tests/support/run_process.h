// Programs that a test runs in a process of their own: the hosts that lack
// functions, the crash host and its kills.
#pragma once

#include <windows.h>

#include <string>

#include "base/holders.h"

// The longest a test waits for a program before it kills it.
constexpr DWORD kProcessPatience = 60000;

// A program started from a command line; its handles close with it.
class ChildProcess {
  public:
    // output, when given, must be inheritable; it receives standard output
    // and standard error.
    explicit ChildProcess(const std::string& commandLine, HANDLE output = nullptr);

    bool started() const { return process_ != nullptr; }
    HANDLE handle() const { return process_.get(); }
    // True when the program has ended within ms.
    bool Wait(DWORD ms) const;
    // Ends the program with exit code 9 and waits until it has gone.
    void Kill() const;
    // STILL_ACTIVE while it runs.
    DWORD exitCode() const;

  private:
    UniqueHandle process_;
    UniqueHandle thread_;
};

// The command line of the crash host (crash_host.cpp) on the plug-in copy in
// folder, signalling the named event; inPlace makes its save write in place.
std::string CrashHostCommand(const std::string& folder, const char* eventName,
                             bool inPlace = false);

struct RunOptions {
    HANDLE output = nullptr; // as for ChildProcess
    // An event that the program sets; when given, killAfter counts from it
    // instead of from the start.
    HANDLE signal = nullptr;
    DWORD killAfter = kProcessPatience;
};

struct RunResult {
    bool started = false;
    bool killed = false;
    DWORD exitCode = 0;
    DWORD milliseconds = 0; // from the signal (or the start) to the end
};

// Runs commandLine to its end, killing it killAfter ms after the signal or
// the start, or when no signal and no end come within kProcessPatience.
RunResult RunProcess(const std::string& commandLine, const RunOptions& options = {});
