#include "platform/input/ServedKeyboard.h"

#include <algorithm>

namespace platform {
namespace {

constexpr std::string_view kPassThroughMarker = "tessaro-pass-through";

}  // namespace

std::string PassThroughPhys(std::string_view original) {
  std::string phys(kPassThroughMarker);
  if (!original.empty()) {
    phys += '/';
    phys += original;
  }
  return phys;
}

bool IsPassThroughClone(std::string_view phys) {
  return phys.starts_with(kPassThroughMarker);
}

bool IsServedKeyboard(const InputDeviceInfo& device, std::span<const UsbId> served) {
  // Even a configuration that names the virtual device's ids must not make
  // the filter grab what it plays keys on.
  if (device.id == kVirtualDeviceId || IsPassThroughClone(device.phys)) return false;
  return std::find(served.begin(), served.end(), device.id) != served.end();
}

}  // namespace platform
