#include "platform/hid/HidInterfaceInfo.h"

#include "platform/hid/HidIdentity.h"

namespace platform {

std::string HidInterfaceInfo::IdentityText() const {
  return HidIdentityText(vendor_id, product_id, interface_number, bluetooth);
}

}  // namespace platform
