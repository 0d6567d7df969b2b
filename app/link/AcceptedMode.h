#pragma once
// One connection mode of a served keyboard, as the device description names it.
#include <string>

namespace tessaro {

struct AcceptedMode {
  int vendor_id = 0;
  int product_id = 0;
  std::string product_name;  // may be empty; otherwise must equal the interface's product string
  int device_type = 0;
  int mode_value = 0;
  std::string hid_interface;  // text that occurs in the identity of the command interface
};

}  // namespace tessaro
