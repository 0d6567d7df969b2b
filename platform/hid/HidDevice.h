#pragma once
// An open HID interface. Destroying it closes the handle.
#include <cstdint>
#include <span>

namespace platform {

class HidDevice {
 public:
  virtual ~HidDevice() = default;
  // Output report; byte 0 is the report id. Bytes written, or -1.
  virtual int Write(std::span<const uint8_t> report) = 0;
  // Feature report; byte 0 is the report id. Bytes sent, or -1.
  virtual int SendFeature(std::span<const uint8_t> report) = 0;
  // Reads the feature report whose id is buffer[0] into buffer. Bytes read, or -1.
  virtual int GetFeature(std::span<uint8_t> buffer) = 0;
};

}  // namespace platform
