#include "platform/input/InputFacilities.h"

#include "platform/input/EvdevBackend.h"
#include "platform/input/FakeFilterDevice.h"
#include "platform/input/FakeVirtualHidDevice.h"
#include "platform/input/KeyFilter.h"
#include "platform/input/UhidDevice.h"
#include "platform/input/XInputKeySource.h"

namespace platform {

namespace {

// The name the program gives its uhid device (tessaro::UhidVHidev::kName).
constexpr const char* kVirtualKeyboardName = "vhidev";

}  // namespace

InputFacilities MakeInputFacilities(bool simulated, const Clock& clock, std::vector<UsbId> served) {
  InputFacilities facilities;
  if (simulated) {
    facilities.device = std::make_unique<FakeVirtualHidDevice>(clock);
    facilities.filter = std::make_unique<FakeFilterDevice>();
    facilities.strokes = std::make_unique<StrokeSources>(
        *facilities.filter, [] { return true; }, [] { return nullptr; });
    return facilities;
  }
  facilities.backend = std::make_unique<EvdevBackend>();
  facilities.device = std::make_unique<UhidDevice>();
  facilities.filter = std::make_unique<KeyFilter>(*facilities.backend, served);
  facilities.strokes = std::make_unique<StrokeSources>(
      *facilities.filter,
      [backend = facilities.backend.get(), served] {
        return KeyboardNodesReadable(*backend, served);
      },
      []() -> std::unique_ptr<StrokeSource> {
        // The program's own virtual keyboard plays macros; its keys are not the user's.
        return XInputKeySource::Open({}, {kVirtualKeyboardName});
      });
  return facilities;
}

}  // namespace platform
