#pragma once
// The key filter as the program talks to it: control codes with input and
// output bytes (FilterProtocol.h), and a cancel for the pending event wait.
#include <cstdint>
#include <functional>
#include <span>

#include "platform/input/KeyCodeTable.h"

namespace platform {

// A key event of the served keyboard as recording sees it.
struct KeyStroke {
  uint16_t linux_code = 0;
  VirtualKey key;     // vk 0 when the program has no code for the key
  int32_t value = 0;  // 0 release, 1 press, 2 auto-repeat
  int64_t time_us = 0;
};

class FilterDevice {
 public:
  virtual ~FilterDevice() = default;
  virtual bool Control(uint32_t code, std::span<const uint8_t> input,
                       std::span<uint8_t> output) = 0;
  // Ends the pending event wait with false, or the next one when none waits.
  virtual void CancelWaits() = 0;
  // Forgets a cancel that no wait consumed.
  virtual void ResetCancel() = 0;

  using StrokeHandler = std::function<void(const KeyStroke&)>;
  // While a handler is set every key event of the served keyboard goes to it
  // on the filter's own thread and none reaches the system; null ends it.
  virtual void SetStrokeHandler(StrokeHandler handler) = 0;
};

}  // namespace platform
