#pragma once
// One event of a Linux input device (type, code, value as in linux/input.h),
// with its time stamp in microseconds of the kernel's clock.
#include <cstdint>

namespace platform {

struct InputEvent {
  uint16_t type = 0;
  uint16_t code = 0;
  int32_t value = 0;
  int64_t time_us = 0;

  bool operator==(const InputEvent&) const = default;
};

// A keyboard as its vendor and product id name it.
struct UsbId {
  uint16_t vendor_id = 0;
  uint16_t product_id = 0;

  bool operator==(const UsbId&) const = default;
};

}  // namespace platform
