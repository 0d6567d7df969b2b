#include "app/link/DeviceDetection.h"

namespace tessaro {

DetectionResult DetectDevices(KeyboardLink& link) {
  link.CloseAll();
  link.SelectDeviceType(0);  // so that every interface is collected
  link.OpenAll();

  DetectionResult result;
  const std::vector<AcceptedMode> modes = link.AcceptedModes();
  result.connected.assign(modes.size(), false);
  for (size_t i = 0; i < modes.size(); ++i) {
    const AcceptedMode& mode = modes[i];
    if (link.FindInterface(mode.vendor_id, mode.product_id, mode.product_name, mode.mode_value) <
        0) {
      continue;
    }
    result.opened = true;
    result.connected[i] = true;
    result.connected_types.push_back(mode.device_type);
  }
  std::vector<LinkedInterfaceInfo> listed;
  result.present = link.CollectInterfaces(listed);
  return result;
}

int SelectCommandFamily(KeyboardLink& link) {
  link.SelectDeviceType(kCommandFamilyMarker);
  return link.GetConnectionMode();
}

}  // namespace tessaro
