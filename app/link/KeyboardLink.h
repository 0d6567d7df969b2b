#pragma once
// The process-wide connection to the keyboard. For now it only learns which
// vendor and product ids belong to the served keyboard models.
#include <string>
#include <vector>

#include "app/link/AcceptedMode.h"

namespace tessaro {

class KeyboardLink {
 public:
  static KeyboardLink& Instance();

  // Appends a mode (duplicates are allowed); called once per mode of the
  // device description.
  void AddAcceptedMode(int vendor_id, int product_id, const std::string& product_name,
                       int device_type, int mode_value, const std::string& hid_interface);
  const std::vector<AcceptedMode>& AcceptedModes() const { return accepted_modes_; }
  void ClearAcceptedModes() { accepted_modes_.clear(); }

 private:
  std::vector<AcceptedMode> accepted_modes_;
};

}  // namespace tessaro
