#pragma once
// The input facility's objects for one run, real or simulated
// (TESSARO_SIMULATE with "input"): the virtual device and the key filter.
// Simulated, both are in-memory fakes and no device node is touched.
#include <memory>
#include <vector>

#include "platform/input/EventNode.h"
#include "platform/input/FilterDevice.h"
#include "platform/input/VirtualHidDevice.h"
#include "platform/system/Clock.h"

namespace platform {

struct InputFacilities {
  std::unique_ptr<InputBackend> backend;  // null when simulated
  std::unique_ptr<VirtualHidDevice> device;
  std::unique_ptr<FilterDevice> filter;  // uses backend; destroyed before it
};

// The served keyboards are those of the accepted modes of config.xml.
InputFacilities MakeInputFacilities(bool simulated, const Clock& clock, std::vector<UsbId> served);

}  // namespace platform
