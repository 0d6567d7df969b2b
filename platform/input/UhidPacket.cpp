#include "platform/input/UhidPacket.h"

#include <algorithm>

namespace platform {

size_t ReportDataLength(uint8_t report_id) {
  switch (report_id) {
    case 1:
      return 33;  // reserved byte, then a 256-usage bit map
    case 2:
      return 4;  // buttons, then x, y and wheel, always 0
    case 3:
      return 2;  // one consumer usage, little-endian
    case 4:
      return 2;  // vendor collection, always 0
    default:
      return 0;
  }
}

HidPacket BuildWritePacket(uint8_t report_id, std::span<const uint8_t> data) {
  HidPacket packet{};
  packet[0] = kWritePacketMark;
  packet[1] = report_id;
  const size_t length = std::min(data.size(), packet.size() - 2);
  std::copy_n(data.begin(), length, packet.begin() + 2);
  return packet;
}

std::optional<std::vector<uint8_t>> InputReportOfPacket(const HidPacket& packet) {
  if (packet[0] != kWritePacketMark) return std::nullopt;
  const size_t length = ReportDataLength(packet[1]);
  if (length == 0) return std::nullopt;
  return std::vector<uint8_t>(packet.begin() + 1, packet.begin() + 2 + length);
}

}  // namespace platform

namespace platform {

std::vector<uint8_t> VirtualDeviceReportDescriptor() {
  return {
      // Keyboard: report 1.
      0x05, 0x01,        // usage page generic desktop
      0x09, 0x06,        // usage keyboard
      0xA1, 0x01,        // collection application
      0x85, 0x01,        //   report id 1
      0x75, 0x08,        //   report size 8
      0x95, 0x01,        //   report count 1
      0x81, 0x01,        //   input constant: the reserved byte
      0x05, 0x07,        //   usage page keyboard
      0x19, 0x00,        //   usage minimum 0
      0x2A, 0xFF, 0x00,  //   usage maximum 255
      0x15, 0x00,        //   logical minimum 0
      0x25, 0x01,        //   logical maximum 1
      0x75, 0x01,        //   report size 1
      0x96, 0x00, 0x01,  //   report count 256
      0x81, 0x02,        //   input data, variable, absolute
      0xC0,              // end collection
      // Mouse: report 2.
      0x05, 0x01,  // usage page generic desktop
      0x09, 0x02,  // usage mouse
      0xA1, 0x01,  // collection application
      0x85, 0x02,  //   report id 2
      0x09, 0x01,  //   usage pointer
      0xA1, 0x00,  //   collection physical
      0x05, 0x09,  //     usage page buttons
      0x19, 0x01,  //     usage minimum 1
      0x29, 0x05,  //     usage maximum 5
      0x15, 0x00,  //     logical minimum 0
      0x25, 0x01,  //     logical maximum 1
      0x95, 0x05,  //     report count 5
      0x75, 0x01,  //     report size 1
      0x81, 0x02,  //     input data, variable, absolute
      0x95, 0x01,  //     report count 1
      0x75, 0x03,  //     report size 3
      0x81, 0x01,  //     input constant: padding
      0x05, 0x01,  //     usage page generic desktop
      0x09, 0x30,  //     usage x
      0x09, 0x31,  //     usage y
      0x09, 0x38,  //     usage wheel
      0x15, 0x81,  //     logical minimum -127
      0x25, 0x7F,  //     logical maximum 127
      0x75, 0x08,  //     report size 8
      0x95, 0x03,  //     report count 3
      0x81, 0x06,  //     input data, variable, relative
      0xC0,        //   end collection
      0xC0,        // end collection
      // Consumer control: report 3.
      0x05, 0x0C,        // usage page consumer
      0x09, 0x01,        // usage consumer control
      0xA1, 0x01,        // collection application
      0x85, 0x03,        //   report id 3
      0x15, 0x00,        //   logical minimum 0
      0x26, 0xFF, 0x03,  //   logical maximum 0x3FF
      0x19, 0x00,        //   usage minimum 0
      0x2A, 0xFF, 0x03,  //   usage maximum 0x3FF
      0x75, 0x10,        //   report size 16
      0x95, 0x01,        //   report count 1
      0x81, 0x00,        //   input data, array, absolute
      0xC0,              // end collection
      // Vendor collection: report 4.
      0x06, 0x00, 0xFF,  // usage page 0xFF00
      0x09, 0x01,        // usage 1
      0xA1, 0x01,        // collection application
      0x85, 0x04,        //   report id 4
      0x15, 0x00,        //   logical minimum 0
      0x26, 0xFF, 0x00,  //   logical maximum 255
      0x75, 0x08,        //   report size 8
      0x95, 0x02,        //   report count 2
      0x09, 0x01,        //   usage 1
      0x81, 0x02,        //   input data, variable, absolute
      0xC0,              // end collection
  };
}

}  // namespace platform
