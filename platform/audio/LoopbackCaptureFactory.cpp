#include "platform/audio/LoopbackCaptureFactory.h"

#include "platform/audio/PulseLoopbackCapture.h"
#include "platform/audio/SimulatedLoopbackCapture.h"
#include "platform/system/SimulatedFacilities.h"

namespace platform {

std::unique_ptr<LoopbackCapture> MakeLoopbackCapture(SampleForm form,
                                                     const Environment& environment, Clock& clock) {
  if (SimulatesFacility(environment.Get("TESSARO_SIMULATE"), "audio")) {
    return std::make_unique<SimulatedLoopbackCapture>(form, clock);
  }
  return std::make_unique<PulseLoopbackCapture>(form);
}

}  // namespace platform
