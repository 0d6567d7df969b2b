#pragma once
// A HID device made by the program, fed with 64-byte write packets: byte 0 is
// 0x05, byte 1 the report id, the report data follows. The device hands the
// report on as one input report.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

using HidPacket = std::array<uint8_t, 64>;

struct VirtualHidSpec {
  std::string name;
  uint16_t vendor_id = 0;
  uint16_t product_id = 0;
  std::vector<uint8_t> report_descriptor;
};

class VirtualHidDevice {
 public:
  virtual ~VirtualHidDevice() = default;
  // Creates the device, replacing one this object made before; false when the
  // device cannot be made (no access to /dev/uhid).
  virtual bool Create(const VirtualHidSpec& description) = 0;
  // Whether a device made by Create still exists.
  virtual bool IsOpen() const = 0;
  // False when the device is gone or the packet is not a write packet; a
  // device that is gone is closed.
  virtual bool Write(const HidPacket& packet) = 0;
  virtual void Destroy() = 0;
};

}  // namespace platform
