#include "app/link/KeyboardLink.h"

namespace tessaro {

KeyboardLink& KeyboardLink::Instance() {
  static KeyboardLink link;
  return link;
}

void KeyboardLink::AddAcceptedMode(int vendor_id, int product_id, const std::string& product_name,
                                   int device_type, int mode_value,
                                   const std::string& hid_interface) {
  accepted_modes_.push_back(
      AcceptedMode{vendor_id, product_id, product_name, device_type, mode_value, hid_interface});
}

}  // namespace tessaro
