// Times a modal dialog of this thread from the call that opens it to the end
// of its first paint, then cancels it as the Cancel button would.
#pragma once

#include <windows.h>

#include <functional>

struct DialogTimes {
    bool painted = false;   // false: the dialog never painted and was ended
    double firstPaint = 0;  // ms from the call to the end of the first paint
    double openToClose = 0; // ms from the call to its return
};

// Runs open, which must run the modal loop of one dialog box. "Painted"
// means the dialog and its list view have both finished a WM_PAINT; then
// IDCANCEL is posted to the dialog. A dialog still open after timeoutMs is
// ended, so a fault never hangs the run.
DialogTimes TimeDialogToFirstPaint(const std::function<void()>& open, DWORD timeoutMs = 10000);
