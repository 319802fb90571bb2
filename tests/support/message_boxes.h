// Captures the message boxes that the running thread shows and answers them.
#pragma once

#include <windows.h>

#include <deque>
#include <ostream>
#include <string>
#include <vector>

struct CapturedBox {
    HWND owner;
    std::string caption;
    std::string text;
    // MB_OK, MB_OKCANCEL, ... read from the buttons, with the icon flag
    // (MB_ICONERROR, MB_ICONWARNING, ...) read from the icon.
    UINT style;
};

bool operator==(const CapturedBox& a, const CapturedBox& b);
std::ostream& operator<<(std::ostream& out, const CapturedBox& box);

// While one exists, every message box on this thread is recorded and closed
// with the next scripted answer (IDOK when none is left).
class MessageBoxCapture {
  public:
    MessageBoxCapture();
    ~MessageBoxCapture();
    MessageBoxCapture(const MessageBoxCapture&) = delete;
    MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

    void Answer(std::initializer_list<int> answers);
    const std::vector<CapturedBox>& boxes() const;
    void Clear();
};
