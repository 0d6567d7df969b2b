#include "platform/input/FakeStrokeSource.h"

namespace platform {

void FakeStrokeSource::SetStrokeHandler(StrokeHandler handler) {
  std::lock_guard lock(mutex_);
  handler_ = std::move(handler);
}

bool FakeStrokeSource::Stroke(const KeyStroke& stroke) {
  StrokeHandler handler;
  {
    std::lock_guard lock(mutex_);
    handler = handler_;
  }
  if (!handler) return false;
  handler(stroke);
  return true;
}

bool FakeStrokeSource::HasHandler() const {
  std::lock_guard lock(mutex_);
  return static_cast<bool>(handler_);
}

}  // namespace platform
