#include "platform/screen/ScreenCaptureFactory.h"

#include "platform/screen/SimulatedScreenCapture.h"
#include "platform/screen/X11ScreenCapture.h"
#include "platform/system/SimulatedFacilities.h"

namespace platform {

std::unique_ptr<ScreenCapture> MakeScreenCapture(const Environment& environment, Clock& clock) {
  if (SimulatesFacility(environment.Get("TESSARO_SIMULATE"), "screen")) {
    return std::make_unique<SimulatedScreenCapture>(clock);
  }
  return std::make_unique<X11ScreenCapture>();
}

}  // namespace platform
