// Captures the message boxes that the running thread shows and answers them.
#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "desktop/activation_watcher.h"

using CapturedBox = ShownBox;

bool operator==(const CapturedBox& a, const CapturedBox& b);
std::ostream& operator<<(std::ostream& out, const CapturedBox& box);

// While one exists, every message box on this thread is recorded and closed
// with the next scripted answer (IDOK when none is left).
class MessageBoxCapture {
  public:
    MessageBoxCapture();

    void Answer(const std::vector<int>& answers);
    const std::vector<CapturedBox>& boxes() const { return boxes_; }
    // The boxes' texts, in order.
    std::vector<std::string> texts() const;
    void Clear() { boxes_.clear(); }

  private:
    int OnBox(const CapturedBox& box);

    std::vector<CapturedBox> boxes_;
    std::vector<int> answers_;
    std::size_t nextAnswer_ = 0;
    ActivationWatcher watcher_;
};
