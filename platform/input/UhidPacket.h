#pragma once
// The write packet of the virtual device, and what /dev/uhid is given for it:
// packet "05 id data..." becomes the input report "id data..." of the report's
// own length.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/input/VirtualHidDevice.h"

namespace platform {

inline constexpr uint8_t kWritePacketMark = 0x05;

// The packet that writes a report: mark, id, then at most 62 bytes of data,
// the rest 0.
HidPacket BuildWritePacket(uint8_t report_id, std::span<const uint8_t> data);

// The report bytes (id first) of a write packet; nothing when byte 0 is not
// the mark or the id has no report.
std::optional<std::vector<uint8_t>> InputReportOfPacket(const HidPacket& packet);

// Report data lengths (without the id) by report id 1 to 4; 0 for others.
size_t ReportDataLength(uint8_t report_id);

}  // namespace platform

namespace platform {

// The report descriptor of the virtual device: a keyboard (report 1, a
// reserved byte and a bit per usage 0 to 255), a mouse (report 2, five
// buttons and x, y and wheel that stay 0), a consumer control (report 3, one
// 16-bit usage) and a vendor collection (report 4, usage page 0xFF00 usage 1,
// two bytes), in the layouts ReportDataLength gives.
std::vector<uint8_t> VirtualDeviceReportDescriptor();

}  // namespace platform
