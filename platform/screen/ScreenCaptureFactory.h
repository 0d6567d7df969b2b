#pragma once
// The screen capture chosen at start: the X root window, or the simulated
// rainbow when TESSARO_SIMULATE fakes "screen".
#include <memory>

#include "platform/screen/ScreenCapture.h"
#include "platform/system/Clock.h"
#include "platform/system/Environment.h"

namespace platform {

std::unique_ptr<ScreenCapture> MakeScreenCapture(const Environment& environment, Clock& clock);

}  // namespace platform
