#include "uilib/testing/RecordingTextSink.h"

namespace tumi::testing {

void RecordingTextSink::OnTextDrawn(const DrawnText& text) {
  std::lock_guard lock(mutex_);
  texts_.push_back(text);
}

std::vector<DrawnText> RecordingTextSink::Texts() const {
  std::lock_guard lock(mutex_);
  return texts_;
}

std::optional<DrawnText> RecordingTextSink::Find(const std::string& text) const {
  std::lock_guard lock(mutex_);
  for (auto it = texts_.rbegin(); it != texts_.rend(); ++it) {
    if (it->text == text) return *it;
  }
  return std::nullopt;
}

void RecordingTextSink::Clear() {
  std::lock_guard lock(mutex_);
  texts_.clear();
}

}  // namespace tumi::testing
