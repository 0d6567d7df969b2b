#pragma once
// Which device task a HID arrival or removal queues. Arrival: the first mode
// whose interface text occurs in the identity queues DeviceArrived. Removal:
// the first mode that is marked connected and matches is unmarked and queues
// DeviceRemoved. Bluetooth LE interfaces are ignored. At most one task per
// change.
#include <optional>
#include <vector>

#include "app/link/AcceptedMode.h"
#include "app/shell/DeviceTask.h"
#include "platform/hid/DeviceChange.h"

namespace tessaro {

std::optional<DeviceTask> RouteDeviceChange(const platform::DeviceChange& change,
                                            const std::vector<AcceptedMode>& modes,
                                            std::vector<bool>& connected);

}  // namespace tessaro
