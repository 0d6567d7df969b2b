#include "app/shell/DeviceChangeRouter.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "platform/hid/HidIdentity.h"

namespace tessaro {
namespace {

std::string UpperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// An empty interface text would match every HID device there is.
bool Matches(const AcceptedMode& mode, const std::string& identity) {
  return !mode.hid_interface.empty() &&
         identity.find(UpperCase(mode.hid_interface)) != std::string::npos;
}

}  // namespace

std::optional<DeviceTask> RouteDeviceChange(const platform::DeviceChange& change,
                                            const std::vector<AcceptedMode>& modes,
                                            std::vector<bool>& connected) {
  const std::string identity = UpperCase(change.identity);
  if (identity.find(platform::kBluetoothLeHidService) != std::string::npos) return std::nullopt;
  connected.resize(modes.size(), false);
  for (size_t i = 0; i < modes.size(); ++i) {
    if (!Matches(modes[i], identity)) continue;
    if (change.kind == platform::DeviceChange::Kind::kArrival) return DeviceTask::kDeviceArrived;
    if (!connected[i]) continue;
    connected[i] = false;
    return DeviceTask::kDeviceRemoved;
  }
  return std::nullopt;
}

}  // namespace tessaro
