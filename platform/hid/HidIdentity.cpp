#include "platform/hid/HidIdentity.h"

#include <cstdio>

namespace platform {

std::string HidIdentityText(uint16_t vendor_id, uint16_t product_id, int interface_number,
                            bool bluetooth) {
  char text[96];
  if (bluetooth) {
    std::snprintf(text, sizeof text, "HID#{%.*s}_VID&%04X_PID&%04X",
                  static_cast<int>(kBluetoothLeHidService.size()), kBluetoothLeHidService.data(),
                  vendor_id, product_id);
  } else if (interface_number >= 0) {
    std::snprintf(text, sizeof text, "HID#VID_%04X&PID_%04X&MI_%02X", vendor_id, product_id,
                  static_cast<unsigned>(interface_number));
  } else {
    std::snprintf(text, sizeof text, "HID#VID_%04X&PID_%04X", vendor_id, product_id);
  }
  return text;
}

int InterfaceNumberFromPhys(std::string_view phys) {
  constexpr std::string_view kInput = "input";
  size_t digits = phys.size();
  while (digits > 0 && phys[digits - 1] >= '0' && phys[digits - 1] <= '9') --digits;
  const size_t count = phys.size() - digits;
  if (count == 0 || count > 3 || digits < kInput.size()) return -1;
  if (phys.substr(digits - kInput.size(), kInput.size()) != kInput) return -1;
  int number = 0;
  for (char c : phys.substr(digits)) number = number * 10 + (c - '0');
  return number;
}

std::optional<HidId> ParseHidId(const char* text) {
  if (text == nullptr) return std::nullopt;
  unsigned bus = 0, vendor = 0, product = 0;
  int consumed = 0;
  if (std::sscanf(text, "%4x:%8x:%8x%n", &bus, &vendor, &product, &consumed) != 3 ||
      text[consumed] != '\0' || vendor > 0xFFFF || product > 0xFFFF) {
    return std::nullopt;
  }
  return HidId{static_cast<uint16_t>(bus), static_cast<uint16_t>(vendor),
               static_cast<uint16_t>(product)};
}

}  // namespace platform
