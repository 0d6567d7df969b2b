#pragma once
// The loopback capture chosen at start: PulseAudio, or the simulated beat when
// TESSARO_SIMULATE fakes "audio".
#include <memory>

#include "platform/audio/LoopbackCapture.h"
#include "platform/system/Clock.h"
#include "platform/system/Environment.h"

namespace platform {

std::unique_ptr<LoopbackCapture> MakeLoopbackCapture(SampleForm form,
                                                     const Environment& environment, Clock& clock);

}  // namespace platform
