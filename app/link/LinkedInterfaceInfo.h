#pragma once
// What the link tells about one of its opened command interfaces: a copy, so
// it stays valid when detection replaces the interfaces.
#include <cstdint>
#include <string>

namespace tessaro {

struct LinkedInterfaceInfo {
  uint16_t vendor_id = 0;
  uint16_t product_id = 0;
  std::string path;            // what the HID backend opened
  std::string identity;        // "HID#VID_xxxx&PID_xxxx&MI_xx", upper case
  std::string product_string;  // enumeration reads no strings: always empty
  int device_type = 0;         // of the first accepted mode with these ids
  int mode_value = 0;          // of that same mode

  bool operator==(const LinkedInterfaceInfo&) const = default;
};

}  // namespace tessaro
