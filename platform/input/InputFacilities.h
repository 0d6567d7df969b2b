#pragma once
// The input facility's objects for one run, real or simulated
// (TESSARO_SIMULATE with "input"): the virtual device and the key filter.
// Simulated, both are in-memory fakes and no device node is touched. The
// keystroke sources of recording and key capture: the filter, or the X
// server's raw key events when the keyboard's nodes cannot be read.
#include <memory>
#include <vector>

#include "platform/input/EventNode.h"
#include "platform/input/FilterDevice.h"
#include "platform/input/StrokeSources.h"
#include "platform/input/VirtualHidDevice.h"
#include "platform/system/Clock.h"

namespace platform {

struct InputFacilities {
  std::unique_ptr<InputBackend> backend;  // null when simulated
  std::unique_ptr<VirtualHidDevice> device;
  std::unique_ptr<FilterDevice> filter;    // uses backend; destroyed before it
  std::unique_ptr<StrokeSources> strokes;  // uses filter and backend
};

// The served keyboards are those of the accepted modes of config.xml.
InputFacilities MakeInputFacilities(bool simulated, const Clock& clock, std::vector<UsbId> served);

}  // namespace platform
