#include "platform/input/FakeFilterDevice.h"

#include <algorithm>

namespace platform {

bool FakeFilterDevice::Control(uint32_t code, std::span<const uint8_t> input,
                               std::span<uint8_t> output) {
  std::unique_lock lock(mutex_);
  if (code != filter::kWaitKeyEvent) {
    requests_.push_back({code, std::vector<uint8_t>(input.begin(), input.end())});
    if (code == filter::kSetKeyTable) {
      const auto codes = filter::ParseKeyTable(input);
      if (!codes) return false;
      table_ = *codes;
    }
    if (code == filter::kDiscardEvents) events_.clear();
    return code == filter::kSetKeyTable || code == filter::kDiscardEvents || code == filter::kArm;
  }
  if (output.size() < filter::kEventSize) return false;
  ++waits_;
  cv_.wait(lock, [&] { return cancelled_ || !events_.empty(); });
  if (cancelled_) {
    cancelled_ = false;
    return false;
  }
  const auto bytes = filter::EncodeKeyEvent(events_.front());
  events_.pop_front();
  std::copy(bytes.begin(), bytes.end(), output.begin());
  return true;
}

void FakeFilterDevice::CancelWaits() {
  {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
  }
  cv_.notify_all();
}

void FakeFilterDevice::ResetCancel() {
  std::lock_guard lock(mutex_);
  cancelled_ = false;
}

void FakeFilterDevice::SetStrokeHandler(StrokeHandler handler) {
  std::lock_guard lock(mutex_);
  stroke_handler_ = std::move(handler);
}

bool FakeFilterDevice::Stroke(const KeyStroke& stroke) {
  StrokeHandler handler;
  {
    std::lock_guard lock(mutex_);
    handler = stroke_handler_;
  }
  if (!handler) return false;
  handler(stroke);
  return true;
}

void FakeFilterDevice::QueueEvent(filter::KeyEvent event) {
  {
    std::lock_guard lock(mutex_);
    events_.push_back(event);
  }
  cv_.notify_all();
}

std::vector<FakeFilterDevice::Request> FakeFilterDevice::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void FakeFilterDevice::ClearRequests() {
  std::lock_guard lock(mutex_);
  requests_.clear();
}

std::vector<uint16_t> FakeFilterDevice::Table() const {
  std::lock_guard lock(mutex_);
  return table_;
}

int FakeFilterDevice::Waits() const {
  std::lock_guard lock(mutex_);
  return waits_;
}

}  // namespace platform
