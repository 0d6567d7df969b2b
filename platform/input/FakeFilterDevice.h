#pragma once
// A key filter for tests and --simulate: records every control request and
// hands out key events that a test queues, with a wait that blocks until one
// is queued or the wait is cancelled.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/input/FilterDevice.h"
#include "platform/input/FilterProtocol.h"

namespace platform {

class FakeFilterDevice final : public FilterDevice {
 public:
  struct Request {
    uint32_t code = 0;
    std::vector<uint8_t> input;

    bool operator==(const Request&) const = default;
  };

  bool Control(uint32_t code, std::span<const uint8_t> input, std::span<uint8_t> output) override;
  void CancelWaits() override;
  void ResetCancel() override;
  void SetStrokeHandler(StrokeHandler handler) override;

  // Hands a keystroke to the handler, as the filter's thread would; false
  // when none is set.
  bool Stroke(const KeyStroke& stroke);

  void QueueEvent(filter::KeyEvent event);
  // Requests other than event waits, in order.
  std::vector<Request> Requests() const;
  void ClearRequests();
  // The key codes of the last table set (empty after a clear).
  std::vector<uint16_t> Table() const;
  int Waits() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<filter::KeyEvent> events_;
  std::vector<Request> requests_;
  std::vector<uint16_t> table_;
  bool cancelled_ = false;
  int waits_ = 0;
  StrokeHandler stroke_handler_;
};

}  // namespace platform
