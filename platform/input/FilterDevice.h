#pragma once
// The key filter as the program talks to it: control codes with input and
// output bytes (FilterProtocol.h), and a cancel for the pending event wait.
#include <cstdint>
#include <span>

#include "platform/input/StrokeSource.h"

namespace platform {

class FilterDevice : public StrokeSource {
 public:
  virtual ~FilterDevice() = default;
  virtual bool Control(uint32_t code, std::span<const uint8_t> input,
                       std::span<uint8_t> output) = 0;
  // Ends the pending event wait with false, or the next one when none waits.
  virtual void CancelWaits() = 0;
  // Forgets a cancel that no wait consumed.
  virtual void ResetCancel() = 0;

  // Stroke handler: every key event of the served keyboard goes to it and
  // none reaches the system.
  bool ConsumesKeys() const override { return true; }
};

}  // namespace platform
