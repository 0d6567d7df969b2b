#pragma once
// One served keyboard (from a `keyboard` element of config.xml) or one of its
// connection modes (from a `mode` element). A mode entry carries its keyboard's
// device type and layout name; a keyboard entry has mode value and ids 0.
#include <string>

namespace tessaro {

struct DeviceEntry {
  std::string name;  // keyboard name; in a mode entry, the mode's product name
  int device_type = 0;
  std::string layout_name;  // base name of the keyboard's layout file
  int mode_value = 0;       // connection mode number: 0 wired, 1 and up wireless
  int vendor_id = 0;
  int product_id = 0;
  std::string description;
  // A text that occurs in the identity of this mode's command interface
  // ("HID#VID_1234&PID_5678&MI_02"); device-change events are matched with it.
  std::string hid_interface;
  bool connected = false;  // set by device detection while this mode's device is open

  bool operator==(const DeviceEntry&) const = default;
};

}  // namespace tessaro
