#include "run_process.h"

#include "plugin.h"

ChildProcess::ChildProcess(const std::string& commandLine, HANDLE output) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    PROCESS_INFORMATION process{};
    std::string command = commandLine; // CreateProcessA may write into it
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, output != nullptr, 0, nullptr,
                        nullptr, &startup, &process))
        return;
    process_.reset(process.hProcess);
    thread_.reset(process.hThread);
}

bool ChildProcess::Wait(DWORD ms) const {
    return !started() || WaitForSingleObject(process_.get(), ms) == WAIT_OBJECT_0;
}

void ChildProcess::Kill() const {
    if (!started())
        return;
    TerminateProcess(process_.get(), 9);
    // Termination is asynchronous: the exit code is final only once it ends.
    Wait(kProcessPatience);
}

DWORD ChildProcess::exitCode() const {
    DWORD code = STILL_ACTIVE;
    if (started())
        GetExitCodeProcess(process_.get(), &code);
    return code;
}

std::string CrashHostCommand(const std::string& folder, const char* eventName, bool inPlace) {
    // No backslash before the closing quote: it would escape it.
    const std::string bare = folder.substr(0, folder.find_last_not_of('\\') + 1);
    return "\"" + ExecutableFolder() + "crash_host.exe\" \"" + bare + "\" " + eventName +
           (inPlace ? " in-place" : "");
}

RunResult RunProcess(const std::string& commandLine, const RunOptions& options) {
    const ChildProcess child(commandLine, options.output);
    RunResult result;
    result.started = child.started();
    if (!result.started)
        return result;
    bool counting = true;
    if (options.signal) {
        HANDLE waitFor[] = {options.signal, child.handle()};
        counting = WaitForMultipleObjects(2, waitFor, FALSE, kProcessPatience) == WAIT_OBJECT_0;
    }
    const DWORD from = GetTickCount();
    const bool ended = child.Wait(counting ? options.killAfter : 0);
    if (!ended)
        child.Kill();
    if (counting)
        result.milliseconds = GetTickCount() - from;
    result.killed = !ended;
    result.exitCode = child.exitCode();
    return result;
}
