#include "platform/input/InputFacilities.h"

#include "platform/input/EvdevBackend.h"
#include "platform/input/FakeFilterDevice.h"
#include "platform/input/FakeVirtualHidDevice.h"
#include "platform/input/KeyFilter.h"
#include "platform/input/UhidDevice.h"

namespace platform {

InputFacilities MakeInputFacilities(bool simulated, const Clock& clock, std::vector<UsbId> served) {
  InputFacilities facilities;
  if (simulated) {
    facilities.device = std::make_unique<FakeVirtualHidDevice>(clock);
    facilities.filter = std::make_unique<FakeFilterDevice>();
    return facilities;
  }
  facilities.backend = std::make_unique<EvdevBackend>();
  facilities.device = std::make_unique<UhidDevice>();
  facilities.filter = std::make_unique<KeyFilter>(*facilities.backend, std::move(served));
  return facilities;
}

}  // namespace platform
