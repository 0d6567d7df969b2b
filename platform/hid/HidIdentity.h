#pragma once
// Identity texts of HID interfaces. Device matching (the stream interface's
// "&MI_03", a mode's hid_interface text, device-change notifications) runs on
// these texts, never on device node paths.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Bluetooth LE HID service: device-change handling ignores texts that carry it.
inline constexpr std::string_view kBluetoothLeHidService = "00001812-0000-1000-8000-00805F9B34FB";

// "HID#VID_%04X&PID_%04X&MI_%02X"; without "&MI_.." when the interface number
// is unknown (negative). Bluetooth interfaces carry the LE HID service text
// instead of a USB interface.
std::string HidIdentityText(uint16_t vendor_id, uint16_t product_id, int interface_number,
                            bool bluetooth);

// The interface number of a HID_PHYS text ("usb-0000:00:14.0-2/input3" -> 3),
// or -1 when it does not end in "input" and digits.
int InterfaceNumberFromPhys(std::string_view phys);

// HID_ID of a HID device, "0003:00001A2C:00000E24": bus, vendor, product.
inline constexpr uint16_t kBusBluetooth = 0x0005;
struct HidId {
  uint16_t bus = 0;
  uint16_t vendor_id = 0;
  uint16_t product_id = 0;
};
std::optional<HidId> ParseHidId(const char* text);

}  // namespace platform
