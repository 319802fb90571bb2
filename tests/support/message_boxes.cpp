#include "message_boxes.h"

MessageBoxCapture::MessageBoxCapture()
    : watcher_([this](const CapturedBox& box) { return OnBox(box); }) {}

void MessageBoxCapture::Answer(const std::vector<int>& answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

int MessageBoxCapture::OnBox(const CapturedBox& box) {
    boxes_.push_back(box);
    return nextAnswer_ < answers_.size() ? answers_[nextAnswer_++] : IDOK;
}

std::vector<std::string> MessageBoxCapture::texts() const {
    std::vector<std::string> texts;
    for (const CapturedBox& box : boxes_)
        texts.push_back(box.text);
    return texts;
}

bool operator==(const CapturedBox& a, const CapturedBox& b) {
    return a.owner == b.owner && a.caption == b.caption && a.text == b.text && a.style == b.style;
}

std::ostream& operator<<(std::ostream& out, const CapturedBox& box) {
    return out << "{owner " << box.owner << ", caption \"" << box.caption << "\", text \""
               << box.text << "\", style 0x" << std::hex << box.style << std::dec << "}";
}
