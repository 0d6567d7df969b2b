#pragma once
// One HID interface as enumeration finds it.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct HidCollection {
  uint16_t usage_page = 0;
  uint16_t usage = 0;
};

struct HidInterfaceInfo {
  std::string path;  // what Open takes; a hidraw node for the real backend
  uint16_t vendor_id = 0;
  uint16_t product_id = 0;
  // Every top-level collection of the interface's report descriptor. On Linux
  // one hidraw node carries them all; the first is "the" usage of the interface.
  std::vector<HidCollection> collections;
  int interface_number = -1;  // -1 when unknown
  bool bluetooth = false;

  bool HasCollection(uint16_t usage_page, uint16_t usage) const {
    for (const HidCollection& c : collections) {
      if (c.usage_page == usage_page && c.usage == usage) return true;
    }
    return false;
  }
  // The text that device matching runs on: "HID#VID_xxxx&PID_xxxx&MI_xx".
  std::string IdentityText() const;
};

}  // namespace platform
